#include "dialogs/kbd_map_dialog.h"

#include <commctrl.h>

#include <vector>

#include "ui/style.h"
#include "ui/help_pages.h"
#include "ui/dialog_base.h"
#include "model/key_names.h"
#include "model/key_remap_table.h"
#include "system/library_binding.h"
#include "system/active_profile_keys.h"
#include "model/ui_language.h"
#include "dialogs/key_map_dialog.h"
#include "ui/app_identity.h"

namespace kl {
namespace {

using namespace kbd_map_dialog;

constexpr int kModifierNames = 246;

// Language texts of the dialog.
constexpr int kTextCaption = 187, kTextRemappedKeys = 188, kTextEnabled = 189, kTextRemoveQuestion = 190,
              kTextColumnFirst = 191, kTextPermanentWritten = 194, kTextPermanent = 195,
              kTextRemovePermanent = 196, kTextPermanentQuestion = 197, kTextHasModifiers = 200, kTextAdd = 16,
              kTextRemove = 17, kTextModify = 18, kTextOk = 11, kTextCancel = 12, kTextNotStored = 514,
              kTextPermanentRemoved = 515;

struct State {
    KeyNames names;
    std::vector<std::string> pickList;
    HWND dlg = nullptr;
    bool showing = false;  // ShowData is writing the controls
    // The Hotkeys key of the profile active when the dialog opened: OK stores there.
    std::string hotkeysKey;
};

void Tell(HWND dlg, const std::string& text, UINT icon = MB_ICONINFORMATION) {
    MessageBoxA(dlg, text.c_str(), kApplicationTitle, MB_OK | icon);
}

// The block's table; null without a block. Its count is never taken on trust.
KeyRemapTable* Table() {
    SettingsBlock* b = Block();
    if (!b) return nullptr;
    NormaliseTable(b->KeyRemap);
    return &b->KeyRemap;
}

std::string KeyText(State& s, int code) {
    const auto name = s.names.KeyName(code);
    return name.ok() && !name.value.empty() ? name.value : std::to_string(code);
}

int SelectedRow(const State& s) {
    return static_cast<int>(SendDlgItemMessageA(s.dlg, sgKeyMap, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void ShowData(State& s, int select = -1) {
    const KeyRemapTable* table = Table();
    SettingsBlock* b = Block();
    if (!table || !b || s.showing) return;
    s.showing = true;
    CheckDlgButton(s.dlg, cbEnabled, b->RemapKeys ? BST_CHECKED : BST_UNCHECKED);
    const std::string label = UiText(kTextRemappedKeys, "Remapped keys") + " (" + std::to_string(table->Count) + ")";
    SetDlgItemTextA(s.dlg, lblKeyMap, label.c_str());
    HWND grid = GetDlgItem(s.dlg, sgKeyMap);
    const auto top = SendMessageA(grid, LVM_GETTOPINDEX, 0, 0);
    if (select < 0) select = SelectedRow(s);
    SendMessageA(grid, LVM_DELETEALLITEMS, 0, 0);
    for (int i = 0; i < table->Count; ++i) {
        const KeyRemapEntry& e = table->Entries[i];
        std::string cells[3] = {KeyText(s, e.FromVk), KeyText(s, e.ToVk), UiText(kModifierNames + (e.ForceModifiers & 7))};
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = cells[0].data();
        SendMessageA(grid, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        for (int column = 1; column < 3; ++column) {
            item.iSubItem = column;
            item.pszText = cells[column].data();
            SendMessageA(grid, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
        }
    }
    if (table->Count > 0) {
        if (select >= table->Count) select = table->Count - 1;
        LVITEMA state{};
        state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(grid, LVM_SETITEMSTATE, select < 0 ? 0 : select, reinterpret_cast<LPARAM>(&state));
        // The previous top row stays on top while it exists.
        if (top > 0 && top < table->Count) SendMessageA(grid, LVM_ENSUREVISIBLE, top, FALSE);
    }
    s.showing = false;
}

// Reads the stored table again into the block: what the dialog changed is undone.
void LoadScancodeMap(const State& s) {
    SettingsBlock* b = Block();
    if (!b) return;
    b->KeyRemap = ReadProgramValue(s.hotkeysKey).table;
}

void Apply(State& s, AddResult result) {
    if (result != AddResult::Added) Tell(s.dlg, AddResultMessage(result), MB_ICONWARNING);
    ShowData(s);
}

void btnAddClick(State& s) {
    const std::optional<KeyPair> chosen = ShowKeyMapDialog(s.dlg, s.pickList, KeyPair{});
    if (chosen && chosen->fromVk >= 1 && chosen->toVk >= 1) {
        const KeyPair& pair = *chosen;
        KeyRemapTable* table = Table();
        if (!table) return;
        const int before = table->Count;
        Apply(s, AddKeyMap(*table, pair.fromVk, static_cast<int>(MapVirtualKeyA(pair.fromVk, MAPVK_VK_TO_VSC)),
                           pair.modifiers, static_cast<int>(MapVirtualKeyA(pair.toVk, MAPVK_VK_TO_VSC)), pair.toVk));
        if (table->Count > before) ShowData(s, table->Count - 1);
        return;
    }
    ShowData(s);
}

void btnModifyClick(State& s) {
    const int row = SelectedRow(s);
    KeyRemapTable* table = Table();
    if (!table || row < 0 || row >= table->Count) return;
    const KeyRemapEntry old = table->Entries[row];
    const std::optional<KeyPair> chosen = ShowKeyMapDialog(s.dlg, s.pickList, KeyPair{old.FromVk, old.ToVk, old.ForceModifiers & 7});
    if (!chosen) return;
    const KeyPair& pair = *chosen;
    if (!(table = Table()) || row >= table->Count) return;
    KeyRemapEntry e = old;
    if (pair.fromVk >= 1) {
        e.FromVk = static_cast<std::uint8_t>(pair.fromVk);
        e.FromScan = static_cast<std::uint8_t>(MapVirtualKeyA(pair.fromVk, MAPVK_VK_TO_VSC));
    }
    if (pair.toVk >= 1) {
        e.ToVk = static_cast<std::uint8_t>(pair.toVk);
        e.ToScan = static_cast<std::uint8_t>(MapVirtualKeyA(pair.toVk, MAPVK_VK_TO_VSC));
    }
    e.ForceModifiers = static_cast<std::uint8_t>(pair.modifiers & 7);
    if (e.FromVk == e.ToVk && e.ForceModifiers == 0) {
        Tell(s.dlg, AddResultMessage(AddResult::SameKey), MB_ICONWARNING);
        return;
    }
    table->Entries[row] = e;
    ShowData(s, row);
}

void btnRemoveClick(State& s) {
    const int row = SelectedRow(s);
    const KeyRemapTable* table = Table();
    if (!table || row < 0 || row >= table->Count) return;
    const std::string question =
        UiText(kTextRemoveQuestion, "Do you want to remove the mapping") + " [" + KeyText(s, table->Entries[row].FromVk) + "] ?";
    if (MessageBoxA(s.dlg, question.c_str(), kApplicationTitle, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    if (KeyRemapTable* t = Table()) RemoveKeyMap(*t, row);
    ShowData(s, row);
}

constexpr int kTextNoScanCode = 484;

std::string NoScanCodeMessage(State& s, const std::vector<int>& keys) {
    std::string text = UiText(kTextNoScanCode,
                              "These keys have no scan code in the Windows keyboard layout (mouse buttons, Pause and "
                              "some others), so the mappings cannot be made permanent. Nothing was written:");
    for (const int vk : keys) text += "\r\n" + KeyText(s, vk);
    return text;
}

void btnPermanentClick(State& s) {
    const std::string question = UiText(kTextPermanentQuestion, "Write these mappings into the Windows keyboard layout?");
    if (MessageBoxA(s.dlg, question.c_str(), kApplicationTitle, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    const KeyRemapTable* table = Table();
    if (!table) return;
    const PermanentResult result = WritePermanentMap(*table);
    if (result == PermanentResult::Done)
        Tell(s.dlg, UiText(kTextPermanentWritten, "The permanent keyboard mapping has been written."));
    else if (result == PermanentResult::HasModifiers)
        Tell(s.dlg, UiText(kTextHasModifiers, "Mappings with a forced modifier cannot be made permanent."), MB_ICONWARNING);
    else if (result == PermanentResult::NoScanCode)
        Tell(s.dlg, NoScanCodeMessage(s, KeysWithoutSystemScanCode(*table)), MB_ICONWARNING);
    else
        Tell(s.dlg, PermanentResultMessage(result, false), MB_ICONWARNING);
}

void btnRemovePermanentClick(State& s) {
    const PermanentResult result = RemovePermanentMap();
    if (result == PermanentResult::Done)
        Tell(s.dlg, UiText(kTextPermanentRemoved, "Permanent keyboard mapping removed."));
    else
        Tell(s.dlg, PermanentResultMessage(result, true), MB_ICONWARNING);
}

// A fixed set of sixteen mappings (the button is hidden).
void btnMCSClick(State& s) {
    KeyRemapTable* table = Table();
    if (!table) return;
    auto key = [](char c) { return LOBYTE(VkKeyScanA(c)); };
    const int pairs[][2] = {{145, 118}, {19, 27},  {45, key('"')}, {46, key('-')}, {36, 17},  {35, 18},
                            {144, 36},  {103, 35}, {111, 46},      {104, 8},       {106, 16}, {105, key('.')},
                            {109, 32},  {107, key(',')}, {100, 17}, {101, 18}};
    for (const auto& p : pairs)
        AddKeyMap(*table, p[0], static_cast<int>(MapVirtualKeyA(p[0], MAPVK_VK_TO_VSC)), 0,
                  static_cast<int>(MapVirtualKeyA(p[1], MAPVK_VK_TO_VSC)), p[1]);
    ShowData(s);
}

void FormShow(State& s) {
    SetWindowTextA(s.dlg, UiText(kTextCaption, "Keyboard remapping").c_str());
    SetDlgItemTextA(s.dlg, cbEnabled, UiText(kTextEnabled, "Enable the remapping").c_str());
    SetDlgItemTextA(s.dlg, btnAdd, UiText(kTextAdd, "&Add").c_str());
    SetDlgItemTextA(s.dlg, btnRemove, UiText(kTextRemove, "Remove").c_str());
    SetDlgItemTextA(s.dlg, btnModify, UiText(kTextModify, "&Modify").c_str());
    SetDlgItemTextA(s.dlg, btnPermanent, UiText(kTextPermanent, "Make &permanent").c_str());
    SetDlgItemTextA(s.dlg, btnRemovePermanent, UiText(kTextRemovePermanent, "Remove p&ermanent").c_str());
    SetDlgItemTextA(s.dlg, btnOK, UiText(kTextOk, "&OK").c_str());
    SetDlgItemTextA(s.dlg, btnCancel, UiText(kTextCancel, "&Cancel").c_str());
    ShowWindow(GetDlgItem(s.dlg, btnMCS), SW_HIDE);

    HWND grid = GetDlgItem(s.dlg, sgKeyMap);
    SendMessageA(grid, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    RECT r{};
    GetClientRect(grid, &r);
    for (int column = 0; column < 3; ++column) {
        std::string heading = UiText(kTextColumnFirst + column);
        LVCOLUMNA c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH;
        c.cx = (r.right - r.left) / 3;
        c.pszText = heading.data();
        SendMessageA(grid, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&c));
    }
    const auto pick = s.names.KeyPickList();
    if (pick.ok()) s.pickList = pick.value;

    // A stored table that was damaged is said so once; the block gets what could be read.
    const StoredMap stored = ReadProgramValue(s.hotkeysKey);
    if (const std::string problem = StoredMapMessage(stored); !problem.empty()) {
        if (SettingsBlock* b = Block()) b->KeyRemap = stored.table;
        Tell(s.dlg, problem, MB_ICONWARNING);
    }
    ShowData(s, 0);
}

class KbdMapDialog : public DialogBase {
public:
    explicit KbdMapDialog(const std::string& dataDir) : state_{KeyNames(dataDir), {}, nullptr, false, ActiveProfileKeys().hotkeys} {}

protected:
    DialogTemplate BuildTemplate() override {
        DialogTemplate t("Keyboard remapping", 300, 186);
        t.Item(SS_LEFT, 7, 7, 220, 10, lblKeyMap, kStaticClass, "");
        t.Item(LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP, 7, 19, 220, 140, sgKeyMap,
               WC_LISTVIEWA, "");
        t.Item(BS_AUTOCHECKBOX | WS_TABSTOP, 7, 166, 220, 12, cbEnabled, kButtonClass, "Enable the remapping");
        const DWORD push = BS_PUSHBUTTON | WS_TABSTOP;
        t.Item(push, 235, 19, 58, 14, btnAdd, kButtonClass, "&Add");
        t.Item(push, 235, 37, 58, 14, btnModify, kButtonClass, "&Modify");
        t.Item(push, 235, 55, 58, 14, btnRemove, kButtonClass, "Remove");
        t.Item(push, 235, 81, 58, 14, btnPermanent, kButtonClass, "Make &permanent");
        t.Item(push, 235, 99, 58, 14, btnRemovePermanent, kButtonClass, "Remove p&ermanent");
        t.Item(push, 235, 117, 58, 14, btnMCS, kButtonClass, "MCS");
        t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 235, 145, 58, 14, btnOK, kButtonClass, "&OK");
        t.Item(push, 235, 164, 58, 14, btnCancel, kButtonClass, "&Cancel");
        return t;
    }

    INT_PTR Proc(UINT msg, WPARAM wp, LPARAM lp) override {
        HWND dlg = dlg_;
        State* s = &state_;
        switch (msg) {
        case WM_INITDIALOG:
            s->dlg = dlg;
            SetWindowContextHelpId(dlg, help::kKbdMap);
            FormShow(*s);
            ApplyStyleToForm(dlg);
            SetFocus(GetDlgItem(dlg, sgKeyMap));
            return FALSE;
        case WM_NOTIFY: {
            const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
            if (s && hdr->idFrom == sgKeyMap && hdr->code == NM_DBLCLK) btnModifyClick(*s);
            return TRUE;
        }
        case WM_COMMAND:
            if (!s) return FALSE;
            switch (LOWORD(wp)) {
            case cbEnabled:
                if (!s->showing) {
                    if (SettingsBlock* b = Block()) b->RemapKeys = IsDlgButtonChecked(dlg, cbEnabled) ? kTrue : kFalse;
                }
                return TRUE;
            case btnAdd: btnAddClick(*s); return TRUE;
            case btnModify: btnModifyClick(*s); return TRUE;
            case btnRemove: btnRemoveClick(*s); return TRUE;
            case btnPermanent: btnPermanentClick(*s); return TRUE;
            case btnRemovePermanent: btnRemovePermanentClick(*s); return TRUE;
            case btnMCS: btnMCSClick(*s); return TRUE;
            case btnOK:
                // Enter in the list modifies the row it is on (sgKeyMapKeyDown).
                if (GetFocus() == GetDlgItem(dlg, sgKeyMap)) {
                    btnModifyClick(*s);
                    return TRUE;
                }
                if (const KeyRemapTable* table = Table(); table && WriteProgramValue(s->hotkeysKey, *table)) {
                    End(DialogResult::Ok);
                } else {
                    Tell(dlg, UiText(kTextNotStored, "The key remapping could not be stored."), MB_ICONWARNING);
                }
                return TRUE;
            case btnCancel:
                LoadScancodeMap(*s);
                End(DialogResult::Cancel);
                return TRUE;
            }
            return FALSE;
        }
        return FALSE;
    }

private:
    State state_;
};

}  // namespace

void ShowKbdMapDialog(HWND owner, const std::string& dataDir) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    KbdMapDialog dialog(dataDir);
    dialog.ShowModal(owner);
}

}  // namespace kl
