// The lists of the main window: the Hotkeys page's grid sgHotkeys and the Aliases page's
// list lbAliases, the buttons Add, Modify and Remove and File > New > Alias acting on the
// active page, the hotkey list's sorting and the owner-drawn page tabs.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "system/app_paths.h"
#include "model/catalogue.h"
#include "model/hotkey_list.h"
#include "model/hotkey_store.h"
#include "model/program_lists.h"
#include "system/library_binding.h"
#include "system/active_profile_keys.h"
#include "system/support_calls.h"
#include "model/text_fields.h"
#include "model/ui_language.h"
#include "dialogs/alias_dialog.h"
#include "window/control_ids.h"
#include "window/main_window.h"
#include "ui/app_identity.h"
#include "ui/gdi_owners.h"

namespace kl {
namespace {

constexpr int kHotkeysPage = 0;
constexpr int kAliasesPage = 4;
constexpr COLORREF kNavy = RGB(0, 0, 0x80);
constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kRed = RGB(0xFF, 0, 0);
constexpr LPARAM kMissingProgram = 1;  // item data of an alias whose program does not exist

// Names of modifiers, keys and functions; the texts follow the loaded language.
Catalogue& Names(const std::string& dataDir) {
    static std::unique_ptr<Catalogue> names;
    if (!names) names = std::make_unique<Catalogue>(dataDir, [](int n) { return UiText(n); });
    return *names;
}

HotkeyRow RowOf(const HotkeyLine& line, Catalogue& names) {
    HotkeyRow row;
    row.id = line.id;
    row.cells = {std::to_string(line.id),
                 line.description,
                 names.ModifierName(line.modifier),
                 names.KeyName(line.key).value,
                 names.FunctionName(line.functionId).value,
                 std::string(FirstParameter(line.parameter)),
                 ProgramsCell(ReadHotkeyPrograms(ActiveProfileKeys().hotkeys, line.id), [](int n) { return UiText(n); })};
    return row;
}

// An alias as the list shows it: printable characters only, the part after the last
// "\" and before the last "."; the entry itself when that leaves nothing.
std::string AliasCaption(const std::string& entry) {
    std::string printable;
    for (const char c : entry)
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) printable += c;
    std::string base = printable.substr(printable.find_last_of('\\') == std::string::npos ? 0 : printable.find_last_of('\\') + 1);
    if (const std::size_t dot = base.find_last_of('.'); dot != std::string::npos) base.erase(dot);
    return base.empty() ? entry : base;
}

std::string ListBoxText(HWND list, int index) {
    const auto n = SendMessageA(list, LB_GETTEXTLEN, index, 0);
    if (n < 0) return {};
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(n));
    return text;
}

}  // namespace

void TfrmMain::CreateLists() {
    sgHotkeys_.Create(instance_, pages_[kHotkeysPage], ids::sgHotkeys, font_);
    lbAliases_ = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTBOXA, "",
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_SORT | LBS_NOTIFY |
                                     LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                                 0, 0, 0, 0, pages_[kAliasesPage],
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids::lbAliases)), instance_, nullptr);
    if (font_) SendMessageA(lbAliases_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
}

void TfrmMain::LayoutLists() {
    RECT page{};
    GetClientRect(pages_[kHotkeysPage], &page);
    const int margin = 4;
    MoveWindow(sgHotkeys_.handle(), margin, margin, page.right - 2 * margin, page.bottom - 2 * margin, TRUE);
    MoveWindow(lbAliases_, margin, margin, page.right - 2 * margin, page.bottom - 2 * margin, TRUE);
}

