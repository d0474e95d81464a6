// The macro and typing functions through klsupport's ExecuteFunctionEx, typing
// into an edit control of another process.
#include <windows.h>

#include <fstream>
#include <memory>
#include <string>

#include "char_substitution.h"
#include "macro_fixture.h"
#include "testing/registry.h"
#include "text255.h"

using namespace kl;
using namespace kl::testing;

namespace {

class MacroFunctions : public MacroTest {
protected:
    static inline std::unique_ptr<EditTarget> shared_;
    static void SetUpTestSuite() { shared_ = std::make_unique<EditTarget>(); }
    static void TearDownTestSuite() { shared_.reset(); }
    EditTarget& target_ = *shared_;
    bool cleared_ = (target_.Clear(), true);
    Library support_{"klsupport.dll"};
    std::int32_t(WINAPI* execute_)(std::uint32_t, const char*) =
        support_.Get<std::int32_t WINAPI(std::uint32_t, const char*)>("ExecuteFunctionEx");
    std::string dataDir_;

    ~MacroFunctions() override {
        if (b().JournalMode == 2) {  // stops a playback left running, which holds the busy flag
            b().HotkeysSuspended = 0;
            execute_(97, "");
        }
        if (!dataDir_.empty()) {
            DeleteFileA((dataDir_ + "keynames.txt").c_str());
            RemoveDirectoryA(dataDir_.c_str());
        }
    }
    bool Finished() {
        return PumpUntil([this] { return b().JournalMode == 0 && b().HotkeysSuspended == 0; });
    }
    void UseKeyNames(const char* text) {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        dataDir_ = std::string(temp) + "kl_macro_names\\";
        CreateDirectoryA(dataDir_.c_str(), nullptr);
        std::ofstream(dataDir_ + "keynames.txt", std::ios::binary) << text;
        SetText255(b().DataDir, dataDir_);
    }
};

}  // namespace

TEST_F(MacroFunctions, TypeTextAndRepeatText) {
    EXPECT_EQ(execute_(160, "Ab<CR>c"), 1);
    ASSERT_TRUE(Finished());
    EXPECT_TRUE(target_.WaitText("Ab\r\nc")) << target_.Text();
    target_.Clear();
    // Repeat text with a 100 ms pause repeats until it is cancelled.
    EXPECT_EQ(execute_(164, "r\xFF" "0\xFF" "100"), 1);
    EXPECT_EQ(b().MacroRepeat, -1);
    EXPECT_EQ(b().MacroInterval, 100);
    ASSERT_TRUE(target_.WaitText("rrr")) << target_.Text();
    EXPECT_EQ(execute_(97, ""), 1);  // play while playing (or waiting) stops
    EXPECT_EQ(b().JournalMode, 0);
}

TEST_F(MacroFunctions, NextNumberCountsAcrossFunctionAndToken) {
    EXPECT_EQ(execute_(99, "7\xFF" "5"), 1);
    ASSERT_TRUE(Finished());
    ASSERT_TRUE(target_.WaitText("7"));
    EXPECT_EQ(execute_(160, "-<NEXTNO>"), 1);
    ASSERT_TRUE(Finished());
    EXPECT_TRUE(target_.WaitText("7-8")) << target_.Text();
}

TEST_F(MacroFunctions, EventTextWithKeyNamesAndStartModes) {
    UseKeyNames("66;bee\r\n13;Enter\r\n");
    EXPECT_EQ(execute_(100, "bee shift bee shift"), 1);
    EXPECT_EQ(GetText255(b().MacroName), "tarn");
    ASSERT_TRUE(Finished());
    EXPECT_TRUE(target_.WaitText("bB")) << target_.Text();
    // Start mode 1: the main window's timer is asked to play it.
    notes_.clear();
    EXPECT_EQ(execute_(100, "bee\xFF" "1"), 1);
    EXPECT_TRUE(Noted(0, -8));
    EXPECT_EQ(b().JournalMode, 0);
    EXPECT_EQ(b().MacroLength, 2);
}

TEST_F(MacroFunctions, MissingKeyNamesFileIsAnError) {
    SetText255(b().DataDir, "C:\\no such keyloom folder\\");
    EXPECT_EQ(execute_(100, "bee"), 0);
    EXPECT_EQ(GetText255(b().StatusText).rfind("EXCEPTION ", 0), 0u) << GetText255(b().StatusText);
    EXPECT_EQ(b().JournalMode, 0);
    EXPECT_EQ(b().MacroLength, 0);
}

TEST_F(MacroFunctions, DateAndTimeIsTyped) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    EXPECT_EQ(execute_(161, " yyyy "), 1);
    ASSERT_TRUE(Finished());
    EXPECT_TRUE(target_.WaitText(std::to_string(now.wYear))) << target_.Text();
}

TEST_F(MacroFunctions, RecordTogglesAndPlayReplays) {
    EXPECT_EQ(execute_(96, ""), 1);
    EXPECT_EQ(b().JournalMode, 1);
    EXPECT_NE(b().JournalHook, 0u);
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = 'Z';
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
    ASSERT_TRUE(target_.WaitText("z"));
    ASSERT_TRUE(PumpUntil([this] { return b().MacroLength >= 2; }));
    EXPECT_EQ(execute_(96, ""), 1);
    EXPECT_EQ(b().JournalMode, 0);
    EXPECT_EQ(GetText255(b().StatusText), "Stopped recording");
    EXPECT_EQ(execute_(97, ""), 1);
    ASSERT_TRUE(Finished());
    EXPECT_TRUE(target_.WaitText("zz")) << target_.Text();
}

