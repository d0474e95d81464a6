// Media player control against a stand-in player: menu commands to the
// classic kind, posted keystrokes to the second kind, and the start of the
// program associated with "mp3" files.
#include <optional>

#include "funcs_fixture.h"
#include "win_handles.h"

using namespace kl;
using namespace kl::testing;

namespace {

class StubPlayer {
public:
    // Ready once the window of `readyClass` and `readyTitle`, its last one, exists.
    StubPlayer(const char* kind, const char* mainClass, const char* readyClass, const char* readyTitle = nullptr)
        : mainClass_(mainClass) {
        SetEnvironmentVariableA("KL_PLAYER_KIND", kind);
        const std::string exe = TestExeDir() + "player_stub.exe";
        std::string cmd = "\"" + exe + "\"";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        started_ = CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_);
        if (started_) WaitUntil([&] { return FindWindowA(readyClass, readyTitle) != nullptr; });
    }
    ~StubPlayer() {
        if (!started_) return;
        if (HWND main = FindWindowA(mainClass_, nullptr)) PostMessageA(main, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(pi_.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(pi_.hProcess, 1);
        CloseHandle(pi_.hProcess);
        CloseHandle(pi_.hThread);
    }
    bool running() const { return started_ && FindWindowA(mainClass_, nullptr); }

private:
    const char* mainClass_;
    PROCESS_INFORMATION pi_{};
    BOOL started_ = FALSE;
};

class PlayerTest : public FunctionTest {
protected:
    using SetWaitFn = void WINAPI(DWORD, DWORD);
    SetWaitFn* setWait_ = lib_.Get<SetWaitFn>("SetPlayerStartWait");
    TempFolder temp_;
    std::string log_ = temp_ / "player.log";
    ScopedEnv logEnv_{"KL_PLAYER_LOG", log_};

    void SetUp() override {
        FunctionTest::SetUp();
        ASSERT_NE(setWait_, nullptr);
        setWait_(1500, 100);  // the real waits are 15 and 2 seconds
    }
    void TearDown() override { setWait_(0, 0); }

    std::vector<std::string> Log(std::size_t expected) {
        EXPECT_TRUE(WaitUntil([&] { return ReadLines(log_).size() >= expected; }, 5000));
        return ReadLines(log_);
    }

    // Dispatches this thread's messages, as keyloom.exe's loop does, until `done`
    // holds or `ms` have passed: a started player is watched by a timer of this thread.
    template <class Done>
    static bool Pump(Done done, DWORD ms) {
        const DWORD start = GetTickCount();
        for (;;) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
            if (done()) return true;
            if (GetTickCount() - start >= ms) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
};

std::string Line(const char* role, UINT message, WPARAM wParam, LPARAM lParam) {
    return std::string(role) + " " + std::to_string(message) + " " + std::to_string(wParam) + " " +
           std::to_string(static_cast<unsigned long>(lParam));
}

// The messages of one keystroke as a real key would bring them.
std::vector<std::string> Keystroke(const char* role, UINT vk) {
    const LPARAM down = 1 + (MapVirtualKeyA(vk, MAPVK_VK_TO_VSC) << 16);
    return {Line(role, WM_KEYDOWN, vk, down), Line(role, WM_CHAR, MapVirtualKeyA(vk, MAPVK_VK_TO_CHAR), down),
            Line(role, WM_KEYUP, vk, down | 0xC0000000)};
}

std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

TEST_F(PlayerTest, ClassicPlayerReceivesMenuCommands) {
    StubPlayer player("classic", "Winamp v1.x", "Winamp v1.x");
    ASSERT_TRUE(player.running());
    EXPECT_EQ(Run(257), 1);
    EXPECT_EQ(Run(274), 1);  // second kind only
    EXPECT_EQ(Run(276), 1);
    HWND window = FindWindowA("Winamp v1.x", nullptr);
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(window) != FALSE; }));
    EXPECT_EQ(Run(256), 1);  // activates instead of posting
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(window); }));
    EXPECT_EQ(Run(272), 1);
    EXPECT_EQ(Log(2), (std::vector<std::string>{Line("main", WM_COMMAND, 40045, 0), Line("main", WM_COMMAND, 40001, 0)}));
}

