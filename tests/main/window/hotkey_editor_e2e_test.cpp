// The hotkey editor as a user meets it: keyloom.exe opens it from its menu commands,
// the test finds it by its caption, types and presses keys into it, confirms with
// Enter, and then presses the new combination while another program has the focus.
#include <string>

#include "model/language.h"
#include "dialogs/edit_hotkey_ids.h"
#include "e2e_fixture.h"
#include "testing/support_library.h"
#include "window/control_ids.h"

using namespace kl;
using namespace kl::testing;
namespace id = kl::editor_ids;

namespace {

constexpr int kTypeText = 160;
constexpr char kMinimised[] = "size 1";

class EditorEndToEnd : public EndToEnd {
protected:
    Language english_;

    void SetUp() override {
        english_.SetDataDirectory(BinDir());
        english_.SetLanguageFile("english");
        ASSERT_EQ(english_.Load(), LanguageStatus::Loaded);
        Options(true);
    }

    // Waits for the editor of keyloom.exe and gives it the keyboard.
    HWND WaitForEditor() {
        DWORD pid = 0;
        GetWindowThreadProcessId(main_, &pid);
        HWND dlg = nullptr;
        PollUntil([&] {
            dlg = FindProcessWindow(pid, english_.Text(164).c_str());
            return dlg != nullptr;
        });
        if (dlg) BringToFront(dlg);
        return dlg;
    }
    static void Press(WORD vk, int modifiers = 0) { PressCombination(vk, modifiers); }
    // The program registers its hotkeys again after the editor has gone; a message sent
    // to its window is answered only once it is back in its message loop.
    void WaitForMainLoop() {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
    }
    static void Type(const std::string& letters) {
        for (const char c : letters) Press(static_cast<WORD>(LOBYTE(VkKeyScanA(c))));
    }
    static std::string TextOf(HWND w) {
        char text[512] = {};
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(w, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 2000, &ignored);
        return text;
    }
    static int Selection(HWND dlg, int control) {
        return static_cast<int>(SendMessageA(GetDlgItem(dlg, control), CB_GETCURSEL, 0, 0));
    }
};

}  // namespace

TEST_F(EditorEndToEnd, ANewHotkeyDefinedWithTheKeyboardWorksAtOnce) {
    Start();
    PostMessageA(main_, WM_COMMAND, ids::mnNewHotkey, 0);  // File > New > Hotkey
    HWND dlg = WaitForEditor();
    ASSERT_NE(dlg, nullptr) << "the editor did not open";
    ASSERT_EQ(GetForegroundWindow(), dlg);
    ASSERT_TRUE(FocusReaches(dlg, id::ebDescription));
    // A new hotkey is made with hotkey handling off and keys captured.
    EXPECT_EQ(b().KeyloomEnabled, 0);
    EXPECT_NE(b().HotkeysSuspended, 0);
    EXPECT_EQ(b().WinKeyEnabled, 0);

    Type("say hi");
    Press(VK_TAB);  // the modifier box
    Press(VK_TAB);  // the key field
    ASSERT_TRUE(FocusReaches(dlg, id::ebKey));
    Press('T', kCtrl | kShift);
    EXPECT_TRUE(PollUntil([&] { return TextOf(GetDlgItem(dlg, id::ebKey)) == "54"; }, 3000));
    EXPECT_EQ(Selection(dlg, id::cbModifier), kCtrl | kShift);
    EXPECT_EQ(Selection(dlg, id::cbKey), 'T');

    Press(VK_TAB);  // the key list
    Press(VK_TAB);  // the categories
    ASSERT_TRUE(FocusReaches(dlg, id::cbCategory));
    Type("t");      // "Typing", the ninth category
    EXPECT_TRUE(PollUntil([&] { return Selection(dlg, id::cbCategory) == 8; }, 3000));
    Press(VK_TAB);
    ASSERT_TRUE(FocusReaches(dlg, id::cbFunction));
    Press(VK_HOME);
    Press(VK_DOWN);  // the second function of the category: Type text
    EXPECT_TRUE(PollUntil([&] { return Selection(dlg, id::cbFunction) == 1; }, 3000));
    Press(VK_TAB);
    ASSERT_TRUE(FocusReaches(dlg, id::ebDocument));
    EXPECT_EQ(TextOf(GetDlgItem(dlg, id::lblDocument)), english_.Text(474));
    Type("hi");
    Press(VK_RETURN);  // OK
    ASSERT_TRUE(PollUntil([&] { return !IsWindow(dlg); }, 5000)) << "the editor did not close";
    WaitForMainLoop();

    // Stored, and hotkey handling is on again with the new hotkey registered.
    HotkeyStore store(reg::kHotkeysKey, nullptr);
    const int stored = store.FindHotkeyID('T', kCtrl | kShift);
    ASSERT_GT(stored, 0);
    EXPECT_EQ(GetText(std::string(reg::kHotkeysKey) + "HotKey" + std::to_string(stored), "Description"), "say hi");
    EXPECT_TRUE(PollUntil([&] { return b().KeyloomEnabled != 0 && b().HotkeysSuspended == 0; }));
    EXPECT_NE(b().WinKeyEnabled, 0);

    TargetProgram target;
    ASSERT_TRUE(target.ready());
    Press('T', kCtrl | kShift);
    EXPECT_TRUE(PollUntil([&] { return target.Logged("char 104") && target.Logged("char 105"); }, 15000))
        << "the new hotkey did not type its text";
    EXPECT_EQ(b().LastHotkey, stored);
}