namespace {

void StoreHotkey(int id, int key, int modifier, const std::string& function) {
    const std::string sub = std::string("Software\\Corvane\\Keyloom\\Hotkeys\\HotKey") + std::to_string(id);
    SetString(sub, "Key", std::to_string(key));
    SetString(sub, "modifier", std::to_string(modifier));
    SetString(sub, "Function", ScrambleFunction(function));
    SetString("Software\\Corvane\\Keyloom\\Hotkeys\\", std::to_string(key).c_str(), std::to_string(id));
}

void Send(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}

}  // namespace

TEST_F(MacroFunctions, StoredStoppingHotkeyIsTrimmedAndIdTokensRunHotkeys) {
    CleanRegistry clean;
    StoreHotkey(7, 'R', kModCtrl | kModAlt, "96;");
    StoreHotkey(8, 'E', 0, "1;");
    ASSERT_EQ(execute_(96, ""), 1);
    Send(VK_CONTROL, false);
    Send('A', false);
    Send('A', true);
    Send(VK_CONTROL, true);
    Send(VK_CONTROL, false);
    Send(VK_MENU, false);
    Send('R', false);
    Send('R', true);
    const bool recorded = PumpUntil([this] { return b().MacroLength >= 8; });
    EXPECT_EQ(execute_(96, ""), 1);
    Send(VK_MENU, true);
    Send(VK_CONTROL, true);
    ASSERT_TRUE(recorded) << b().MacroLength;
    int kept = 0;
    for (int i = 0; i < b().MacroLength; ++i) kept += b().MacroEvents[i].Message != 0;
    EXPECT_EQ(kept, 4);  // Ctrl+A only

    // "<ID:8>" runs hotkey 8 (enable hotkeys) while the macro is built.
    b().KeyloomEnabled = 0;
    EXPECT_EQ(execute_(160, "a<ID:8>b"), 1);
    EXPECT_EQ(b().LastHotkey, 8);
    ASSERT_TRUE(Finished());
    EXPECT_EQ(b().KeyloomEnabled, -1);
}

TEST_F(MacroFunctions, HotkeyTypingItsOwnIdStopsAtTheNestingLimit) {
    CleanRegistry clean;
    StoreHotkey(9, 'Q', 0, "160;x<ID:9>");
    EXPECT_EQ(execute_(160, "<ID:9>"), 1);
    EXPECT_EQ(GetText255(b().StatusText), "Hotkeys run by ID nested too deeply");
    EXPECT_TRUE(Finished());
}

TEST_F(MacroFunctions, APlaybackKeepsOtherFunctionsFromItsEvents) {
    b().JournalMode = 2;  // left over, nothing plays: the flag is not kept for it
    EXPECT_EQ(execute_(1, ""), 1);
    EXPECT_EQ(b().HotkeysSuspended, 0);
    b().JournalMode = 0;
    ASSERT_EQ(execute_(160, "a<P:3000>b"), 1);
    ASSERT_EQ(b().JournalMode, 2);
    EXPECT_EQ(b().HotkeysSuspended, -1);
    const MacroEvent playing = b().MacroEvents[0];
    EXPECT_EQ(execute_(160, "zz"), 1);
    EXPECT_EQ(GetText255(b().StatusText), "Skipping execution of function A0!");
    EXPECT_EQ(b().MacroLength, 4);
    EXPECT_EQ(b().MacroEvents[0].ParamL, playing.ParamL);
}

TEST_F(MacroFunctions, NegativeRepeatIntervalIsNoInterval) {
    for (const char* parameter : {"r\xFF" "0\xFF" "-2", "MV:+0,+0\xFF" "0\xFF" "-1"}) {
        const std::uint32_t id = parameter[0] == 'r' ? 164 : 101;
        EXPECT_EQ(execute_(id, parameter), 1) << id;
        EXPECT_EQ(b().MacroInterval, 0) << id;
        ASSERT_TRUE(PumpUntil([this] { return b().JournalMode == 3; })) << id;  // between two runs
        EXPECT_EQ(execute_(97, ""), 1);
        EXPECT_EQ(b().JournalMode, 0);
    }
}

TEST_F(MacroTest, UnloadingKlsupportDuringAPlaybackEndsItQuietly) {
    {
        Library support("klsupport.dll");
        auto execute = support.Get<std::int32_t WINAPI(std::uint32_t, const char*)>("ExecuteFunctionEx");
        // F24 (key code 135) twice, three seconds apart.
        ASSERT_EQ(execute(160, "<#135><P:3000><#135>"), 1);
        ASSERT_TRUE(PumpUntil([this] { return b().MacroPosition >= 2; }));
    }
    EXPECT_EQ(b().JournalMode, 0);
    EXPECT_EQ(b().KeyloomEnabled, -1);
    EXPECT_EQ(b().HotkeysSuspended, 0);
    // No timer of the unloaded library fires any more.
    PumpUntil([] { return false; }, 300);
}
