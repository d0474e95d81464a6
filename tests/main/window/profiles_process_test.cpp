// Profiles in the running program: two profiles with different hotkeys on the same
// key, switched through the Profiles menu and by function 4's notification, in both
// modes; and the names the profiles dialog refuses.
#include <string>

#include "model/profiles.h"
#include "dialogs/edit_hotkey_ids.h"
#include "dialogs/profiles_dialog.h"
#include "options_fixture.h"
#include "testing/support_library.h"
#include "text255.h"
#include "window/control_ids.h"

using namespace kl;
using namespace kl::testing;

namespace {

constexpr LPARAM kLoadProfile = -6;
const std::string kWork = std::string(reg::kProfilesKey) + "Work\\";

class Profiles : public OptionsTest {
protected:
    // Ctrl+Shift+K toggles the Windows key in the default profile and minimises the
    // focused program in "Work", whose hotkey has a higher ID than any of the default's.
    void Prepare(bool simpleMode) {
        Options(simpleMode);
        defaultId_ = Store('K', kCtrl | kShift, kToggleWindowsKey);
        ASSERT_TRUE(AddProfile("Work", BinDir()));
        SetString(kWork, reg::kSimpleMode, simpleMode ? "1" : "0");
        SetString(kWork, reg::kNoSysTray, "1");
        SetString(kWork, reg::kConfirmHotkeys, "0");
        HotkeyStore work(kWork + "Hotkeys\\", nullptr);
        for (char key : {'X', 'Y', 'Z'}) work.StoreHotkey(-1, key, kCtrl | kAlt, kToggleWindowsKey, "", "");
        workId_ = work.StoreHotkey(-1, 'K', kCtrl | kShift, kMinimiseForeground, "work", "").id;
        ASSERT_GT(workId_, defaultId_);
    }
    void ChooseProfileMenuItem(int item) { SendToMain(WM_COMMAND, MAKEWPARAM(ids::mnProfileFirst + item, 0), 0); }
    bool HotkeysLive() { return b().KeyloomEnabled == kTrue && (b().SimpleMode != 0 || b().HooksInstalled != 0); }

    void SwitchThroughTheMenu() {
        Start();
        TargetProgram target;
        ASSERT_TRUE(target.ready());
        const std::int32_t winKey = b().WinKeyEnabled;
        PressCombination('K', kCtrl | kShift);
        ASSERT_TRUE(PollUntil([&] { return b().WinKeyEnabled != winKey; })) << "the default profile's hotkey";
        EXPECT_EQ(b().LastHotkey, defaultId_);

        ChooseProfileMenuItem(1);
        EXPECT_EQ(Text255View(b().ProfileName), "Work");
        EXPECT_TRUE(HotkeysLive());
        ASSERT_TRUE(target.Focus());
        PressCombination('K', kCtrl | kShift);
        EXPECT_TRUE(PollUntil([&] { return target.Logged("size 1"); })) << "the Work profile's hotkey";
        EXPECT_EQ(b().LastHotkey, workId_);
        // Leaving the default profile saved it first.
        EXPECT_EQ(GetText(BaseKey(), reg::kWinKeyEnabled).value_or(""), winKey ? "0" : "1");

        ChooseProfileMenuItem(0);
        EXPECT_EQ(Text255View(b().ProfileName), "");
        EXPECT_TRUE(HotkeysLive());
        target.Focus();
        const std::int32_t again = b().WinKeyEnabled;
        PressCombination('K', kCtrl | kShift);
        EXPECT_TRUE(PollUntil([&] { return b().WinKeyEnabled != again; })) << "the default profile's hotkey again";
        EXPECT_EQ(b().LastHotkey, defaultId_);
    }

