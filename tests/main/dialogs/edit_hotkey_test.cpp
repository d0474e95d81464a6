// The hotkey editor as a window of this test: the real klsupport.dll and data files,
// the block mapped as keyloom.exe maps it, the dialog shown without its own message
// loop and driven by messages, its capture hook called as the system calls it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "char_substitution.h"
#include "model/catalogue.h"
#include "model/editor_sources.h"
#include "model/hotkey_editor_rules.h"
#include "model/hotkey_store.h"
#include "model/registry_helpers.h"
#include "system/library_binding.h"
#include "system/support_calls.h"
#include "model/text_fields.h"
#include "model/ui_language.h"
#include "dialogs/edit_hotkey.h"
#include "dialogs/edit_hotkey_ids.h"
#include "editor_fixture.h"
#include "registry_names.h"
#include "testing/message_box_answerer.h"
#include "testing/registry.h"
#include "testing/support_library.h"
#include "testing/temp_dir.h"
#include "text255.h"

using namespace kl;
using namespace kl::testing;
namespace id = kl::editor_ids;

namespace {

constexpr int kMinimise = 35, kClose = 32, kTypeText = 160;

class HotkeyEditor : public EditorFixture {
protected:
    TfrmEditHotkey& editor_ = TfrmEditHotkey::Instance();

    void SetUp() override {
        EditorFixture::SetUp();
        editor_.SetDataDir(BinDir());
        editor_.hotkeyId = -1;
    }
    void TearDown() override {
        editor_.Close();
        Pump();
        EditorFixture::TearDown();
    }

