// The hotkey editor's programs row as a window of this test: loaded from and stored
// into "Programs" and "ProgramsMode", and two hotkeys on one combination accepted
// exactly when their programs cannot meet.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "dialogs/edit_hotkey.h"
#include "dialogs/edit_hotkey_ids.h"
#include "dialogs/editor_programs_row.h"
#include "editor_fixture.h"
#include "model/hotkey_programs.h"
#include "model/program_control_texts.h"
#include "model/registry_helpers.h"
#include "registry_names.h"
#include "testing/registry.h"
#include "ui/help_pages.h"

using namespace kl;
using namespace kl::testing;
namespace id = kl::editor_ids;
namespace row = kl::programs_row_ids;

namespace {

constexpr int kClose = 32;

class EditorPrograms : public EditorFixture {
protected:
    TfrmEditHotkey& editor_ = TfrmEditHotkey::Instance();

    void SetUp() override {
        EditorFixture::SetUp();
        editor_.SetDataDir(BinDir());
    }
    void TearDown() override {
        editor_.Close();
        Pump();
        EditorFixture::TearDown();
    }
    void Open(int hotkey) {
        editor_.hotkeyId = hotkey;
        ASSERT_NE(editor_.ShowModeless(nullptr), nullptr);
        SetForegroundWindow(editor_.handle());
        Pump();
    }
    HWND Item(int control) const { return GetDlgItem(editor_.handle(), control); }
    void SetText(int control, const std::string& text) {
        SendMessageA(Item(control), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    void ChooseMode(int position) {
        SendMessageA(Item(row::cbProgramsMode), CB_SETCURSEL, position, 0);
        SendMessageA(editor_.handle(), WM_COMMAND, MAKEWPARAM(row::cbProgramsMode, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Item(row::cbProgramsMode)));
    }
    int Mode() const { return static_cast<int>(SendMessageA(Item(row::cbProgramsMode), CB_GETCURSEL, 0, 0)); }
    void ClickOk() {
        SendMessageA(editor_.handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(Item(IDOK)));
        Pump();
    }
    void FillIn(int key) {
        SetText(id::ebDescription, "close");
        editor_.SelectModifier(2);
        ASSERT_TRUE(editor_.SelectKey(key));
        editor_.SelectCategory(0);
        editor_.SelectFunction(kClose);
    }
    static std::string Value(int hotkey, const char* name) {
        return registry::ReadText(std::string(reg::kHotkeysKey) + "HotKey" + std::to_string(hotkey), name, "<none>");
    }
};

}  // namespace

TEST_F(EditorPrograms, TheRowShowsItsTextsAndTheStoredProgramsAndStoresTheChange) {
    const int stored = Store('K', 2, kClose, "", "limited");
    ASSERT_TRUE(WriteHotkeyPrograms(reg::kHotkeysKey, stored, {"a.exe;b.exe", ProgramsMode::ExceptIn}));
    Open(stored);
    EXPECT_EQ(WindowText(Item(row::lblPrograms)), UiText(program_texts::kProgramsLabel));
    EXPECT_EQ(WindowText(Item(row::btnSelectPrograms)), UiText(program_texts::kSelectPrograms));
    EXPECT_EQ(SendMessageA(Item(row::cbProgramsMode), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(GetWindowContextHelpId(Item(row::ebPrograms)), help::kPrograms);
    EXPECT_EQ(WindowText(Item(row::ebPrograms)), "a.exe;b.exe");
    EXPECT_EQ(Mode(), 2);
    EXPECT_FALSE(editor_.modified());

    SetText(row::ebPrograms, "notepad.exe");
    ChooseMode(1);
    EXPECT_TRUE(editor_.modified());
    ClickOk();
    EXPECT_EQ(editor_.result(), DialogResult::Ok);
    EXPECT_EQ(Value(stored, reg::kHotkeyPrograms), "notepad.exe");
    EXPECT_EQ(Value(stored, reg::kHotkeyProgramsMode), "1");
}

TEST_F(EditorPrograms, AHotkeyForEverywhereStoresNoProgramValues) {
    Open(-1);
    EXPECT_EQ(Mode(), 0);
    EXPECT_EQ(WindowText(Item(row::ebPrograms)), "");
    FillIn('K');
    ClickOk();
    ASSERT_EQ(editor_.result(), DialogResult::Ok);
    const int stored = HotkeyStore(reg::kHotkeysKey, nullptr).FindHotkeyID('K', 2);
    ASSERT_GT(stored, 0);
    EXPECT_EQ(Value(stored, reg::kHotkeyPrograms), "<none>");
    EXPECT_EQ(Value(stored, reg::kHotkeyProgramsMode), "<none>");
}

TEST_F(EditorPrograms, ACombinationIsFreeForAnotherProgramAndTakenForTheSameOne) {
    const int inA = Store('K', 2, kClose, "", "in a");
    ASSERT_TRUE(WriteHotkeyPrograms(reg::kHotkeysKey, inA, {"a.exe", ProgramsMode::OnlyIn}));
    Open(-1);
    FillIn('K');
    std::string message;
    EXPECT_TRUE(editor_.Validate(message)) << message;  // everywhere beside "only in a.exe"
    SetText(row::ebPrograms, "A.EXE");
    ChooseMode(1);
    EXPECT_FALSE(editor_.Validate(message));
    EXPECT_EQ(message, UiText(editor::kTextComboUsed) + "\r\n");
    SetText(row::ebPrograms, "b.exe");
    EXPECT_TRUE(editor_.Validate(message)) << message;
    ClickOk();
    ASSERT_EQ(editor_.result(), DialogResult::Ok);
    EXPECT_EQ(StoredIds().size(), 2u);

    // A third, everywhere, is refused only beside another everywhere hotkey.
    Open(-1);
    FillIn('K');
    EXPECT_TRUE(editor_.Validate(message)) << message;
    ClickOk();
    ASSERT_EQ(editor_.result(), DialogResult::Ok);
    Open(-1);
    FillIn('K');
    EXPECT_FALSE(editor_.Validate(message));
}

TEST_F(EditorPrograms, ClearPutsTheRowBackToEverywhere) {
    Open(-1);
    SetText(row::ebPrograms, "a.exe");
    ChooseMode(2);
    SendMessageA(editor_.handle(), WM_COMMAND, MAKEWPARAM(id::btnClear, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Item(id::btnClear)));
    EXPECT_EQ(WindowText(Item(row::ebPrograms)), "");
    EXPECT_EQ(Mode(), 0);
}
