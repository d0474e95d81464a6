// klhook.dll itself: what it imports, how it attaches to the block, and its
// exported procedures called with real messages, windows and the real block.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "system/program_filter_map.h"
#include "handle_words.h"
#include "settings_block.h"
#include "testing/fresh_session.h"
#include "testing/settings_map.h"
#include "testing/support_library.h"
#include "testing/synth_input.h"
#include "testing/thread_window.h"
#include "win_handles.h"

using namespace kl;
using namespace kl::testing;

KL_REQUIRE_FRESH_SESSION();

namespace {

using HookProc = LRESULT WINAPI(int, WPARAM, LPARAM);

constexpr LPARAM kRelease = static_cast<LPARAM>(0xC0000001u);

#ifndef DBG_PRINTEXCEPTION_C
#define DBG_PRINTEXCEPTION_C 0x40010006L
#endif

// The texts this process sends to the debugger output while the object lives:
// OutputDebugStringA raises DBG_PRINTEXCEPTION_C, which a vectored handler sees
// before anyone else.
class DebugOutput {
public:
    DebugOutput() {
        Texts().clear();
        handler_ = AddVectoredExceptionHandler(1, &Handler);
    }
    ~DebugOutput() { RemoveVectoredExceptionHandler(handler_); }
    DebugOutput(const DebugOutput&) = delete;
    DebugOutput& operator=(const DebugOutput&) = delete;

    static std::vector<std::string>& Texts() {
        static std::vector<std::string> texts;
        return texts;
    }

private:
    static LONG CALLBACK Handler(EXCEPTION_POINTERS* e) {
        const EXCEPTION_RECORD* r = e->ExceptionRecord;
        if (r->ExceptionCode == static_cast<DWORD>(DBG_PRINTEXCEPTION_C) && r->NumberParameters >= 2)
            Texts().emplace_back(reinterpret_cast<const char*>(r->ExceptionInformation[1]));
        return EXCEPTION_CONTINUE_SEARCH;
    }
    void* handler_ = nullptr;
};

// Keys held down through the system's input, as a user holds them, and let go
// again at the end.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<WORD> keys) : keys_(keys) {
        for (WORD k : keys_) KeyDown(k);
        for (WORD k : keys_)
            EXPECT_TRUE(PollFor([k] { return (GetAsyncKeyState(k) & 0x8000) != 0; })) << "key " << k << " not down";
    }
    ~HeldKeys() {
        for (auto k = keys_.rbegin(); k != keys_.rend(); ++k) KeyUp(*k);
        PollFor([this] {
            for (WORD k : keys_)
                if (GetAsyncKeyState(k) & 0x8000) return false;
            return true;
        });
    }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    std::vector<WORD> keys_;
};

std::set<std::string> ImportedLibraries(HMODULE module) {
    const auto* base = reinterpret_cast<const unsigned char*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const auto& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    std::set<std::string> names;
    if (dir.VirtualAddress == 0) return names;
    for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); d->Name; ++d) {
        std::string name = reinterpret_cast<const char*>(base + d->Name);
        for (auto& c : name) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
        names.insert(name);
    }
    return names;
}

// A hidden top-level window that receives the notifications.
class Window {
public:
    Window(int x, int y, int width, int height, DWORD style = WS_OVERLAPPEDWINDOW)
        : hwnd_(CreateWindowExA(0, "STATIC", "klhook test", style, x, y, width, height, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr)) {}
    ~Window() {
        if (hwnd_) DestroyWindow(hwnd_);
    }
    HWND get() const { return hwnd_; }
    int Height() const {
        RECT r{};
        GetWindowRect(hwnd_, &r);
        return r.bottom - r.top;
    }

private:
    HWND hwnd_;
};

class HookLibrary : public ::testing::Test {
protected:
    SettingsMap map_;
    const UINT notify_ = RegisterWindowMessageA("KLSysTrayHookLibraryTest");
    Window main_{0, 0, 100, 100};

    HookLibrary() {
        std::memset(&map_.block(), 0, sizeof(SettingsBlock));
        map_->BlockSize = kSettingsBlockSize;
        map_->KeyloomEnabled = kTrue;
        map_->NotifyMessage = notify_;
        map_->MainWindow = static_cast<Handle32>(reinterpret_cast<UINT_PTR>(main_.get()));
    }

    // Notifications posted to the main window, oldest first.
    std::vector<std::pair<WPARAM, LPARAM>> TakeNotifications() {
        std::vector<std::pair<WPARAM, LPARAM>> got;
        MSG m;
        while (PeekMessageA(&m, main_.get(), notify_, notify_, PM_REMOVE)) got.emplace_back(m.wParam, m.lParam);
        return got;
    }
};

