// The controls of hotkeys for chosen programs as a user meets them in keyloom.exe:
// the editor's programs row typed into from the keyboard, the hotkey list's Programs
// column, and the Options page's field of programs Keyloom is off in, per profile.
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialogs/edit_hotkey_ids.h"
#include "dialogs/editor_programs_row.h"
#include "dialogs/select_programs_dialog.h"
#include "model/hotkey_programs.h"
#include "model/language.h"
#include "model/profiles.h"
#include "model/program_control_texts.h"
#include "options_fixture.h"
#include "testing/remote_list_view.h"
#include "testing/support_library.h"
#include "window/control_ids.h"
#include "window/off_in_programs_field.h"

using namespace kl;
using namespace kl::testing;
namespace row = kl::programs_row_ids;

namespace {

constexpr LPARAM kShowWindow = -9, kLoadProfile = -6;
const std::string kWork = std::string(reg::kProfilesKey) + "Work\\";

class ProgramControls : public OptionsTest {
protected:
    Language english_;

    void SetUp() override {
        english_.SetDataDirectory(BinDir());
        english_.SetLanguageFile("english");
        ASSERT_EQ(english_.Load(), LanguageStatus::Loaded);
        Options(true);
    }
    std::string T(int n) const { return english_.Text(n); }

    HWND WaitForEditor() {
        HWND dlg = WaitForOwnWindow(T(164).c_str());
        if (dlg) BringToFront(dlg);
        return dlg;
    }
    static void Type(const std::string& letters) {
        for (const char c : letters) {
            const SHORT scan = VkKeyScanA(c);
            PressCombination(static_cast<WORD>(LOBYTE(scan)), (HIBYTE(scan) & 1) ? kShift : 0);
        }
    }
    static std::string Value(int hotkey, const char* name) {
        return GetText(std::string(reg::kHotkeysKey) + "HotKey" + std::to_string(hotkey), name).value_or("<none>");
    }
    void ShowMainWindow() {
        Notify(0, kShowWindow);
        ASSERT_TRUE(PollUntil([&] { return IsWindowVisible(main_) != FALSE; }));
    }
    void SetFieldText(HWND field, const std::string& text) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL, 5000, &ignored);
    }
};

}  // namespace

TEST_F(ProgramControls, TheEditorTakesTheProgramsFromTheKeyboardAndTheListShowsThem) {
    const int stored = Store('J', kCtrl | kAlt, kToggleWindowsKey, "", "toggle");
    const int everywhere = Store('Q', kCtrl | kAlt, kToggleWindowsKey, "", "everywhere");
    Start();
    Notify(static_cast<WPARAM>(stored), -11);  // run once: it is now the last hotkey
    PostCommand(ids::mnEditLastHotkey);
    HWND dlg = WaitForEditor();
    ASSERT_NE(dlg, nullptr) << "the editor did not open";
    EXPECT_EQ(WindowText(GetDlgItem(dlg, row::lblPrograms)), T(program_texts::kProgramsLabel));

    PressCombination('P', kAlt);  // "&Programs"
    ASSERT_TRUE(FocusReaches(dlg, row::ebPrograms));
    Type("a.exe;b.exe");
    PressCombination('H', kAlt);  // "W&here"
    ASSERT_TRUE(FocusReaches(dlg, row::cbProgramsMode));
    PressCombination(VK_DOWN, 0);  // "Only in these programs"
    EXPECT_TRUE(PollUntil([&] {
        return SendMessageA(GetDlgItem(dlg, row::cbProgramsMode), CB_GETCURSEL, 0, 0) == 1;
    }, 3000));
    PressCombination(VK_TAB, 0);  // on to OK, which Enter presses
    PressCombination(VK_RETURN, 0);
    ASSERT_TRUE(PollUntil([&] { return !IsWindow(dlg); }, 5000)) << "the editor did not close";
    EXPECT_TRUE(PollUntil([&] { return Value(stored, reg::kHotkeyProgramsMode) == "1"; }, 5000));
    EXPECT_EQ(Value(stored, reg::kHotkeyPrograms), "a.exe;b.exe");
    EXPECT_EQ(Value(everywhere, reg::kHotkeyPrograms), "<none>");

    ASSERT_TRUE(WriteHotkeyPrograms(reg::kHotkeysKey, everywhere, {"C.exe", ProgramsMode::ExceptIn}));
    ShowMainWindow();
    RemoteListView grid(Control(ids::sgHotkeys));
    ASSERT_TRUE(PollUntil([&] { return grid.Count() == 2; }));
    for (int i = 0; i < 2; ++i) {
        const std::string id = grid.Text(i, 0);
        const std::string expected = id == std::to_string(stored) ? "only: a.exe; b.exe" : "except: c.exe";
        EXPECT_TRUE(PollUntil([&] { return grid.Text(i, 6) == expected; }, 3000)) << grid.Text(i, 6);
    }
}

