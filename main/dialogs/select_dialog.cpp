#include "dialogs/select_dialog.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <cctype>

#include "ui/style.h"
#include "ui/help_pages.h"
#include "system/shell_links.h"
#include "model/ui_language.h"
#include "ui/dialog_template.h"
#include "ui/dpi.h"
#include "dialogs/edit_hotkey_ids.h"
#include "ui/gdi_owners.h"
#include "ui/window_text.h"
#include "com_apartment.h"

namespace kl {
namespace {

namespace id = select_ids;

// Language texts of the dialog; the fixed types' names are kTextTypeFirst to kTextTypeLast.
constexpr int kTextCaption = 216, kTextType = 217, kTextSelected = 218, kTextItems = 219, kTextBrowseTitle = 220,
              kTextFilter = 221, kTextFolder = 222, kTextFolderTitle = 224, kTextBrowse = 22, kTextOk = 11,
              kTextCancel = 12, kTextTypeFirst = 24, kTextTypeLast = 29;

// Shell folder numbers (CSIDL) scanned by the fixed types.
const std::vector<int> kTypeFolders[4] = {
    {22, 23, 2, 11},      // applications: common start menu, common programs, programs, start menu
    {6, 31},              // favourites, common favourites
    {0, 5, 16, 25, 21},   // documents: desktop, personal, desktop folder, common desktop folder, templates
    {34, 8},              // history, recent documents
};
// The special folders offered as types of their own, in this order.
std::vector<int> SpecialFolderNumbers() {
    std::vector<int> numbers;
    for (int n = 0; n <= 11; ++n) numbers.push_back(n);
    for (int n = 16; n <= 27; ++n) numbers.push_back(n);
    for (int n = 29; n <= 34; ++n) numbers.push_back(n);
    return numbers;
}

std::string WithBackslash(std::string folder) {
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
    return folder;
}

std::string SpecialFolder(int csidl) {
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE) || !path[0]) return {};
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
    return path;
}

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string Extension(const std::string& path) {
    const std::size_t dot = path.find_last_of(".\\/");
    if (dot == std::string::npos || path[dot] != '.') return {};
    return path.substr(dot + 1);
}

constexpr UINT kRefitItems = WM_APP + 22;

DialogTemplate SelectTemplate() {
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_3DLOOK;
    DialogTemplate t(style, 0, 260, 218, UiText(kTextCaption, "Select"));
    const DWORD vis = WS_VISIBLE;
    t.Item(DlgClass::Static, SS_LEFT | vis, 7, 9, 50, 9, id::lblType, "&Type");
    t.Item(DlgClass::ComboBox, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | vis, 60, 7, 193, 200, id::cbType, "");
    t.Item(DlgClass::Static, SS_LEFT | vis, 7, 27, 50, 9, id::lblSelected, "&Selected:");
    t.Item(DlgClass::Edit, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | vis, 60, 25, 193, 13, id::ebSelected, "");
    t.Item(DlgClass::Static, SS_LEFT | vis, 7, 44, 200, 9, id::lblList, "Available &items:");
    t.Item(DlgClass::ListBox,
           LBS_SORT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL |
               WS_BORDER | WS_TABSTOP | vis,
           7, 55, 246, 132, id::lbList, "");
    t.Item(DlgClass::Button, BS_DEFPUSHBUTTON | WS_TABSTOP | vis, 147, 196, 50, 15, id::btnOK, "&OK");
    t.Item(DlgClass::Button, BS_PUSHBUTTON | WS_TABSTOP | vis, 203, 196, 50, 15, id::btnCancel, "&Cancel");
    t.Item(DlgClass::Button, BS_PUSHBUTTON | WS_TABSTOP | vis, 7, 196, 50, 15, id::btnBrowse, "&Browse...");
    t.Item(DlgClass::Button, BS_PUSHBUTTON | WS_TABSTOP | vis, 61, 196, 50, 15, id::btnFolder, "&Folder...");
    return t;
}

}  // namespace

void TfrmSelect::ScanFolder(const std::string& folder, const std::string& mask, const std::string& middle,
                            std::set<std::string>& items, int depth) {
    if (folder.empty() || depth > kMaxDepth || static_cast<int>(items.size()) >= kMaxItems) return;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + mask).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name.empty() || name.front() == '.') continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ScanFolder(folder + name + "\\", mask, middle, items, depth + 1);
        } else {
            items.insert(name + ";" + middle + folder + name);
        }
    } while (static_cast<int>(items.size()) < kMaxItems && FindNextFileA(search, &found));
    FindClose(search);
}

std::pair<std::string, std::string> TfrmSelect::SplitItem(const std::string& item) {
    // A file name may hold ";" itself. The path ends with "\" and the name, and a name
    // never holds a backslash, so exactly one ";" of the item is followed by such a path.
    for (std::size_t at = item.find(';'); at != std::string::npos; at = item.find(';', at + 1)) {
        const std::string name = item.substr(0, at);
        const std::size_t rest = at + 1;
        if (item.size() >= rest + name.size() + 1 && item.compare(item.size() - name.size(), name.size(), name) == 0 &&
            item[item.size() - name.size() - 1] == '\\')
            return {name, item.substr(rest)};
    }
    const std::size_t semicolon = item.find(';');
    if (semicolon == std::string::npos) return {item, {}};
    return {item.substr(0, semicolon), item.substr(semicolon + 1)};
}

