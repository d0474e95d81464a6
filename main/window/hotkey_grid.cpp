#include "window/hotkey_grid.h"

#include <commctrl.h>

#include <string>
#include <utility>

#include "model/program_control_texts.h"
#include "model/ui_language.h"
#include "ui/gdi_owners.h"

namespace kl {
namespace {

struct Column {
    int text;  // language line; -1: "#"
    const char* fallback;
    int width;  // pixels at 96 dots per inch
};
constexpr Column kColumns[HotkeyRow::kColumns] = {
    {-1, "#", 28}, {109, "Description", 150}, {110, "Modifier", 80},
    {111, "Key", 70}, {112, "Function", 140}, {113, "Parameter", 160},
    {program_texts::kProgramsColumn, "Programs", 140},
};

int Scaled(HWND w, int px) {
    const WindowDC dc(w);
    const int dpi = dc ? GetDeviceCaps(dc.get(), LOGPIXELSX) : 96;
    return MulDiv(px, dpi, 96);
}

}  // namespace

void HotkeyGrid::Create(HINSTANCE instance, HWND parent, int id, HFONT font) {
    hwnd_ = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL |
                                LVS_SHOWSELALWAYS,
                            0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (!hwnd_) return;
    if (font) SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER;
    SendMessageA(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    for (int i = 0; i < HotkeyRow::kColumns; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.cx = Scaled(hwnd_, kColumns[i].width);
        column.pszText = const_cast<char*>(kColumns[i].fallback);
        column.iSubItem = i;
        SendMessageA(hwnd_, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    Fill({});
}

void HotkeyGrid::UpdateLanguage() {
    if (!hwnd_) return;
    for (int i = 1; i < HotkeyRow::kColumns; ++i) {
        std::string text = UiText(kColumns[i].text, kColumns[i].fallback);
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT;
        column.pszText = text.data();
        SendMessageA(hwnd_, LVM_SETCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

void HotkeyGrid::Fill(std::vector<HotkeyRow> rows) {
    const HotkeyRow* before = Selected();
    const int selectedId = before ? before->id : 0;
    rows_ = std::move(rows);
    if (!hwnd_) return;
    // The view keeps its scroll position; only the rows it shows are painted again.
    const int count = rows_.empty() ? 1 : static_cast<int>(rows_.size());
    SendMessageA(hwnd_, LVM_SETITEMCOUNT, count, LVSICF_NOSCROLL);
    if (!selectedId || !Select(selectedId)) {
        LVITEMA none{};
        none.stateMask = LVIS_SELECTED;
        SendMessageA(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    }
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void HotkeyGrid::Sort(int column) {
    if (rows_.size() < 2) return;
    const HotkeyRow* before = Selected();
    const int selectedId = before ? before->id : 0;
    SortHotkeyRows(rows_, column);
    if (selectedId) Select(selectedId);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

const HotkeyRow* HotkeyGrid::Selected() const {
    if (!hwnd_) return nullptr;
    const auto index = SendMessageA(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    if (index < 0 || static_cast<std::size_t>(index) >= rows_.size()) return nullptr;
    return &rows_[static_cast<std::size_t>(index)];
}

bool HotkeyGrid::Select(int id) {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].id != id) continue;
        LVITEMA item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(hwnd_, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&item));
        SendMessageA(hwnd_, LVM_ENSUREVISIBLE, i, FALSE);
        return true;
    }
    return false;
}

bool HotkeyGrid::OnNotify(const NMHDR& header) {
    switch (header.code) {
    case LVN_GETDISPINFOA: {
        auto& info = const_cast<NMLVDISPINFOA&>(reinterpret_cast<const NMLVDISPINFOA&>(header));
        if (!(info.item.mask & LVIF_TEXT) || !info.item.pszText || info.item.cchTextMax <= 0) return false;
        info.item.pszText[0] = '\0';
        const auto row = static_cast<std::size_t>(info.item.iItem);
        const int sub = info.item.iSubItem;
        if (row < rows_.size() && sub >= 0 && sub < HotkeyRow::kColumns)
            lstrcpynA(info.item.pszText, rows_[row].cells[static_cast<std::size_t>(sub)].c_str(), info.item.cchTextMax);
        return false;
    }
    case LVN_COLUMNCLICK:
        Sort(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
        return false;
    case NM_DBLCLK:
        return reinterpret_cast<const NMITEMACTIVATE&>(header).iItem >= 0;
    default:
        return false;
    }
}

}  // namespace kl