TEST_F(PlayerTest, SecondKindReceivesKeystrokesInItsWindows) {
    StubPlayer player("second", "STUDIO", "BaseWindow_RootWnd", "normal");
    ASSERT_TRUE(player.running());
    EXPECT_EQ(Run(257), 1);  // "X" to the main window
    EXPECT_EQ(Run(262), 1);  // nothing for fade out
    EXPECT_EQ(Run(266), 1);  // Home, Enter to the playlist
    EXPECT_EQ(Run(268), 1);  // five times Up to the volume window
    EXPECT_EQ(Run(272), 1);  // Alt+F4
    EXPECT_EQ(Run(274), 1);  // "F"

    std::vector<std::string> up5;
    for (int i = 0; i < 5; ++i) up5 = Concat({up5, Keystroke("volume", VK_UP)});
    const LPARAM altDown = 1 + (MapVirtualKeyA(VK_MENU, MAPVK_VK_TO_VSC) << 16);
    const auto expected = Concat({
        Keystroke("main", 'X'),
        Keystroke("list-b", VK_HOME),
        Keystroke("list-b", VK_RETURN),
        up5,
        {Line("main", WM_KEYDOWN, VK_MENU, altDown), Line("main", WM_CHAR, 0, altDown)},
        Keystroke("main", VK_F4),
        {Line("main", WM_KEYUP, VK_MENU, altDown | 0xC0000000)},
        Keystroke("main", 'F'),
    });
    EXPECT_EQ(Log(expected.size()), expected);
}

// The stand-in player registered for "mp3" files in the test prefix.
class Mp3Association {
public:
    explicit Mp3Association(const std::string& exe) {
        SetMachineText("Software\\Classes\\.mp3", "KlTestPlayer.mp3");
        SetMachineText("Software\\Classes\\KlTestPlayer.mp3\\shell\\open\\command", "\"" + exe + "\" \"%1\"");
    }
    ~Mp3Association() {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Classes\\.mp3");
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Classes\\KlTestPlayer.mp3");
    }

private:
    static void SetMachineText(const char* path, const std::string& text) {
        RegKey key = RegKey::Create(HKEY_LOCAL_MACHINE, path, KEY_ALL_ACCESS);
        if (key) RegSetValueExA(key.get(), nullptr, 0, REG_SZ, (const BYTE*)text.c_str(), text.size() + 1);
    }
};

bool HasMp3Association() { return static_cast<bool>(RegKey::Open(HKEY_LOCAL_MACHINE, "Software\\Classes\\.mp3", KEY_READ)); }

TEST_F(PlayerTest, WithoutPlayerOrAssociationNothingHappensAfterTheWait) {
    ASSERT_FALSE(HasMp3Association());
    EXPECT_EQ(Run(257), 1);
    EXPECT_EQ(Run(274), 1);  // second-kind commands never start a player
    Pump([] { return false; }, 2000);  // the (shortened) wait runs out
    EXPECT_FALSE(FindWindowA("Winamp v1.x", nullptr));
    EXPECT_FALSE(PathExists(log_));
}

TEST_F(PlayerTest, StartsTheAssociatedPlayerWithoutWaitingAndThenSendsTheCommands) {
    Mp3Association association(TestExeDir() + "player_stub.exe");
    SetEnvironmentVariableA("KL_PLAYER_KIND", "classic");
    setWait_(10000, 500);
    // The function returns while the player starts: this thread goes on with its messages.
    EXPECT_EQ(Run(258), 1);
    EXPECT_FALSE(FindWindowA("Winamp v1.x", nullptr)) << "the function waited for the player";
    EXPECT_EQ(Run(259), 1);  // waits behind the first instead of starting another player
    EXPECT_TRUE(Pump([&] { return ReadLines(log_).size() >= 2; }, 15000));
    EXPECT_EQ(ReadLines(log_),
              (std::vector<std::string>{Line("main", WM_COMMAND, 40046, 0), Line("main", WM_COMMAND, 40047, 0)}));
    int players = 0;
    for (HWND w = FindWindowA("Winamp v1.x", nullptr); w; w = FindWindowExA(nullptr, w, "Winamp v1.x", nullptr)) ++players;
    EXPECT_EQ(players, 1);
    // The probe file used to ask for the association is gone again.
    EXPECT_FALSE(PathExists(BinDir() + "~getassociatedprogram.mp3"));
    if (HWND started = FindWindowA("Winamp v1.x", nullptr)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(started, &pid);
        PostMessageA(started, WM_CLOSE, 0, 0);
        UniqueHandle process(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid));
        if (process && WaitForSingleObject(process.get(), 5000) != WAIT_OBJECT_0) TerminateProcess(process.get(), 1);
    }
}

TEST_F(PlayerTest, SoundFunctionsReturnWithOrWithoutAMixer) {
    // Wine under Xvfb usually has no mixer device; the functions must then do nothing.
    for (unsigned id : {195u, 196u, 197u, 195u}) EXPECT_EQ(Run(id), 1) << id;
    EXPECT_EQ(Run(200, "no drive"), 1);
    EXPECT_EQ(Run(200, "q:\\"), 1);
}

}  // namespace