TEST_F(ProgramControls, TheOptionsFieldIsStoredInTheActiveProfile) {
    ASSERT_TRUE(AddProfile("Work", BinDir()));
    SetString(kWork, reg::kSimpleMode, "1");
    SetString(kWork, reg::kNoSysTray, "1");
    SetString(kWork, reg::kOffInPrograms, "mstsc.exe");
    SetString(BaseKey(), reg::kOffInPrograms, "game.exe");
    Start();
    ShowMainWindow();
    HWND field = Control(off_in_ids::ebOffInPrograms);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(WindowText(Control(off_in_ids::lblOffInPrograms)), T(program_texts::kOffInPrograms));
    EXPECT_EQ(WindowText(field), "game.exe");

    SetFieldText(field, "game.exe;vm.exe");
    EXPECT_TRUE(PollUntil([&] { return GetText(BaseKey(), reg::kOffInPrograms).value_or("") == "game.exe;vm.exe"; }));

    Notify(1, kLoadProfile);
    EXPECT_TRUE(PollUntil([&] { return WindowText(field) == "mstsc.exe"; }, 5000));
    SetFieldText(field, "");
    EXPECT_TRUE(PollUntil([&] { return !GetText(kWork, reg::kOffInPrograms).has_value(); }));
    EXPECT_EQ(GetText(BaseKey(), reg::kOffInPrograms).value_or(""), "game.exe;vm.exe");
}

TEST_F(ProgramControls, SelectOffersTheRunningProgramsAndAddsTheOnePicked) {
    const int stored = Store('J', kCtrl | kAlt, kToggleWindowsKey, "", "toggle");
    TargetProgram target;
    ASSERT_TRUE(target.ready());
    Start();
    Notify(static_cast<WPARAM>(stored), -11);
    PostCommand(ids::mnEditLastHotkey);
    HWND dlg = WaitForEditor();
    ASSERT_NE(dlg, nullptr) << "the editor did not open";
    PressCombination('T', kAlt);  // "Selec&t..."
    HWND picker = WaitForOwnWindow(T(program_texts::kPickerCaption).c_str());
    ASSERT_NE(picker, nullptr) << "the picker did not open";
    HWND list = GetDlgItem(picker, select_programs_ids::lbPrograms);
    const std::vector<std::string> offered = RemoteListBoxTexts(list);
    const auto at = std::find(offered.begin(), offered.end(), "e2e_target.exe");
    ASSERT_NE(at, offered.end()) << "the target's window is not offered";
    EXPECT_EQ(std::find(offered.begin(), offered.end(), "keyloom.exe"), offered.end());
    EXPECT_TRUE(std::is_sorted(offered.begin(), offered.end()));
    EXPECT_EQ(std::adjacent_find(offered.begin(), offered.end()), offered.end());

    if (!PollUntil([&] { return GetForegroundWindow() == picker; }, 2000)) SetForegroundWindow(picker);
    ASSERT_TRUE(FocusReaches(picker, select_programs_ids::lbPrograms));
    PressCombination(VK_HOME, 0);
    for (auto i = at - offered.begin(); i > 0; --i) PressCombination(VK_DOWN, 0);
    PressCombination(VK_RETURN, 0);  // OK
    ASSERT_TRUE(PollUntil([&] { return !IsWindow(picker); }, 5000)) << "the picker did not close";
    EXPECT_TRUE(PollUntil([&] { return WindowText(GetDlgItem(dlg, row::ebPrograms)) == "e2e_target.exe"; }, 3000));
    // Programs picked for a hotkey that acted everywhere: only in them.
    EXPECT_EQ(SendMessageA(GetDlgItem(dlg, row::cbProgramsMode), CB_GETCURSEL, 0, 0), 1);
    PressCombination(VK_ESCAPE, 0);
    EXPECT_TRUE(PollUntil([&] { return !IsWindow(dlg); }, 5000));
    EXPECT_EQ(Value(stored, reg::kHotkeyPrograms), "<none>");  // cancelled: nothing stored
}