    int defaultId_ = 0, workId_ = 0;
};

TEST_F(Profiles, TheMenuSwitchesWhichFunctionAKeyRunsInSimpleMode) {
    Prepare(true);
    SwitchThroughTheMenu();
}

TEST_F(Profiles, TheMenuSwitchesWhichFunctionAKeyRunsInHookMode) {
    Prepare(false);
    SwitchThroughTheMenu();
}

TEST_F(Profiles, FunctionFourLoadsAProfileByItsNumber) {
    Prepare(true);
    Start();
    Notify(1, kLoadProfile);
    EXPECT_EQ(Text255View(b().ProfileName), "Work");
    EXPECT_EQ(GetText(std::string(kKeyloomKey) + "\\Temp", "MaxKeyID").value_or(""), "4");
    Notify(99, kLoadProfile);  // beyond the list: the default profile
    EXPECT_EQ(Text255View(b().ProfileName), "");
    EXPECT_EQ(GetText(std::string(kKeyloomKey) + "\\Temp", "MaxKeyID").value_or(""), "1");
    EXPECT_TRUE(HotkeysLive());
}

// Modify on a hotkey of the default profile; while the editor is open, function 4 asks
// for "Work", whose hotkey has the same ID. The edit goes to the default profile, Work's
// hotkey stays as it was, and the switch comes once the editor has closed.
TEST_F(Profiles, ASwitchWaitsUntilTheEditorHasStoredIntoItsOwnProfile) {
    Options(true);
    const int id = Store('K', kCtrl | kShift, kToggleWindowsKey, "", "default");
    ASSERT_TRUE(AddProfile("Work", BinDir()));
    SetString(kWork, reg::kNoSysTray, "1");
    HotkeyStore work(kWork + "Hotkeys\\", nullptr);
    ASSERT_EQ(work.StoreHotkey(-1, 'L', kCtrl | kShift, kMinimiseForeground, "work", "").id, id);
    Start();
    Notify(static_cast<WPARAM>(id), -11);  // run once: it is now the last hotkey
    PostCommand(ids::mnEditLastHotkey);
    HWND editor = WaitForOwnWindow("Edit hotkey");  // text 164
    ASSERT_NE(editor, nullptr) << "the editor did not open";
    Notify(1, kLoadProfile);
    EXPECT_EQ(Text255View(b().ProfileName), "");
    SendMessageA(GetDlgItem(editor, editor_ids::ebDescription), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("edited"));
    PostClick(editor, IDOK);
    ASSERT_TRUE(PollUntil([&] { return !IsWindow(editor); })) << "the editor did not close";

    const std::string own = std::string(reg::kHotkeysKey) + "HotKey" + std::to_string(id);
    const std::string works = kWork + "Hotkeys\\HotKey" + std::to_string(id);
    EXPECT_EQ(GetText(own, "Description").value_or(""), "edited");
    EXPECT_EQ(GetText(works, "Description").value_or(""), "work");
    EXPECT_EQ(GetText(works, "Key").value_or(""), "76");
    EXPECT_TRUE(PollUntil([&] { return Text255View(b().ProfileName) == "Work"; })) << "the switch was dropped";
    EXPECT_TRUE(PollUntil([&] { return HotkeysLive(); }));
}

TEST_F(Profiles, TheDialogRefusesBadNamesAndTheActiveProfile) {
    Prepare(true);
    Start();
    Notify(1, kLoadProfile);
    PostCommand(ids::mnEditProfiles);
    HWND dialog = WaitForOwnWindow("Profiles");
    ASSERT_NE(dialog, nullptr);
    auto add = [&](const std::string& name) {
        PostClick(dialog, profiles_dialog::btnAdd);
        HWND ask = WaitForOwnWindow("Add");
        if (!ask) return std::string("no input box");
        SendMessageA(GetDlgItem(ask, 101), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
        PostClick(ask, IDOK);
        PollUntil([&] { return !IsWindow(ask); });
        return AnswerBox("Keyloom", IDOK);
    };
    const std::vector<std::string> list = {"(default)", "Work"};
    for (const char* bad : {"..", "a\\b", "..\\..\\Run", "Seventeen chars!!", "work", "(default)", "   "}) {
        const std::string name = TrimSpaces(bad);
        EXPECT_EQ(add(bad), ProfileNameMessage(CheckProfileName(name, list))) << bad;
    }
    EXPECT_EQ(GetProfileList("(default)"), list);
    EXPECT_EQ(add("  Home "), "");
    EXPECT_EQ(GetText(std::string(reg::kProfilesKey) + "Home\\", "Language").value_or(""), "1");

    auto select = [&](const char* name) {
        const auto at = SendDlgItemMessageA(dialog, profiles_dialog::lbAvailable, LB_FINDSTRINGEXACT, -1,
                                            reinterpret_cast<LPARAM>(name));
        SendDlgItemMessageA(dialog, profiles_dialog::lbAvailable, LB_SETCURSEL, at, 0);
    };
    select("Work");
    PostClick(dialog, profiles_dialog::btnRemove);
    EXPECT_NE(AnswerBox("Keyloom", IDOK).find("active profile"), std::string::npos);
    select("Home");
    PostClick(dialog, profiles_dialog::btnRemove);
    EXPECT_NE(AnswerBox("Please confirm", IDYES).find("\"Home\""), std::string::npos);
    EXPECT_TRUE(PollUntil([&] { return GetProfileList("(default)") == list; }));
    PostClick(dialog, profiles_dialog::btnDone);
    EXPECT_TRUE(PollUntil([&] { return !IsWindow(dialog); }));
    EXPECT_EQ(Text255View(b().ProfileName), "Work");
}

}  // namespace