TEST(HookLibraryImage, ImportsOnlyKernel32AndUser32) {
    Library lib("klhook.dll");
    ASSERT_TRUE(lib.handle());
    EXPECT_EQ(ImportedLibraries(lib.handle()), (std::set<std::string>{"KERNEL32.DLL", "USER32.DLL"}));
    EXPECT_TRUE(lib.Raw("KLKbdHookProc"));
    EXPECT_TRUE(lib.Raw("KLGetMsgProc"));
}

TEST(HookLibraryAttach, CopyLoadedBeforeTheBlockExistsStaysInert) {
    Library lib("klhook.dll");  // no mapping exists in this process yet
    auto* kbd = lib.Get<HookProc>("KLKbdHookProc");
    auto* getMsg = lib.Get<HookProc>("KLGetMsgProc");
    SettingsMap map;
    map->BlockSize = kSettingsBlockSize;
    map->KeyloomEnabled = kTrue;
    EXPECT_EQ(kbd(0, VK_SHIFT, 1), 0);
    EXPECT_EQ(map->ShiftDown, 0);
    MSG m{nullptr, WM_SYSCOMMAND, SC_TASKLIST, 0, 0, {}};
    map->LWinDown = 1;  // would block the Start menu in a live copy
    EXPECT_EQ(getMsg(0, PM_REMOVE, reinterpret_cast<LPARAM>(&m)), 0);
    EXPECT_EQ(m.message, static_cast<UINT>(WM_SYSCOMMAND));
}

TEST(HookLibraryAttach, UninitialisedBlockIsSwitchedOffWithStatus102) {
    SettingsMap map;
    map->KeyloomEnabled = kTrue;
    {
        Library lib("klhook.dll");
        EXPECT_EQ(map->LastStatus, kStatusBlockUninitialised);
        EXPECT_EQ(map->KeyloomEnabled, 0);
        // Still attached: the modifier flags are kept.
        EXPECT_EQ(lib.Get<HookProc>("KLKbdHookProc")(0, VK_CONTROL, 1), 0);
        EXPECT_EQ(map->CtrlDown, 1);
    }
    map->BlockSize = kSettingsBlockSize;
    map->KeyloomEnabled = kTrue;
    map->LastStatus = 0;
    Library again("klhook.dll");
    EXPECT_EQ(map->LastStatus, 0);
    EXPECT_EQ(map->KeyloomEnabled, kTrue);
}

TEST(HookLibraryAttach, ForeignMappingSmallerThanTheBlockIsNotUsed) {
    UniqueHandle small(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, kSettingsMapName));
    ASSERT_TRUE(small);
    MappedView view(MapViewOfFile(small.get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
    ASSERT_TRUE(view);
    Library lib("klhook.dll");  // would write KeyloomEnabled far beyond 4096 bytes
    EXPECT_EQ(lib.Get<HookProc>("KLKbdHookProc")(0, VK_SHIFT, 1), 0);
    const auto* bytes = view.as<unsigned char>();
    EXPECT_EQ(bytes[offsetof(SettingsBlock, LastStatus)], 0);
    EXPECT_EQ(bytes[offsetof(SettingsBlock, ShiftDown)], 0);
}

// Another program can create the name first with SEC_RESERVE: the view is as large
// as the block, but a page that is only reserved faults when it is first read.
TEST(HookLibraryAttach, ForeignMappingOnlyReservedIsNotUsed) {
    UniqueHandle reserved(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE | SEC_RESERVE, 0,
                                             kSettingsBlockSize, kSettingsMapName));
    ASSERT_TRUE(reserved);
    MappedView view(MapViewOfFile(reserved.get(), FILE_MAP_READ, 0, 0, 0));
    ASSERT_TRUE(view);
    Library lib("klhook.dll");  // an attached copy would mark the block with status 102
    ASSERT_TRUE(lib.handle());
    EXPECT_EQ(lib.Get<HookProc>("KLKbdHookProc")(0, VK_SHIFT, 1), 0);
    MSG m{nullptr, WM_KEYDOWN, 'A', 1, 0, {}};
    EXPECT_EQ(lib.Get<HookProc>("KLGetMsgProc")(0, PM_REMOVE, reinterpret_cast<LPARAM>(&m)), 0);
    // Read without faulting: a reserved page cannot be read at all.
    std::int32_t status = 0;
    ReadProcessMemory(GetCurrentProcess(), view.as<char>() + offsetof(SettingsBlock, LastStatus), &status,
                      sizeof status, nullptr);
    EXPECT_NE(status, kStatusBlockUninitialised);
}