    HWND Open(int id) {
        editor_.hotkeyId = id;
        HWND dlg = editor_.ShowModeless(nullptr);
        EXPECT_NE(dlg, nullptr);
        if (dlg) {
            SetForegroundWindow(dlg);
            Pump();
        }
        return dlg;
    }
    HWND Item(int control) const { return GetDlgItem(editor_.handle(), control); }
    std::string Text(int control) const { return WindowText(Item(control)); }
    int Selected(int control) const { return static_cast<int>(SendMessageA(Item(control), CB_GETCURSEL, 0, 0)); }
    void SetText(int control, const std::string& text) {
        SendMessageA(Item(control), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    // Chooses an entry of a list as the user does (the change is reported).
    void Choose(int control, int position) {
        SendMessageA(Item(control), CB_SETCURSEL, position, 0);
        SendMessageA(editor_.handle(), WM_COMMAND, MAKEWPARAM(control, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Item(control)));
    }
    void PressIn(int control, WPARAM vk, LPARAM lp = 1) {
        SendMessageA(Item(control), WM_KEYDOWN, vk, lp);
        SendMessageA(Item(control), WM_KEYUP, vk, lp | 0xC0000000);
    }
    void ClickOk() {
        SendMessageA(editor_.handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(Item(IDOK)));
        Pump();
    }
    // A complete new definition: description, Ctrl, the key, Minimise window.
    void FillIn(int key, int modifier = 2, int function = kMinimise) {
        SetText(id::ebDescription, "Minimise");
        editor_.SelectModifier(modifier);
        ASSERT_TRUE(editor_.SelectKey(key));
        editor_.SelectCategory(0);
        editor_.SelectFunction(function);
        ASSERT_EQ(editor_.SelectedFunctionId(), function);
    }
    static int StoredKey(int hotkeyId) {
        return ToNumber(registry::ReadText(std::string(reg::kHotkeysKey) + "HotKey" + std::to_string(hotkeyId),
                                           "Key", "0"));
    }
};

}  // namespace

TEST_F(HotkeyEditor, ExportsItsCaptureHookByThePlainName) {
    // keyloom.exe carries the export the Part names, in both architectures.
    const std::string exe = BinDir() + "keyloom.exe";
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(module, nullptr) << exe;
    EXPECT_NE(GetProcAddress(module, "EditKbdHookProc"), nullptr);
    FreeLibrary(module);
}

TEST_F(HotkeyEditor, CaptureHookExistsExactlyWhileTheDialogIsActive) {
    b().WinKeyEnabled = kTrue;
    b().HotkeysSuspended = kFalse;
    HWND dlg = Open(-1);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(GetForegroundWindow(), dlg);
    EXPECT_TRUE(editor_.HookInstalled());
    EXPECT_EQ(b().WinKeyEnabled, kFalse);
    EXPECT_NE(b().HotkeysSuspended, 0);

    // Another window active: capture stops and both options are back.
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
    SetActiveWindow(other);
    SetForegroundWindow(other);
    Pump();
    EXPECT_FALSE(editor_.HookInstalled());
    EXPECT_NE(b().WinKeyEnabled, 0);
    EXPECT_EQ(b().HotkeysSuspended, 0);
    DestroyWindow(other);
    SetForegroundWindow(dlg);
    SetActiveWindow(dlg);
    Pump();
    EXPECT_TRUE(editor_.HookInstalled());
    EXPECT_EQ(b().WinKeyEnabled, kFalse);

    // The session ends with the dialog open.
    SendMessageA(dlg, WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(editor_.HookInstalled());
    EXPECT_NE(b().WinKeyEnabled, 0);
    EXPECT_EQ(b().HotkeysSuspended, 0);

    // Destroyed without Cancel (its owner going away, the program ending).
    other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                            nullptr);
    SetForegroundWindow(other);
    Pump();
    DestroyWindow(other);
    SetForegroundWindow(dlg);
    SetActiveWindow(dlg);
    Pump();
    ASSERT_TRUE(editor_.HookInstalled());
    DestroyWindow(dlg);
    Pump();
    EXPECT_FALSE(editor_.IsOpen());
    EXPECT_FALSE(editor_.HookInstalled());
    EXPECT_NE(b().WinKeyEnabled, 0);
    EXPECT_EQ(b().HotkeysSuspended, 0);
    EXPECT_EQ(editor_.result(), DialogResult::Cancel);

    // A Windows key that was off stays off.
    b().WinKeyEnabled = kFalse;
    Open(-1);
    SendMessageA(editor_.handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    Pump();
    EXPECT_FALSE(editor_.IsOpen());
    EXPECT_EQ(b().WinKeyEnabled, kFalse);
    EXPECT_EQ(b().HotkeysSuspended, 0);
}

TEST_F(HotkeyEditor, WindowsKeyInTheModifierBoxChoosesWinAndIsSwallowed) {
    Open(-1);
    editor_.SelectModifier(0);
    SetFocus(Item(id::cbModifier));
    const LPARAM down = 0x015B0001, up = static_cast<LPARAM>(0xC15B0001u);
    EXPECT_EQ(EditKbdHookProc(HC_ACTION, VK_LWIN, down), 1);
    EXPECT_EQ(Selected(id::cbModifier), 8);
    EXPECT_EQ(EditKbdHookProc(HC_ACTION, VK_LWIN, up), 1);
    EXPECT_EQ(EditKbdHookProc(HC_ACTION, VK_RWIN, down), 1);
    EXPECT_EQ(EditKbdHookProc(HC_ACTION, VK_RWIN, up), 1);
    // Elsewhere a Windows key is swallowed too but chooses nothing.
    editor_.SelectModifier(2);
    SetFocus(Item(id::ebDescription));
    EXPECT_EQ(EditKbdHookProc(HC_ACTION, VK_LWIN, down), 1);
    EXPECT_EQ(EditKbdHookProc(HC_ACTION, VK_LWIN, up), 1);
    EXPECT_EQ(Selected(id::cbModifier), 2);
    // Shift, Ctrl and Alt pressed in the modifier box choose their sets.
    PressIn(id::cbModifier, VK_SHIFT);
    EXPECT_EQ(Selected(id::cbModifier), 4);
    SendMessageA(Item(id::cbModifier), WM_SYSKEYDOWN, VK_MENU, 0x20000001);
    EXPECT_EQ(Selected(id::cbModifier), 1);
    PressIn(id::cbModifier, VK_CONTROL);
    EXPECT_EQ(Selected(id::cbModifier), 2);
}

TEST_F(HotkeyEditor, RealWindowsKeyPressInTheModifierBoxNeverReachesTheBox) {
    HWND dlg = Open(-1);
    ASSERT_EQ(GetForegroundWindow(), dlg);
    editor_.SelectModifier(0);
    SetFocus(Item(id::cbModifier));
    SynthKey(VK_LWIN, false);
    SynthKey(VK_LWIN, true);
    EXPECT_TRUE(PumpUntil([&] { return Selected(id::cbModifier) == 8; })) << "the Windows key was not captured";
}

TEST_F(HotkeyEditor, KeyWithoutVirtualKeyCodeIsStoredAs256PlusItsScanCode) {
    Open(-1);
    // The hook keeps the scan code; the key field gets the virtual-key code 255.
    EXPECT_EQ(CallNextHookEx(nullptr, 0, 0, 0), 0);
    EditKbdHookProc(HC_ACTION, 255, (0x5F << 16) | 1);
    EXPECT_EQ(editor_.LastScanCode(), 0x5F);
    SetFocus(Item(id::ebKey));
    PressIn(id::ebKey, 255, (0x5F << 16) | 1);
    EXPECT_EQ(Text(id::ebKey), "15F");
    EXPECT_EQ(Selected(id::cbKey), 255);  // the last line of keynames.txt

    SetText(id::ebDescription, "Scan");
    editor_.SelectModifier(2);
    editor_.SelectCategory(0);
    editor_.SelectFunction(kMinimise);
    ClickOk();
    EXPECT_EQ(editor_.result(), DialogResult::Ok);
    const HotkeyStore store(reg::kHotkeysKey, nullptr);
    const int stored = store.FindHotkeyID(0x15F, 2);
    ASSERT_GT(stored, 0);
    EXPECT_EQ(StoredKey(stored), 0x15F);
    EXPECT_TRUE(TableHas(stored, 0x15F, 2));
}

TEST_F(HotkeyEditor, KeysPressedInTheKeyFieldAreChosenAndDiscarded) {
    Open(-1);
    SetFocus(Item(id::ebKey));
    PressIn(id::ebKey, 'K');
    EXPECT_EQ(Text(id::ebKey), "4B");
    EXPECT_EQ(Selected(id::cbKey), 'K');
    PressIn(id::ebKey, VK_F7);
    EXPECT_EQ(Text(id::ebKey), "76");
    // A key without a usable line changes nothing.
    PressIn(id::ebKey, 7);  // "ILLEGAL"
    EXPECT_EQ(Text(id::ebKey), "76");
    // The same in the key list; choosing a line there selects its code.
    PressIn(id::cbKey, VK_HOME);
    EXPECT_EQ(Text(id::ebKey), "24");
    Choose(id::cbKey, 'Z');
    EXPECT_EQ(Text(id::ebKey), "5A");
    Choose(id::cbKey, 7);  // an "ILLEGAL" line cannot be chosen
    EXPECT_EQ(Text(id::ebKey), "5A");
    EXPECT_EQ(Selected(id::cbKey), 'Z');
}

TEST_F(HotkeyEditor, WinERefusedWhileWinEIsSetAndAcceptedWhenItIsNot) {
    Open(-1);
    FillIn('E', 8);
    b().WinE = kTrue;
    std::string message;
    EXPECT_FALSE(editor_.Validate(message));
    EXPECT_NE(message.find(UiText(editor::kTextWindowsCombo)), std::string::npos) << message;
    {
        MessageBoxAnswerer answerer(UiText(editor::kTextNoticeCaption), {IDOK});
        ClickOk();
        const auto boxes = answerer.Stop();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].find(UiText(editor::kTextCannotSave)), std::string::npos);
    }
    EXPECT_TRUE(editor_.IsOpen());
    EXPECT_TRUE(StoredIds().empty());