TEST_F(EditorEndToEnd, ChangingAnExistingHotkeysFunctionTakesEffectAtOnce) {
    const int stored = Store('J', kCtrl | kAlt, kToggleWindowsKey, "", "toggle");
    Start();
    Notify(static_cast<WPARAM>(stored), -11);  // run once: it is now the last hotkey
    ASSERT_EQ(b().LastHotkey, stored);

    PostMessageA(main_, WM_COMMAND, ids::mnEditLastHotkey, 0);  // the tray menu's Edit last hotkey
    HWND dlg = WaitForEditor();
    ASSERT_NE(dlg, nullptr) << "the editor did not open";
    ASSERT_TRUE(FocusReaches(dlg, id::ebDescription));
    EXPECT_EQ(TextOf(GetDlgItem(dlg, id::ebDescription)), "toggle");
    EXPECT_EQ(TextOf(GetDlgItem(dlg, id::ebKey)), "4A");
    EXPECT_EQ(Selection(dlg, id::cbModifier), kCtrl | kAlt);
    // Changing a stored hotkey leaves hotkey handling on.
    EXPECT_NE(b().KeyloomEnabled, 0);

    for (int i = 0; i < 4; ++i) Press(VK_TAB);  // modifier, key, key list, categories
    ASSERT_TRUE(FocusReaches(dlg, id::cbCategory));
    Press(VK_HOME);
    for (int i = 0; i < 3; ++i) Press(VK_DOWN);  // Windows and bookmarks
    EXPECT_TRUE(PollUntil([&] { return Selection(dlg, id::cbCategory) == 3; }, 3000));
    Press(VK_TAB);
    ASSERT_TRUE(FocusReaches(dlg, id::cbFunction));
    Press(VK_HOME);
    for (int i = 0; i < 3; ++i) Press(VK_DOWN);  // close, restore, on top, minimise
    EXPECT_TRUE(PollUntil([&] { return Selection(dlg, id::cbFunction) == 3; }, 3000));
    Press(VK_RETURN);
    ASSERT_TRUE(PollUntil([&] { return !IsWindow(dlg); }, 5000)) << "the editor did not close";
    WaitForMainLoop();
    EXPECT_EQ(GetText(std::string(reg::kHotkeysKey) + "HotKey" + std::to_string(stored), "Key"), "74");

    TargetProgram target;
    ASSERT_TRUE(target.ready());
    Press('J', kCtrl | kAlt);
    EXPECT_TRUE(PollUntil([&] { return target.Logged(kMinimised); }, 15000)) << "the changed hotkey did not minimise";
    EXPECT_EQ(b().LastHotkey, stored);
}

TEST_F(EditorEndToEnd, ProgramEndingWithTheEditorOpenPutsTheOptionsBack) {
    Start();
    ASSERT_NE(b().WinKeyEnabled, 0);
    PostMessageA(main_, WM_COMMAND, ids::mnNewHotkey, 0);
    HWND dlg = WaitForEditor();
    ASSERT_NE(dlg, nullptr);
    ASSERT_TRUE(PollUntil([&] { return b().WinKeyEnabled == 0 && b().HotkeysSuspended != 0; }));

    // Exit from the tray menu while the editor is open.
    PostMessageA(main_, WM_COMMAND, ids::mnExit, 0);
    ASSERT_TRUE(app_->WaitForExit(15000)) << "keyloom.exe did not end";
    EXPECT_NE(b().WinKeyEnabled, 0);
    EXPECT_EQ(b().HotkeysSuspended, 0);
    EXPECT_EQ(GetText(BaseKey(), reg::kWinKeyEnabled), "1");
}
