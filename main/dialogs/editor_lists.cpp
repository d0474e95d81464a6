#include "dialogs/editor_lists.h"

#include "dialogs/edit_hotkey_ids.h"
#include "model/hotkey_editor_rules.h"
#include "model/text_fields.h"
#include "model/ui_language.h"
#include "ui/gdi_owners.h"

namespace kl {
namespace {

namespace id = editor_ids;

// cbKey item data.
constexpr LPARAM kGreyLine = 1;   // drawn on a grey background
constexpr LPARAM kNotChosen = 2;  // cannot be chosen
constexpr LPARAM kDrawNothing = 4;

constexpr COLORREF kGrey = RGB(128, 128, 128);

HGDIOBJ DialogFont(HWND dlg) { return reinterpret_cast<HGDIOBJ>(SendMessageA(dlg, WM_GETFONT, 0, 0)); }

LanguageText LangFn() {
    return [](int n) { return UiText(n); };
}

}  // namespace

void EditorLists::FillModifiers() {
    HWND box = Item(id::cbModifier);
    SendMessageA(box, CB_RESETCONTENT, 0, 0);
    for (const std::string& name : catalogue_->ModifierList())
        SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

void EditorLists::FillKeys() {
    HWND box = Item(id::cbKey);
    SendMessageA(box, WM_SETREDRAW, FALSE, 0);
    SendMessageA(box, CB_RESETCONTENT, 0, 0);
    SendMessageA(box, CB_INITSTORAGE, keyLines_.size(), keyLines_.size() * 16);
    for (const std::string& line : keyLines_) {
        const editor::KeyLineLook look = editor::LookOfKeyLine(line);
        LPARAM flags = 0;
        if (look.grey) flags |= kGreyLine;
        if (look.drawnEmpty) flags |= kDrawNothing;
        if (!look.choosable) flags |= kNotChosen;
        const auto at = SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(look.name.c_str()));
        if (at >= 0) SendMessageA(box, CB_SETITEMDATA, at, flags);
    }
    SendMessageA(box, WM_SETREDRAW, TRUE, 0);
}

void EditorLists::FillCategories() {
    HWND box = Item(id::cbCategory);
    SendMessageA(box, CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : catalogue_->CategoryList()) {
        const editor::CategoryEntry category = editor::ParseCategoryEntry(entry);
        const auto at = SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(category.name.c_str()));
        if (at >= 0) SendMessageA(box, CB_SETITEMDATA, at, category.number);
    }
}

void EditorLists::FillFunctions(int category) {
    std::vector<std::string> list = std::move(catalogue_->FunctionCatalogue(category).value);
    if (category == 0) list = catalogue_->SortedByName(list);
    functionLines_ = editor::ChoosableFunctionLines(std::move(list));
    HWND box = Item(id::cbFunction);
    SendMessageA(box, WM_SETREDRAW, FALSE, 0);
    SendMessageA(box, CB_RESETCONTENT, 0, 0);
    const LanguageText text = LangFn();
    for (std::size_t i = 0; i < functionLines_.size(); ++i) {
        const std::string name = editor::FunctionListName(functionLines_[i], text);
        const auto at = SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        if (at >= 0) SendMessageA(box, CB_SETITEMDATA, at, static_cast<LPARAM>(i));
    }
    SendMessageA(box, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(box, nullptr, TRUE);
}

const std::string* EditorLists::FunctionLineAt(int position) const {
    if (position < 0) return nullptr;
    const auto index = static_cast<std::size_t>(SendMessageA(Item(id::cbFunction), CB_GETITEMDATA, position, 0));
    return index < functionLines_.size() ? &functionLines_[index] : nullptr;
}

int EditorLists::FunctionPosition(int functionId) const {
    const int count = static_cast<int>(SendMessageA(Item(id::cbFunction), CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const std::string* line = FunctionLineAt(i);
        if (line && NumberField(*line, 1) == functionId) return i;
    }
    return -1;
}

int EditorLists::CategoryPosition(int category) const {
    const int count = static_cast<int>(SendMessageA(Item(id::cbCategory), CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        if (CategoryAt(i) == category) return i;
    return -1;
}

int EditorLists::CategoryAt(int position) const {
    return static_cast<int>(SendMessageA(Item(id::cbCategory), CB_GETITEMDATA, position, 0));
}

int EditorLists::KeyPosition(int code) const {
    const int count = static_cast<int>(SendMessageA(Item(id::cbKey), CB_GETCOUNT, 0, 0));
    const int at = editor::KeyLineOf(keyLines_, code);
    return at < count ? at : -1;
}

bool EditorLists::KeyChoosableAt(int position) const {
    return position >= 0 && !(SendMessageA(Item(id::cbKey), CB_GETITEMDATA, position, 0) & kNotChosen);
}

int EditorLists::KeyCodeAt(int position) const {
    return position >= 0 && position < static_cast<int>(keyLines_.size())
               ? NumberField(keyLines_[static_cast<std::size_t>(position)], 1)
               : 0;
}

void EditorLists::MeasureItem(HWND dialog, MEASUREITEMSTRUCT& m) {
    const WindowDC dc(dialog);
    const SelectedObject selected(dc.get(), DialogFont(dialog));
    TEXTMETRICA tm{};
    GetTextMetricsA(dc.get(), &tm);
    m.itemHeight = static_cast<UINT>(tm.tmHeight + 4);
}

void EditorLists::DrawItem(const DRAWITEMSTRUCT& d, int keyListId) {
    if (d.CtlType != ODT_COMBOBOX) return;
    HDC dc = d.hDC;
    RECT r = d.rcItem;
    const bool selected = (d.itemState & ODS_SELECTED) != 0;
    LPARAM flags = 0;
    std::string text;
    if (d.itemID != static_cast<UINT>(-1)) {
        const auto length = SendMessageA(d.hwndItem, CB_GETLBTEXTLEN, d.itemID, 0);
        if (length > 0) {
            text.assign(static_cast<std::size_t>(length) + 1, '\0');
            SendMessageA(d.hwndItem, CB_GETLBTEXT, d.itemID, reinterpret_cast<LPARAM>(text.data()));
            text.resize(static_cast<std::size_t>(length));
        }
        if (static_cast<int>(d.CtlID) == keyListId) flags = static_cast<LPARAM>(d.itemData);
    }
    COLORREF back = GetSysColor(COLOR_WINDOW), fore = GetSysColor(COLOR_WINDOWTEXT);
    if (flags & kGreyLine) {
        back = kGrey;
        fore = RGB(255, 255, 255);
    }
    if (flags & kNotChosen) fore = GetSysColor(COLOR_GRAYTEXT);
    if (selected) {
        back = GetSysColor(COLOR_HIGHLIGHT);
        fore = GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    FillRect(dc, &r, UniqueBrush(CreateSolidBrush(back)).get());
    if (!(flags & kDrawNothing) && !text.empty()) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, fore);
        RECT t = r;
        t.left += 3;
        t.right -= 2;
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &t,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if ((d.itemState & ODS_FOCUS) && !(d.itemState & ODS_NOFOCUSRECT)) DrawFocusRect(dc, &r);
}

}  // namespace kl