    b().WinE = kFalse;
    EXPECT_TRUE(editor_.Validate(message)) << message;
    ClickOk();
    EXPECT_EQ(editor_.result(), DialogResult::Ok);
    EXPECT_EQ(StoredIds().size(), 1u);
}

TEST_F(HotkeyEditor, ResavingWithItsOwnKeyPassesAndAnotherHotkeysKeyFails) {
    const int first = Store('Q', 2, kClose, "", "first");
    const int second = Store('W', 2, kClose, "", "second");
    Open(first);
    EXPECT_EQ(Text(id::ebDescription), "first");
    EXPECT_EQ(Text(id::ebKey), "51");
    EXPECT_EQ(Selected(id::cbModifier), 2);
    EXPECT_EQ(editor_.SelectedFunctionId(), kClose);
    std::string message;
    EXPECT_TRUE(editor_.Validate(message)) << message;
    ASSERT_TRUE(editor_.SelectKey('W'));
    EXPECT_FALSE(editor_.Validate(message));
    EXPECT_EQ(message, UiText(editor::kTextComboUsed) + "\r\n");
    ASSERT_TRUE(editor_.SelectKey('Q'));
    SetText(id::ebDescription, "renamed");
    ClickOk();
    EXPECT_EQ(editor_.result(), DialogResult::Ok);
    EXPECT_EQ(StoredIds(), (std::vector<int>{first, second}));
    EXPECT_EQ(Read(first).description, "renamed");
}

TEST_F(HotkeyEditor, NoModifierAsksInTheDefaultProfileOnly) {
    Open(-1);
    FillIn('Q', 0);
    {
        MessageBoxAnswerer no(UiText(editor::kTextQuestionCaption), {IDNO});
        MessageBoxAnswerer notice(UiText(editor::kTextNoticeCaption), {IDOK});
        ClickOk();
        EXPECT_EQ(no.Stop().size(), 1u);
        const auto refused = notice.Stop();
        ASSERT_EQ(refused.size(), 1u);
        EXPECT_NE(refused[0].find(UiText(editor::kTextChooseModifier)), std::string::npos);
    }
    EXPECT_TRUE(editor_.IsOpen());
    {
        MessageBoxAnswerer yes(UiText(editor::kTextQuestionCaption), {IDYES});
        ClickOk();
        EXPECT_EQ(yes.Stop().size(), 1u);
    }
    EXPECT_EQ(editor_.result(), DialogResult::Ok);
    EXPECT_EQ(StoredIds().size(), 1u);

    // A named profile: saved without the question, into the profile's own key.
    SetText255(b().ProfileName, "Work");
    Open(-1);
    FillIn('P', 0);
    {
        MessageBoxAnswerer question(UiText(editor::kTextQuestionCaption), {IDNO});
        ClickOk();
        EXPECT_TRUE(question.Stop().empty());
    }
    EXPECT_EQ(editor_.result(), DialogResult::Ok);
    const HotkeyStore work(ActiveHotkeysKey(b()), nullptr);
    EXPECT_EQ(work.ListHotkeys().size(), 1u);
    EXPECT_GT(work.FindHotkeyID('P', 0), 0);
}

TEST_F(HotkeyEditor, OkWithNothingChangedStoresNothing) {
    const int stored = Store('Q', 2, kClose, "", "unchanged");
    Open(stored);
    EXPECT_FALSE(editor_.modified());
    // Should anything be stored, the store would put the row back into the table.
    std::memset(b().Hotkeys, 0, sizeof b().Hotkeys);
    ClickOk();
    EXPECT_FALSE(editor_.IsOpen());
    EXPECT_EQ(editor_.result(), DialogResult::Cancel);
    EXPECT_FALSE(TableHas(stored, 'Q', 2));
}

TEST_F(HotkeyEditor, ClearEmptiesEverythingAndANewHotkeyGetsAnId) {
    const int stored = Store('Q', 2, kClose, "", "old");
    Open(stored);
    SendMessageA(editor_.handle(), WM_COMMAND, MAKEWPARAM(id::btnClear, BN_CLICKED), 0);
    EXPECT_EQ(Text(id::ebDescription), "");
    EXPECT_EQ(Text(id::ebKey), "");
    EXPECT_EQ(Selected(id::cbKey), -1);
    EXPECT_EQ(Selected(id::cbModifier), 8);
    EXPECT_EQ(Selected(id::cbCategory), 0);
    EXPECT_EQ(Selected(id::cbFunction), -1);
    EXPECT_TRUE(editor_.modified());
    editor_.Close();

    Open(-1);
    FillIn('N');
    ClickOk();
    EXPECT_EQ(editor_.result(), DialogResult::Ok);
    const std::vector<int> ids = StoredIds();
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_GT(ids[1], stored);
    EXPECT_TRUE(TableHas(ids[1], 'N', 2));
}

TEST_F(HotkeyEditor, ParameterRowsFollowTheFunction) {
    Open(-1);
    // Function 16: program with Select in row 1, window state in row 2, arguments in row 3.
    editor_.SelectCategory(0);
    editor_.SelectFunction(16);
    for (int control : {id::ebDocument, id::btnSelect, id::cbList, id::ebParameter, id::lblDocument, id::lblList,
                        id::lblParameter})
        EXPECT_TRUE(IsWindowVisible(Item(control))) << control;
    auto top = [&](int control) {
        RECT r{};
        GetWindowRect(Item(control), &r);
        return r.top;
    };
    EXPECT_LT(top(id::ebDocument), top(id::cbList));
    EXPECT_LT(top(id::cbList), top(id::ebParameter));
    EXPECT_EQ(Text(id::lblDocument), UiText(461));
    EXPECT_EQ(Text(id::lblList), UiText(462));
    EXPECT_EQ(Text(id::lblParameter), UiText(463));
    EXPECT_EQ(SendMessageA(Item(id::cbList), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(Selected(id::cbList), 0);
    // Tab order follows the rows.
    EXPECT_EQ(GetNextDlgTabItem(editor_.handle(), Item(id::cbFunction), FALSE), Item(id::ebDocument));
    EXPECT_EQ(GetNextDlgTabItem(editor_.handle(), Item(id::ebDocument), FALSE), Item(id::btnSelect));
    EXPECT_EQ(GetNextDlgTabItem(editor_.handle(), Item(id::btnSelect), FALSE), Item(id::cbList));
    EXPECT_EQ(GetNextDlgTabItem(editor_.handle(), Item(id::cbList), FALSE), Item(id::ebParameter));

    // A function without parameters shows none.
    editor_.SelectFunction(kMinimise);
    for (int control : {id::ebDocument, id::btnSelect, id::cbList, id::ebParameter})
        EXPECT_FALSE(IsWindowVisible(Item(control))) << control;
    EXPECT_EQ(editor_.ParameterText(), "");

    // Type text: the required text in row 1, the start mode list in row 2.
    editor_.SelectFunction(kTypeText);
    EXPECT_TRUE(IsWindowVisible(Item(id::ebDocument)));
    EXPECT_FALSE(IsWindowVisible(Item(id::btnSelect)));
    EXPECT_TRUE(IsWindowVisible(Item(id::cbList)));
    SetText(id::ebDocument, "  hello ");
    EXPECT_EQ(editor_.ParameterText(), "hello \xFF" "0\xFF");
}

TEST_F(HotkeyEditor, EveryFunctionsStoredParametersSurviveTheEditorUnchanged) {
    Catalogue catalogue(BinDir(), [](int n) { return UiText(n); });
    const auto lines = catalogue.FunctionCatalogue(0);
    ASSERT_TRUE(lines.ok()) << lines.error;
    Store(200, 1, 208, "Jazz\xFF" "0\xFF" "C:\\Music\xFF", "set");  // a DirPlay set for kind 5
    int checked = 0;
    for (const std::string& line : lines.value) {
        const int function = NumberField(line, 1);
        editor::ListSources sources;
        sources.text = [](int n) { return UiText(n); };
        sources.dirPlaySets = [] { return std::vector<std::string>{"Jazz"}; };
        sources.cdDrives = [] { return CDDriveList(); };
        sources.profiles = [] { return ProfileList(UiText(238)); };
        const editor::ParameterLayout layout = editor::LayoutFor(line, sources);
        editor::ParameterValues values;
        values.document = "doc " + std::to_string(function);
        values.parameter = "par " + std::to_string(function) + "  ";
        const int entries = static_cast<int>(layout.list.entries.size());
        values.listIndex = entries == 0 ? -1 : entries - 1;
        const std::string stored = editor::CollectParameterText(layout, function, values);
        const int hotkey = Store(300 + function, 2, function, stored, "f" + std::to_string(function));
        ASSERT_GT(hotkey, 0);

        Open(hotkey);
        EXPECT_EQ(editor_.SelectedFunctionId(), function) << line;
        EXPECT_EQ(editor_.ParameterText(), stored) << line;
        // Saving it again writes the same text.
        SetText(id::ebDescription, "g" + std::to_string(function));
        ClickOk();
        EXPECT_EQ(editor_.result(), DialogResult::Ok) << line;
        EXPECT_EQ(Read(hotkey).functionId, function) << line;
        EXPECT_EQ(Read(hotkey).parameter, stored) << line;
        editor_.Close();
        ++checked;
    }
    EXPECT_GT(checked, 100);
}

TEST_F(HotkeyEditor, StoredHotkeyWhoseFunctionIsGoneStillOpensAndIsNotStored) {
    const int stored = Store('G', 2, 999, "what\xFF", "gone");
    Open(stored);
    EXPECT_EQ(Text(id::ebDescription), "gone");
    EXPECT_EQ(Text(id::ebKey), "47");
    EXPECT_EQ(Selected(id::cbModifier), 2);
    EXPECT_EQ(Selected(id::cbFunction), -1);
    EXPECT_EQ(Selected(id::cbCategory), -1);
    std::string message;
    EXPECT_FALSE(editor_.Validate(message));
    EXPECT_EQ(message, editor::WithoutMnemonics(Text(id::lblFunction)) + " " + UiText(editor::kTextMustBeFilled) + "\r\n");
    std::memset(b().Hotkeys, 0, sizeof b().Hotkeys);
    {
        MessageBoxAnswerer notice(UiText(editor::kTextNoticeCaption), {IDOK});
        SetText(id::ebDescription, "changed");
        ClickOk();
        EXPECT_EQ(notice.Stop().size(), 1u);
    }
    EXPECT_FALSE(TableHas(stored, 'G', 2));
    EXPECT_EQ(Read(stored).description, "gone");
}

// A "Function" that cannot be read back (not unscrambled, longer than the callers'
// buffers, of another type): the editor shows what could be read and OK replaces the
// damaged definition under its own ID, its own combination not counting as taken.
TEST_F(HotkeyEditor, AHotkeyWhoseFunctionCannotBeReadOpensWithTheRestAndIsRepaired) {
    const std::pair<DWORD, std::string> damages[] = {
        {REG_SZ, "not ~ scrambled"}, {REG_SZ, std::string(1100, 'Q')}, {REG_EXPAND_SZ, ScrambleFunction("35;")}};
    for (const auto& [type, data] : damages) {
        const int stored = Store('R', 2, kClose, "", "damaged");
        const std::string subkey = std::string(reg::kHotkeysKey) + "HotKey" + std::to_string(stored);
        SetValue(subkey, "Function", type, data.c_str(), static_cast<DWORD>(data.size() + 1));
        Open(stored);
        EXPECT_EQ(editor_.hotkeyId, stored);
        EXPECT_EQ(Text(id::ebDescription), "damaged");
        EXPECT_EQ(Text(id::ebKey), "52");
        EXPECT_EQ(Selected(id::cbModifier), 2);
        EXPECT_EQ(Selected(id::cbFunction), -1);
        editor_.SelectFunction(kMinimise);
        std::memset(b().Hotkeys, 0, sizeof b().Hotkeys);
        ClickOk();
        EXPECT_EQ(editor_.result(), DialogResult::Ok) << data.substr(0, 20);
        EXPECT_EQ(StoredIds(), std::vector<int>{stored});
        EXPECT_EQ(Read(stored).functionId, kMinimise);
        EXPECT_TRUE(TableHas(stored, 'R', 2));
        editor_.Close();
        HotkeyStore(reg::kHotkeysKey, Block()).DeleteHotkey(stored);
    }
}

// The editor stores into the profile it was opened on, whichever is active at OK.
TEST_F(HotkeyEditor, TheEditGoesToTheProfileTheEditorWasOpenedOn) {
    const int stored = Store('P', 2, kClose, "", "default");
    const std::string work = std::string(reg::kProfilesKey) + "Work\\Hotkeys\\";
    ASSERT_EQ(HotkeyStore(work, nullptr).StoreHotkey(stored, 'O', 2, kClose, "work", "").id, stored);
    Open(stored);
    SetText255(b().ProfileName, "Work");
    SetText(id::ebDescription, "edited");
    ClickOk();
    SetText255(b().ProfileName, "");
    EXPECT_EQ(editor_.result(), DialogResult::Ok);
    EXPECT_EQ(Read(stored).description, "edited");
    EXPECT_EQ(registry::ReadText(work + "HotKey" + std::to_string(stored), "Description", ""), "work");
    EXPECT_EQ(registry::ReadText(work + "HotKey" + std::to_string(stored), "Key", ""), "79");
}

TEST_F(HotkeyEditor, OverlongDescriptionOrParameterGetsAMessageAndStoresNothing) {
    Open(-1);
    FillIn('L');
    SetText(id::ebDescription, std::string(30, 'd'));  // pasted past the field's limit
    std::string message;
    EXPECT_FALSE(editor_.Validate(message));
    EXPECT_NE(message.find("at most 25"), std::string::npos) << message;
    SetText(id::ebDescription, "ok");
    editor_.SelectFunction(161);  // date format: at most 100 characters
    SetText(id::ebDocument, std::string(150, 'f'));
    EXPECT_FALSE(editor_.Validate(message));
    EXPECT_NE(message.find("at most 100"), std::string::npos) << message;
    // Program and arguments together past the 255 characters of a parameter text.
    editor_.SelectFunction(16);
    SetText(id::ebDocument, std::string(200, 'p'));
    SetText(id::ebParameter, std::string(200, 'a'));
    EXPECT_FALSE(editor_.Validate(message));
    EXPECT_NE(message.find("255"), std::string::npos) << message;
    {
        MessageBoxAnswerer notice(UiText(editor::kTextNoticeCaption), {IDOK});
        ClickOk();
        EXPECT_EQ(notice.Stop().size(), 1u);
    }
    EXPECT_TRUE(StoredIds().empty());
}

// Convert macro: the editor opens on a new typing hotkey that can be stored as it is,
// for every length of text the field takes, with the start mode the list shows.
TEST_F(HotkeyEditor, AConvertedMacroOpensReadyToBeStoredWithItsStartMode) {
    const std::string prefix = UiText(102) + " (";
    int key = 'A';
    for (const std::size_t length : {5u, 12u, 200u, 253u, 254u, 255u}) {
        SCOPED_TRACE(length);
        const std::string text = ("<SHIFT+a>" + std::string(length, 'x')).substr(0, length);
        editor_.preset = TfrmEditHotkey::Preset{editor::ConvertedMacroDescription(UiText(102), text), kTypeText, text};
        Open(-1);
        EXPECT_EQ(Text(id::ebDocument), text);
        EXPECT_EQ(Selected(id::cbList), 0);  // start at once
        editor_.SelectModifier(2);
        ASSERT_TRUE(editor_.SelectKey(key++));
        ClickOk();
        ASSERT_EQ(editor_.result(), DialogResult::Ok);
        const int stored = StoredIds().back();
        const HotkeyDetails details = Read(stored);
        EXPECT_LE(details.description.size(), 25u);
        EXPECT_EQ(details.description.rfind(prefix, 0), 0u) << details.description;
        EXPECT_EQ(details.functionId, kTypeText);
        EXPECT_EQ(details.parameter, (text + "\xFF" "0\xFF").substr(0, 255));
        editor_.Close();

        Open(stored);  // as stored, start mode included
        EXPECT_EQ(Text(id::ebDocument), text);
        EXPECT_EQ(Selected(id::cbList), 0);
        // The other start mode no longer fits behind the longest texts: refused, not lost.
        Choose(id::cbList, 1);
        std::string message;
        EXPECT_EQ(editor_.Validate(message), length <= 253) << message;
        editor_.Close();
    }
}

TEST_F(HotkeyEditor, DamagedCatalogueAndKeyNameLinesAreLeftOut) {
    TempDir dir;
    dir.Write("functions.txt", "{ test }\r\nabc;1;2;0\r\n35;15;3;0\r\n16;4;2;3;0:4\r\n5x;2;1;0\r\n17;5;2;3;0:4,255;1:3;2:0,255\r\n");
    std::string keys;
    for (int k = 0; k < 256; ++k) keys += (k == 'X' ? std::string("x;Broken") : std::to_string(k) + ";K" + std::to_string(k)) + "\r\n";
    dir.Write("keynames.txt", keys);
    editor_.SetDataDir(dir.path());
    Open(-1);
    EXPECT_EQ(SendMessageA(Item(id::cbFunction), CB_GETCOUNT, 0, 0), 3);  // 35, 16, 17
    editor_.SelectFunction(16);
    EXPECT_TRUE(IsWindowVisible(Item(id::ebDocument)));
    EXPECT_FALSE(IsWindowVisible(Item(id::cbList)));  // its other descriptors are missing
    EXPECT_FALSE(editor_.SelectKey('X'));
    EXPECT_TRUE(editor_.SelectKey('Y'));
    editor_.Close();

    // Without the files the editor says why and does not open.
    TempDir empty;
    editor_.SetDataDir(empty.path());
    MessageBoxAnswerer notice(UiText(editor::kTextNoticeCaption), {IDOK});
    EXPECT_EQ(editor_.ShowModeless(nullptr), nullptr);
    const auto boxes = notice.Stop();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("functions.txt"), std::string::npos);
    editor_.SetDataDir(BinDir());
}

TEST_F(HotkeyEditor, LabelsAndButtonsHoldTheirTexts) {
    Open(-1);
    editor_.SelectFunction(16);
    HWND dlg = editor_.handle();
    HDC dc = GetDC(dlg);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(dlg, WM_GETFONT, 0, 0)));
    RECT client{};
    GetClientRect(dlg, &client);
    for (HWND child = GetWindow(dlg, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_GE(r.left, 0);
        EXPECT_LE(r.right, client.right) << GetDlgCtrlID(child);
        char cls[32] = {};
        GetClassNameA(child, cls, sizeof cls);
        const std::string text = WindowText(child);
        if (text.empty() || (lstrcmpiA(cls, "Static") != 0 && lstrcmpiA(cls, "Button") != 0)) continue;
        if (GetDlgCtrlID(child) == id::grpDefinition) continue;
        RECT need{0, 0, 0, 0};
        DrawTextA(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_SINGLELINE);
        const int bold = (GetDlgCtrlID(child) == id::lblDescriptionHeader || GetDlgCtrlID(child) == id::lblHotkeyHeader ||
                          GetDlgCtrlID(child) == id::lblFunctionHeader) ? 10 : 0;
        EXPECT_LE(need.right + bold, r.right - r.left) << text;
    }
    SelectObject(dc, old);
    ReleaseDC(dlg, dc);
}