// Loading and unloading run under the loader lock, where waiting for a debug-output
// listener would hold the process: nothing is traced there, even in debug mode.
TEST(HookLibraryTrace, NothingIsTracedWhileLoadingOrUnloading) {
    SettingsMap map;
    map->BlockSize = kSettingsBlockSize;
    map->KeyloomEnabled = kTrue;
    map->KbdHook = 0x1234;
    map->Debug = kTrue;
    DebugOutput output;
    { Library lib("klhook.dll"); }
    EXPECT_EQ(output.Texts(), std::vector<std::string>{});
}

TEST_F(HookLibrary, TracesOnlyWhenTheBlockAsksForThem) {
    Library lib("klhook.dll");
    auto* kbd = lib.Get<HookProc>("KLKbdHookProc");
    map_->Hotkeys[0] = HotkeyEntry{42, 'K', 0, 0};
    map_->HotkeyCountPerKey['K'] = 1;
    DebugOutput output;
    EXPECT_EQ(kbd(0, 'K', 1), 1);
    EXPECT_EQ(output.Texts(), std::vector<std::string>{});
    map_->Debug = kTrue;
    EXPECT_EQ(kbd(0, 'K', 1), 1);
    EXPECT_EQ(output.Texts(), std::vector<std::string>{"key prevented"});
}

TEST_F(HookLibrary, HotkeyReleasePostsItsIdToTheMainWindow) {
    Library lib("klhook.dll");
    auto* kbd = lib.Get<HookProc>("KLKbdHookProc");
    map_->Hotkeys[0] = HotkeyEntry{42, 'K', kModCtrl | kModAlt, 0};
    map_->HotkeyCountPerKey['K'] = 1;
    HeldKeys held{VK_CONTROL, VK_MENU};
    EXPECT_EQ(kbd(0, VK_CONTROL, 1), 0);
    EXPECT_EQ(kbd(0, VK_MENU, 1), 0);
    EXPECT_EQ(kbd(0, 'K', 1), 1);
    EXPECT_TRUE(TakeNotifications().empty());
    EXPECT_EQ(kbd(0, 'K', static_cast<LPARAM>(0xC0000001u)), 1);
    EXPECT_EQ(TakeNotifications(), (std::vector<std::pair<WPARAM, LPARAM>>{{42, -11}}));

    map_->KeyloomEnabled = 0;
    EXPECT_EQ(kbd(0, 'K', static_cast<LPARAM>(0xC0000001u)), 0);
    EXPECT_TRUE(TakeNotifications().empty());
}

// The copy reads this process's name when it is loaded and opens the filter
// made before; every replacement of the filter is seen at once.
TEST_F(HookLibrary, TheProgramFilterDecidesByTheNameOfTheProcess) {
    ProgramFilterMapping filter;
    ASSERT_TRUE(filter.Create());
    Library lib("klhook.dll");
    auto* kbd = lib.Get<HookProc>("KLKbdHookProc");
    map_->Hotkeys[0] = HotkeyEntry{42, 'K', 0, 0};
    map_->HotkeyCountPerKey['K'] = 1;
    const auto fires = [&] {
        const bool consumed = kbd(0, 'K', 1) == 1 && kbd(0, 'K', kRelease) == 1;
        return consumed && TakeNotifications() == std::vector<std::pair<WPARAM, LPARAM>>{{42, -11}};
    };
    filter.Write({{0, 42, kProgramsOnly, "other.exe;HOOK_LIBRARY_TEST.EXE"}}, "");
    EXPECT_TRUE(fires());
    filter.Write({{0, 42, kProgramsOnly, "other.exe"}}, "");
    EXPECT_EQ(kbd(0, 'K', 1), 0);
    EXPECT_EQ(kbd(0, 'K', kRelease), 0);
    filter.Write({}, "game.exe;hook_library_test.exe");
    EXPECT_EQ(kbd(0, 'K', kRelease), 0);
    EXPECT_TRUE(TakeNotifications().empty());
    filter.Write({{0, 42, kProgramsExcept, "other.exe"}}, "");
    EXPECT_TRUE(fires());
}