std::string TfrmSelect::ItemResult(const std::string& item, int type) {
    const std::string rest = SplitItem(item).second;
    if (type == kFavourites) {
        char url[1024] = {};
        GetPrivateProfileStringA("InternetShortcut", "URL", rest.c_str(), url, sizeof url, rest.c_str());
        return url;
    }
    if (Upper(Extension(rest)) == "LNK") {
        ShortcutInfo link;
        if (ReadShortcut(rest, link) && !link.target.empty()) return link.target;
    }
    return rest;
}

std::string TfrmSelect::DisplayName(const std::string& item) {
    std::string name = SplitItem(item).first;
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.resize(dot);
    return name;
}

DialogTemplate TfrmSelect::BuildTemplate() { return SelectTemplate(); }

void TfrmSelect::Finish(DialogResult result) {
    if (result == DialogResult::Ok) selected_ = WindowText(Item(id::ebSelected));
    End(result);
}

std::optional<std::string> ShowSelectDialog(HWND owner) {
    TfrmSelect select;
    if (select.ShowModal(owner) != DialogResult::Ok) return std::nullopt;
    return select.selected();
}

INT_PTR TfrmSelect::Proc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_MEASUREITEM: {
        // Item height 16 at the usual font size, more where the font is larger.
        auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        const WindowDC dc(dlg_);
        const SelectedObject selected(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(dlg_, WM_GETFONT, 0, 0)));
        TEXTMETRICA tm{};
        GetTextMetricsA(dc.get(), &tm);
        m->itemHeight = static_cast<UINT>(std::max<LONG>(16, tm.tmHeight + 3));
        return TRUE;
    }
    case WM_DPICHANGED:
        // The dialog manager scales the dialog and its font; the drawn list follows.
        PostMessageA(dlg_, kRefitItems, 0, 0);
        return FALSE;
    case kRefitItems:
        RefitOwnerDrawnItems(dlg_, 3, 16);
        return TRUE;
    case WM_INITDIALOG:
        ApplyStyleToForm(dlg_);
        SetWindowSubclass(Item(id::lbList), ListSubclass, 1, reinterpret_cast<DWORD_PTR>(this));
        SetWindowContextHelpId(dlg_, help::kSelect);
        FormShow();
        SetFocus(Item(id::cbType));
        return FALSE;
    case WM_COMMAND: {
        const int control = LOWORD(wp), code = HIWORD(wp);
        if (control == id::btnOK && code == BN_CLICKED) Finish(DialogResult::Ok);
        if (control == id::btnCancel && code == BN_CLICKED) Finish(DialogResult::Cancel);
        if (control == id::btnBrowse && code == BN_CLICKED) btnBrowseClick();
        if (control == id::btnFolder && code == BN_CLICKED) btnFolderClick();
        if (control == id::cbType && code == CBN_SELCHANGE) RefreshList();
        if (control == id::lbList && code == LBN_DBLCLK) TakeSelectedItem();
        return TRUE;
    }
    case WM_DRAWITEM: {
        const auto& d = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (d.CtlType != ODT_LISTBOX) return FALSE;
        const bool selected = (d.itemState & ODS_SELECTED) != 0;
        FillRect(d.hDC, &d.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        if (d.itemID != static_cast<UINT>(-1)) {
            const auto length = SendMessageA(d.hwndItem, LB_GETTEXTLEN, d.itemID, 0);
            std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
            if (length > 0) SendMessageA(d.hwndItem, LB_GETTEXT, d.itemID, reinterpret_cast<LPARAM>(text.data()));
            text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
            const std::string name = DisplayName(text);
            SetBkMode(d.hDC, TRANSPARENT);
            SetTextColor(d.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
            RECT r = d.rcItem;
            r.left += 3;
            DrawTextA(d.hDC, name.c_str(), static_cast<int>(name.size()), &r,
                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
        if (d.itemState & ODS_FOCUS) DrawFocusRect(d.hDC, &d.rcItem);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

LRESULT CALLBACK TfrmSelect::ListSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR which, DWORD_PTR ref) {
    auto* self = reinterpret_cast<TfrmSelect*>(ref);
    switch (msg) {
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, ListSubclass, which);
        break;
    case WM_GETDLGCODE: {
        const auto* m = reinterpret_cast<const MSG*>(lp);
        if (m && m->message == WM_KEYDOWN && m->wParam == VK_RETURN) return DLGC_WANTALLKEYS;
        break;
    }
    case WM_KEYDOWN:
        if (wp == VK_RETURN) {  // Enter takes the item as a double click does; the key is used up
            self->TakeSelectedItem();
            return 0;
        }
        break;
    case WM_CHAR:
        if (wp == '\r') return 0;
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

void TfrmSelect::FormShow() {
    SetWindowTextA(Item(id::ebSelected), "");
    UpdateLanguage();
    SendMessageA(Item(id::cbType), CB_SETCURSEL, kApplications, 0);
    RefreshList();
}

void TfrmSelect::UpdateLanguage() {
    SetWindowTextA(dlg_, UiText(kTextCaption, "Select").c_str());
    SetWindowTextA(Item(id::btnOK), UiText(kTextOk, "&OK").c_str());
    SetWindowTextA(Item(id::btnCancel), UiText(kTextCancel, "&Cancel").c_str());
    SetWindowTextA(Item(id::btnBrowse), UiText(kTextBrowse, "&Browse...").c_str());
    SetWindowTextA(Item(id::lblType), UiText(kTextType, "&Type").c_str());
    SetWindowTextA(Item(id::lblSelected), UiText(kTextSelected, "&Selected:").c_str());
    SetWindowTextA(Item(id::lblList), UiText(kTextItems, "Available &items:").c_str());
    SetWindowTextA(Item(id::btnFolder), UiText(kTextFolder, "&Folder...").c_str());
    types_.clear();
    for (int text = kTextTypeFirst; text <= kTextTypeLast; ++text) types_.push_back({UiText(text), {}});
    for (const int csidl : SpecialFolderNumbers()) {
        const std::string path = SpecialFolder(csidl);
        if (!path.empty()) types_.push_back({path, path});
    }
    HWND box = Item(id::cbType);
    SendMessageA(box, CB_RESETCONTENT, 0, 0);
    for (const TypeEntry& t : types_) SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t.caption.c_str()));
    SendMessageA(box, CB_SETCURSEL, kApplications, 0);
}

int TfrmSelect::SelectedType() const { return static_cast<int>(SendMessageA(Item(id::cbType), CB_GETCURSEL, 0, 0)); }

void TfrmSelect::RefreshList() {
    HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    const int type = SelectedType();
    std::set<std::string> items;
    if (type >= 0 && type <= kHistory) {
        for (const int csidl : kTypeFolders[type]) {
            const std::string folder = SpecialFolder(csidl);
            if (!folder.empty()) ScanFolder(WithBackslash(folder), "*.*", "", items);
        }
    } else if (type == kTypedFolder) {
        ScanFolder(WithBackslash(WindowText(Item(id::ebSelected))), "*.*", "", items);
    } else if (type == kControlPanel) {
        char system[MAX_PATH] = {};
        if (GetSystemDirectoryA(system, MAX_PATH)) ScanFolder(WithBackslash(system), "*.cpl", "Control;", items);
    } else if (type > kControlPanel && type < static_cast<int>(types_.size())) {
        const std::string& folder = types_[static_cast<std::size_t>(type)].folder;
        SetWindowTextA(Item(id::ebSelected), folder.c_str());
        ScanFolder(WithBackslash(folder), "*.*", "", items);
    }
    HWND list = Item(id::lbList);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& item : items) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    SetCursor(old);
}

std::string TfrmSelect::SelectedText() const {
    HWND list = Item(id::lbList);
    const auto sel = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (sel < 0) return {};
    const auto length = SendMessageA(list, LB_GETTEXTLEN, sel, 0);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, sel, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void TfrmSelect::TakeSelectedItem() {
    const std::string item = SelectedText();
    if (item.empty()) return;
    SetWindowTextA(Item(id::ebSelected), ItemResult(item, SelectedType()).c_str());
}

void TfrmSelect::btnBrowseClick() {
    std::string filter = UiText(kTextFilter, "Programs|*.exe|All files (*.*)|*.*");
    for (char& c : filter)
        if (c == '|') c = '\0';
    filter += '\0';
    const std::string title = UiText(kTextBrowseTitle, "Browse");
    char file[MAX_PATH] = {};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = dlg_;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = "c:\\";
    ofn.lpstrTitle = title.c_str();
    ofn.lpstrDefExt = "EXE";
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    EnsureComApartment();
    if (GetOpenFileNameA(&ofn)) SetWindowTextA(Item(id::ebSelected), file);
}

void TfrmSelect::btnFolderClick() {
    const std::string title = UiText(kTextFolderTitle, "Select folder");
    BROWSEINFOA bi{};
    bi.hwndOwner = dlg_;
    bi.lpszTitle = title.c_str();
    bi.ulFlags = BIF_RETURNONLYFSDIRS;
    std::string chosen;
    EnsureComApartment();  // the folder browser needs it
    if (PIDLIST_ABSOLUTE pidl = SHBrowseForFolderA(&bi)) {
        char path[MAX_PATH] = {};
        if (SHGetPathFromIDListA(pidl, path)) chosen = WithBackslash(path);
        CoTaskMemFree(pidl);
    }
    SetWindowTextA(Item(id::ebSelected), chosen.c_str());
    RefreshList();
}

}  // namespace kl