void TfrmMain::ShowLists() {
    // A hidden window's lists are filled when it is shown.
    if (!showing_ && !IsWindowVisible(hwnd_)) return;
    const int page = ActivePage();
    const bool lists = page == kHotkeysPage || page == kAliasesPage;
    for (HWND b : {btnAdd_, btnRemove_, btnModify_}) EnableWindow(b, lists);
    if (page == kHotkeysPage) {
        const HotkeyStore store(ActiveProfileKeys().hotkeys, Block(), ReaderFrom(CallGetHotkey));
        Catalogue& names = Names(dataDir_);
        std::vector<HotkeyRow> rows;
        for (const std::string& line : store.ListHotkeys()) rows.push_back(RowOf(SplitHotkeyLine(line), names));
        sgHotkeys_.Fill(std::move(rows));
    } else if (page == kAliasesPage) {
        const std::string selected = [&] {
            const auto sel = SendMessageA(lbAliases_, LB_GETCURSEL, 0, 0);
            return sel >= 0 ? ListBoxText(lbAliases_, static_cast<int>(sel)) : std::string();
        }();
        SendMessageA(lbAliases_, WM_SETREDRAW, FALSE, 0);
        SendMessageA(lbAliases_, LB_RESETCONTENT, 0, 0);
        for (const std::string& alias : ListAliases()) {
            const auto index = SendMessageA(lbAliases_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(alias.c_str()));
            if (index >= 0) SendMessageA(lbAliases_, LB_SETITEMDATA, index, AliasIsValid(alias) ? 0 : kMissingProgram);
        }
        if (!selected.empty())
            SendMessageA(lbAliases_, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(selected.c_str()));
        SendMessageA(lbAliases_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(lbAliases_, nullptr, TRUE);
    }
}

std::string TfrmMain::SelectedAlias() const {
    const auto sel = SendMessageA(lbAliases_, LB_GETCURSEL, 0, 0);
    return sel >= 0 ? ListBoxText(lbAliases_, static_cast<int>(sel)) : std::string();
}

void TfrmMain::btnAddClick() {
    const int page = ActivePage();
    if (page == kHotkeysPage) mnNewHotkeyClick();
    if (page == kAliasesPage) mnNewAliasClick();
}

void TfrmMain::btnModifyClick() {
    const int page = ActivePage();
    if (page == kHotkeysPage) {
        const HotkeyRow* row = sgHotkeys_.Selected();
        if (!row) {  // nothing selected, or the empty row of an empty list
            MessageBoxA(hwnd_, UiText(114, "Please select a hotkey first.").c_str(), MessageCaption().c_str(), MB_OK);
            return;
        }
        EditHotkey(row->id);  // on OK the lists are shown again
    } else if (page == kAliasesPage) {
        const std::string alias = SelectedAlias();
        if (alias.empty()) {
            MessageBoxA(hwnd_, UiText(161, "Please select the alias to modify.").c_str(), "Error", MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        if (ShowAliasDialog(hwnd_, alias, AliasPath(alias)) == DialogResult::Ok && !destroyed_) ShowData();
    }
}

void TfrmMain::btnRemoveClick() {
    const int page = ActivePage();
    if (page == kHotkeysPage) {
        const HotkeyRow* row = sgHotkeys_.Selected();
        if (!row) {
            MessageBoxA(hwnd_, UiText(114, "Please select a hotkey first.").c_str(), UiText(17, "Remove").c_str(), MB_OK);
            return;
        }
        const int id = row->id;
        const std::string question = UiText(115, "Do you want to remove this hotkey?") + "\r\n" +
                                     std::string(Trim(row->cells[1])) + " ?\r\n";
        if (MessageBoxA(hwnd_, question.c_str(), UiText(4, "Remove hotkey").c_str(), MB_YESNO | MB_ICONEXCLAMATION) !=
                IDYES ||
            destroyed_ || !Block())
            return;
        HotkeyStore(ActiveProfileKeys().hotkeys, Block()).DeleteHotkey(id);
        RefreshSystemHotkeys();  // a registration of the removed combination goes too
        ShowData();
    } else if (page == kAliasesPage) {
        const std::string alias = SelectedAlias();
        if (alias.empty()) {
            MessageBoxA(hwnd_, UiText(158, "Please select the alias to remove.").c_str(), "Error", MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        const std::string question = UiText(159, "Do you want to remove the alias") + " " + alias + " ?\r\n";
        if (MessageBoxA(hwnd_, question.c_str(), "Warning", MB_YESNO | MB_ICONEXCLAMATION) != IDYES || destroyed_) return;
        AliasFailure failure;
        const AliasWrite result = DeleteAlias(alias, &failure);
        if (result == AliasWrite::Refused || result == AliasWrite::Failed)
            MessageBoxA(hwnd_, AliasDeleteMessage(alias, failure).c_str(), "Error", MB_OK | MB_ICONEXCLAMATION);
        ShowData();  // whatever went, the list shows what is left
    }
}

int TfrmMain::mnNewAliasClick() {
    if (destroyed_ || creating_) return 2;
    const DialogResult result = ShowAliasDialog(hwnd_, "", "");
    if (result == DialogResult::Ok && !destroyed_) ShowData();
    return static_cast<int>(result);
}

void TfrmMain::mnSortByTextClick(int tag) { sgHotkeys_.Sort(tag); }

bool TfrmMain::OnListNotify(const NMHDR& header) {
    if (header.hwndFrom != sgHotkeys_.handle()) return false;
    if (header.code == NM_RCLICK) {
        POINT at{};
        GetCursorPos(&at);
        TrackPopupMenu(GetSubMenu(menus_.pmHotkeys, 0), TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
        return true;
    }
    if (sgHotkeys_.OnNotify(header)) btnModifyClick();  // sgHotkeysDblClick
    return true;
}

bool TfrmMain::OnListCommand(int id, int code) {
    switch (id) {
    case ids::btnAdd: btnAddClick(); return true;
    case ids::btnModify: btnModifyClick(); return true;
    case ids::btnRemove: btnRemoveClick(); return true;
    case ids::lbAliases:
        if (code == LBN_DBLCLK) btnModifyClick();  // lbAliasesDblClick
        return true;
    case ids::mnNewAlias: mnNewAliasClick(); return true;
    default: break;
    }
    if (id >= ids::mnSortByFirst && id <= ids::mnSortByLast) {
        mnSortByTextClick(id - ids::mnSortByFirst + 1);
        return true;
    }
    return OnTrayCommand(id) || OnHelpCommand(id);
}

bool TfrmMain::ListKeyDown(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !msg.hwnd || (msg.hwnd != sgHotkeys_.handle() && msg.hwnd != lbAliases_))
        return false;
    if (GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    if (msg.wParam == VK_RETURN) {  // sgHotkeysKeyPress, lbAliasesKeyPress: the key is used up
        btnModifyClick();
        return true;
    }
    if (msg.wParam == VK_DELETE) {
        btnRemoveClick();
        return true;
    }
    return false;
}

bool TfrmMain::DrawListItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlType == ODT_TAB && item.hwndItem == pgSettings_) {  // pgSettingsDrawTab
        FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
        char text[128] = {};
        TCITEMA tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = text;
        tab.cchTextMax = sizeof text;
        SendMessageA(pgSettings_, TCM_GETITEMA, item.itemID, reinterpret_cast<LPARAM>(&tab));
        HGDIOBJ old = font_ ? SelectObject(item.hDC, font_) : nullptr;
        SetBkMode(item.hDC, TRANSPARENT);
        SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
        TextOutA(item.hDC, item.rcItem.left + 4, item.rcItem.top + 4, text, lstrlenA(text));
        if (old) SelectObject(item.hDC, old);
        return true;
    }
    if (item.CtlType != ODT_LISTBOX || item.hwndItem != lbAliases_) return false;
    if (item.itemID == static_cast<UINT>(-1)) return true;  // lbAliasesDrawItem
    const bool marked = item.itemState & (ODS_SELECTED | ODS_FOCUS);
    COLORREF back = marked ? kNavy : GetSysColor(COLOR_WINDOW);
    COLORREF fore = marked ? kWhite : GetSysColor(COLOR_WINDOWTEXT);
    if (item.itemData == static_cast<ULONG_PTR>(kMissingProgram)) {
        back = kWhite;
        fore = kRed;
    }
    FillRect(item.hDC, &item.rcItem, UniqueBrush(CreateSolidBrush(back)).get());
    const std::string caption = AliasCaption(ListBoxText(lbAliases_, static_cast<int>(item.itemID)));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, fore);
    TextOutA(item.hDC, item.rcItem.left + 2, item.rcItem.top, caption.c_str(), static_cast<int>(caption.size()));
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
    return true;
}

}  // namespace kl