TEST_F(HookLibrary, AnotherProgramsSmallerFilterMappingIsNotUsed) {
    UniqueHandle foreign(
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, kProgramFilterMapName));
    ASSERT_TRUE(foreign);
    MappedView view(MapViewOfFile(foreign.get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
    ASSERT_TRUE(view);
    // A header as keyloom.exe writes it, and an OffInPrograms set that a copy
    // using the view would read beyond its 4096 bytes.
    std::memset(view.get(), 0, 4096);
    const std::uint32_t header[] = {kProgramFilterMagic, kProgramFilterVersion, sizeof(ProgramFilterMap), 0, 2, 0, 0, 16};
    std::memcpy(view.get(), header, sizeof header);
    Library lib("klhook.dll");
    auto* kbd = lib.Get<HookProc>("KLKbdHookProc");
    map_->Hotkeys[0] = HotkeyEntry{42, 'K', 0, 0};
    map_->HotkeyCountPerKey['K'] = 1;
    EXPECT_EQ(kbd(0, 'K', kRelease), 1);
    EXPECT_EQ(TakeNotifications(), (std::vector<std::pair<WPARAM, LPARAM>>{{42, -11}}));
}

// Ctrl and Alt pressed, then Ctrl+Alt+Del: the releases happen on the secure
// desktop, where no hook runs. The flags in the block still say held.
TEST_F(HookLibrary, ModifiersReleasedOutOfSightDoNotMakeAPlainKeyAHotkey) {
    Library lib("klhook.dll");
    auto* kbd = lib.Get<HookProc>("KLKbdHookProc");
    map_->Hotkeys[0] = HotkeyEntry{42, 'T', kModCtrl | kModAlt, 0};
    map_->HotkeyCountPerKey['T'] = 1;
    {
        HeldKeys held{VK_CONTROL, VK_MENU};
        EXPECT_EQ(kbd(0, VK_CONTROL, 1), 0);
        EXPECT_EQ(kbd(0, VK_MENU, 1), 0);
    }
    EXPECT_EQ(kbd(0, 'T', 1), 0);
    EXPECT_EQ(kbd(0, 'T', kRelease), 0);
    EXPECT_TRUE(TakeNotifications().empty());
    EXPECT_EQ(map_->CtrlDown, 0);
    EXPECT_EQ(map_->AltDown, 0);

    // The thread that reads the keys has not yet read the releases: they count.
    BYTE state[256]{};
    state[VK_CONTROL] = state[VK_MENU] = 0x80;
    SetKeyboardState(state);
    EXPECT_EQ(kbd(0, VK_CONTROL, 1), 0);
    EXPECT_EQ(kbd(0, VK_MENU, 1), 0);
    EXPECT_EQ(kbd(0, 'T', kRelease), 1);
    EXPECT_EQ(TakeNotifications(), (std::vector<std::pair<WPARAM, LPARAM>>{{42, -11}}));
    state[VK_CONTROL] = state[VK_MENU] = 0;
    SetKeyboardState(state);
}

TEST_F(HookLibrary, ShiftWindowsDigitBookmarksTheForegroundWindowOfAnotherThread) {
    Library lib("klhook.dll");
    auto* kbd = lib.Get<HookProc>("KLKbdHookProc");
    map_->BookmarksEnabled = kTrue;
    // The hook may run on a thread that is not the foreground program's (Keyloom's
    // own, for programs of the other bitness): this thread has no active window.
    ThreadWindow target;
    ASSERT_TRUE(target.BringToFront());
    HeldKeys held{VK_LWIN, VK_SHIFT};
    kbd(0, VK_SHIFT, 1);
    EXPECT_EQ(kbd(0, '3', 1), 1);
    EXPECT_EQ(kbd(0, '3', kRelease), 1);
    EXPECT_EQ(WindowFromWord(map_->Bookmarks[3]), target.hwnd());
}

// Windows+5 for a bookmarked window whose program hangs: the program the user is
// typing in (here the thread calling the hook) must not wait for it.
TEST_F(HookLibrary, WindowsDigitDoesNotWaitForAHungBookmarkedWindow) {
    Library lib("klhook.dll");
    auto* kbd = lib.Get<HookProc>("KLKbdHookProc");
    map_->BookmarksEnabled = kTrue;
    constexpr UINT kHang = WM_APP + 7;
    UniqueHandle release(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    UniqueHandle hung(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    ThreadWindow target(ThreadWindow::Options{}.Title("hung bookmark target").OnMessage([&](UINT m, WPARAM, LPARAM) {
        if (m != kHang) return;
        SetEvent(hung.get());
        WaitForSingleObject(release.get(), 60000);
    }));
    PostMessageA(target.hwnd(), kHang, 0, 0);
    ASSERT_EQ(WaitForSingleObject(hung.get(), 5000), WAIT_OBJECT_0);
    map_->Bookmarks[5] = WordFromHandle(target.hwnd());

    HeldKeys held{VK_LWIN};
    UniqueHandle done(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    LRESULT result = 0;
    std::thread typing([&] {
        result = kbd(0, '5', kRelease);
        SetEvent(done.get());
    });
    const DWORD waited = WaitForSingleObject(done.get(), 5000);
    SetEvent(release.get());
    typing.join();
    EXPECT_EQ(waited, WAIT_OBJECT_0) << "the hook waited for the hung window's thread";
    EXPECT_EQ(result, 1);
    EXPECT_EQ(map_->SuppressStartMenu, 1);
}

TEST_F(HookLibrary, RemapRewritesMessagesOnlyWhileEnabled) {
    Library lib("klhook.dll");
    auto* getMsg = lib.Get<HookProc>("KLGetMsgProc");
    map_->RemapKeys = kTrue;
    map_->KeyRemap.Count = 1;
    map_->KeyRemap.Entries[0] = KeyRemapEntry{0x1E, 'A', 0x30, 'B', 0};

    MSG m{main_.get(), WM_CHAR, 'a', 1, 0, {}};
    getMsg(0, PM_REMOVE, reinterpret_cast<LPARAM>(&m));
    EXPECT_EQ(m.wParam, static_cast<WPARAM>(MapVirtualKeyA('B', 2)));
    m = MSG{main_.get(), WM_KEYDOWN, 'A', (0x1E << 16) | 1, 0, {}};
    getMsg(0, PM_REMOVE, reinterpret_cast<LPARAM>(&m));
    EXPECT_EQ(m.wParam, WPARAM('B'));
    EXPECT_EQ((m.lParam >> 16) & 0xFF, 0x30);

    map_->KeyloomEnabled = 0;
    m = MSG{main_.get(), WM_KEYDOWN, 'A', 1, 0, {}};
    getMsg(0, PM_REMOVE, reinterpret_cast<LPARAM>(&m));
    EXPECT_EQ(m.wParam, WPARAM('A'));
    EXPECT_EQ(getMsg(0, PM_REMOVE, 0), 0);  // no message at all
}

TEST_F(HookLibrary, CaptionDoubleClickRollsARealWindowUpAndDown) {
    Library lib("klhook.dll");
    auto* getMsg = lib.Get<HookProc>("KLGetMsgProc");
    map_->CaptureMenuDblClicks = kTrue;
    Window w(50, 50, 400, 600, WS_POPUP | WS_CAPTION | WS_SYSMENU);
    ASSERT_EQ(w.Height(), 600);

    MSG m{w.get(), WM_NCLBUTTONDBLCLK, HTCAPTION, 0, 0, {}};
    getMsg(0, PM_REMOVE, reinterpret_cast<LPARAM>(&m));
    EXPECT_EQ(m.message, 0u);
    EXPECT_EQ(w.Height(), GetSystemMetrics(SM_CYSIZE) + 8);
    EXPECT_EQ(map_->CollapsedWindows[0], static_cast<Handle32>(reinterpret_cast<UINT_PTR>(w.get())));
    EXPECT_EQ(map_->CollapsedHeights[0], 600);

    m = MSG{w.get(), WM_NCLBUTTONDBLCLK, HTCAPTION, 0, 0, {}};
    getMsg(0, PM_REMOVE, reinterpret_cast<LPARAM>(&m));
    EXPECT_EQ(w.Height(), 600);
}

TEST_F(HookLibrary, RandomBlocksThroughTheExportsNeverCrash) {
    Library lib("klhook.dll");
    auto* kbd = lib.Get<HookProc>("KLKbdHookProc");
    auto* getMsg = lib.Get<HookProc>("KLGetMsgProc");
    std::mt19937 rng(99);
    auto* bytes = reinterpret_cast<unsigned char*>(&map_.block());
    for (int round = 0; round < 300; ++round) {
        for (std::size_t i = 0; i < sizeof(SettingsBlock); ++i) bytes[i] = static_cast<unsigned char>(rng());
        // Posts and window switches go to our own window only.
        map_->MainWindow = static_cast<Handle32>(reinterpret_cast<UINT_PTR>(main_.get()));
        map_->NotifyMessage = notify_;
        std::memset(map_->Bookmarks, 0, sizeof map_->Bookmarks);
        map_->JournalHook = 0;
        map_->KeyloomEnabled = kTrue;
        for (int i = 0; i < 10; ++i) {
            kbd(0, rng() % 256, static_cast<LPARAM>(rng()));
            MSG m{main_.get(), static_cast<UINT>(rng() % 2 ? WM_KEYDOWN + rng() % 3 : rng() % 0x210),
                  rng() % 256, static_cast<LPARAM>(rng()), 0, {}};
            getMsg(0, PM_REMOVE, reinterpret_cast<LPARAM>(&m));
        }
        TakeNotifications();
    }
    SUCCEED();
}

}  // namespace
