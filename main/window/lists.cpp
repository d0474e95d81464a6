#include "window/lists.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "system/app_paths.h"
#include "model/catalogue.h"
#include "model/hotkey_list.h"
#include "model/hotkey_store.h"
#include "model/program_lists.h"
#include "system/active_profile_keys.h"
#include "system/support_calls.h"
#include "model/text_fields.h"
#include "model/ui_language.h"
#include "dialogs/alias_dialog.h"
#include "window/control_ids.h"
#include "window/window_texts.h"
#include "ui/app_identity.h"
#include "ui/gdi_owners.h"

namespace kl {
namespace {

constexpr int kListMargin = 4;
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

void Lists::Create(HINSTANCE instance, const Places& places, HFONT font) {
    places_ = places;
    grid_.Create(instance, places.hotkeysPage, ids::sgHotkeys, font);
    aliases_ = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTBOXA, "",
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_SORT | LBS_NOTIFY |
                                     LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                                 0, 0, 0, 0, places.aliasesPage,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids::lbAliases)), instance, nullptr);
    if (font) SendMessageA(aliases_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void Lists::Layout() {
    RECT page{};
    GetClientRect(places_.hotkeysPage, &page);
    const int margin = kListMargin;
    MoveWindow(grid_.handle(), margin, margin, page.right - 2 * margin, page.bottom - 2 * margin, TRUE);
    MoveWindow(aliases_, margin, margin, page.right - 2 * margin, page.bottom - 2 * margin, TRUE);
}

void Lists::Show() {
    if (!host_.ListsShown()) return;
    const int page = host_.ActivePage();
    const bool lists = page == kHotkeysPage || page == kAliasesPage;
    for (HWND b : places_.buttons) EnableWindow(b, lists);
    if (page == kHotkeysPage) {
        const HotkeyStore store(ActiveProfileKeys().hotkeys, block_(), ReaderFrom(CallGetHotkey));
        Catalogue& names = Names(dataDir_);
        std::vector<HotkeyRow> rows;
        for (const std::string& line : store.ListHotkeys()) rows.push_back(RowOf(SplitHotkeyLine(line), names));
        grid_.Fill(std::move(rows));
    } else if (page == kAliasesPage) {
        const std::string selected = [&] {
            const auto sel = SendMessageA(aliases_, LB_GETCURSEL, 0, 0);
            return sel >= 0 ? ListBoxText(aliases_, static_cast<int>(sel)) : std::string();
        }();
        SendMessageA(aliases_, WM_SETREDRAW, FALSE, 0);
        SendMessageA(aliases_, LB_RESETCONTENT, 0, 0);
        for (const std::string& alias : ListAliases()) {
            const auto index = SendMessageA(aliases_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(alias.c_str()));
            if (index >= 0) SendMessageA(aliases_, LB_SETITEMDATA, index, AliasIsValid(alias) ? 0 : kMissingProgram);
        }
        if (!selected.empty())
            SendMessageA(aliases_, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(selected.c_str()));
        SendMessageA(aliases_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(aliases_, nullptr, TRUE);
    }
}

std::string Lists::SelectedAlias() const {
    const auto sel = SendMessageA(aliases_, LB_GETCURSEL, 0, 0);
    return sel >= 0 ? ListBoxText(aliases_, static_cast<int>(sel)) : std::string();
}

void Lists::Add() {
    const int page = host_.ActivePage();
    if (page == kHotkeysPage) host_.mnNewHotkeyClick();
    if (page == kAliasesPage) NewAlias();
}

void Lists::Modify() {
    const int page = host_.ActivePage();
    if (page == kHotkeysPage) {
        const HotkeyRow* row = grid_.Selected();
        if (!row) {  // nothing selected, or the empty row of an empty list
            MessageBoxA(places_.owner, UiText(texts::kSelectHotkeyFirst, "Please select a hotkey first.").c_str(), MessageCaption().c_str(), MB_OK);
            return;
        }
        host_.EditHotkey(row->id);  // on OK the lists are shown again
    } else if (page == kAliasesPage) {
        const std::string alias = SelectedAlias();
        if (alias.empty()) {
            MessageBoxA(places_.owner, UiText(texts::kSelectAliasToModify, "Please select the alias to modify.").c_str(), "Error", MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        if (ShowAliasDialog(places_.owner, alias, AliasPath(alias)) == DialogResult::Ok && !host_.Closed()) host_.ShowData();
    }
}

void Lists::Remove() {
    const int page = host_.ActivePage();
    if (page == kHotkeysPage) {
        const HotkeyRow* row = grid_.Selected();
        if (!row) {
            MessageBoxA(places_.owner, UiText(texts::kSelectHotkeyFirst, "Please select a hotkey first.").c_str(), UiText(texts::kRemoveButton, "Remove").c_str(), MB_OK);
            return;
        }
        const int id = row->id;
        const std::string question = UiText(texts::kRemoveHotkeyQuestion, "Do you want to remove this hotkey?") + "\r\n" +
                                     std::string(Trim(row->cells[1])) + " ?\r\n";
        if (MessageBoxA(places_.owner, question.c_str(), UiText(texts::kRemoveHotkeyCaption, "Remove hotkey").c_str(), MB_YESNO | MB_ICONEXCLAMATION) !=
                IDYES ||
            host_.Closed() || !block_())
            return;
        HotkeyStore(ActiveProfileKeys().hotkeys, block_()).DeleteHotkey(id);
        hotkeys_.RefreshRegistrations();  // a registration of the removed combination goes too
        host_.ShowData();
    } else if (page == kAliasesPage) {
        const std::string alias = SelectedAlias();
        if (alias.empty()) {
            MessageBoxA(places_.owner, UiText(texts::kSelectAliasToRemove, "Please select the alias to remove.").c_str(), "Error", MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        const std::string question = UiText(texts::kRemoveAliasQuestion, "Do you want to remove the alias") + " " + alias + " ?\r\n";
        if (MessageBoxA(places_.owner, question.c_str(), "Warning", MB_YESNO | MB_ICONEXCLAMATION) != IDYES || host_.Closed()) return;
        AliasFailure failure;
        const AliasWrite result = DeleteAlias(alias, &failure);
        if (result == AliasWrite::Refused || result == AliasWrite::Failed)
            MessageBoxA(places_.owner, AliasDeleteMessage(alias, failure).c_str(), "Error", MB_OK | MB_ICONEXCLAMATION);
        host_.ShowData();  // whatever went, the list shows what is left
    }
}

int Lists::NewAlias() {
    if (host_.Closed() || host_.Creating()) return 2;
    const DialogResult result = ShowAliasDialog(places_.owner, "", "");
    if (result == DialogResult::Ok && !host_.Closed()) host_.ShowData();
    return static_cast<int>(result);
}

bool Lists::OnNotify(const NMHDR& header) {
    if (header.hwndFrom != grid_.handle()) return false;
    if (header.code == NM_RCLICK) {
        POINT at{};
        GetCursorPos(&at);
        TrackPopupMenu(GetSubMenu(places_.gridMenu, 0), TPM_RIGHTBUTTON, at.x, at.y, 0, places_.owner, nullptr);
        return true;
    }
    if (grid_.OnNotify(header)) Modify();  // sgHotkeysDblClick
    return true;
}

bool Lists::OnCommand(int id, int code) {
    switch (id) {
    case ids::btnAdd: Add(); return true;
    case ids::btnModify: Modify(); return true;
    case ids::btnRemove: Remove(); return true;
    case ids::lbAliases:
        if (code == LBN_DBLCLK) Modify();  // lbAliasesDblClick
        return true;
    case ids::mnNewAlias: NewAlias(); return true;
    default: break;
    }
    if (id >= ids::mnSortByFirst && id <= ids::mnSortByLast) {
        // The hotkey list sorted by column 1 to 5 until the next ShowData.
        grid_.Sort(id - ids::mnSortByFirst + 1);
        return true;
    }
    return false;
}

bool Lists::KeyDown(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !msg.hwnd || (msg.hwnd != grid_.handle() && msg.hwnd != aliases_))
        return false;
    if (GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    if (msg.wParam == VK_RETURN) {  // sgHotkeysKeyPress, lbAliasesKeyPress: the key is used up
        Modify();
        return true;
    }
    if (msg.wParam == VK_DELETE) {
        Remove();
        return true;
    }
    return false;
}

bool Lists::DrawAliasItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_LISTBOX || item.hwndItem != aliases_) return false;
    if (item.itemID == static_cast<UINT>(-1)) return true;  // lbAliasesDrawItem
    const bool marked = item.itemState & (ODS_SELECTED | ODS_FOCUS);
    COLORREF back = marked ? kNavy : GetSysColor(COLOR_WINDOW);
    COLORREF fore = marked ? kWhite : GetSysColor(COLOR_WINDOWTEXT);
    if (item.itemData == static_cast<ULONG_PTR>(kMissingProgram)) {
        back = kWhite;
        fore = kRed;
    }
    FillRect(item.hDC, &item.rcItem, UniqueBrush(CreateSolidBrush(back)).get());
    const std::string caption = AliasCaption(ListBoxText(aliases_, static_cast<int>(item.itemID)));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, fore);
    TextOutA(item.hDC, item.rcItem.left + 2, item.rcItem.top, caption.c_str(), static_cast<int>(caption.size()));
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
    return true;
}

}  // namespace kl
