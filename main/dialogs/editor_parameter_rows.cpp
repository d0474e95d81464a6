#include "dialogs/editor_parameter_rows.h"

#include <algorithm>
#include <vector>

#include "dialogs/edit_hotkey_ids.h"
#include "ui/window_text.h"

namespace kl {
namespace {

namespace id = editor_ids;
using editor::kRowCount;

RECT ClientRectOf(HWND dlg, HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace

void ParameterRows::Measure(HWND dialog) {
    dlg_ = dialog;
    // The laid-out positions of ebDocument, ebParameter and cbList are the three rows.
    const int rowControls[kRowCount] = {id::ebDocument, id::ebParameter, id::cbList};
    const int rowLabels[kRowCount] = {id::lblDocument, id::lblParameter, id::lblList};
    for (int r = 0; r < kRowCount; ++r) {
        rowTop_[r] = ClientRectOf(dlg_, Item(rowControls[r])).top;
        rowLabelTop_[r] = ClientRectOf(dlg_, Item(rowLabels[r])).top - rowTop_[r];
    }
}

void ParameterRows::Place(int labelId, int controlId, int row) {
    const int r = std::clamp(row, 1, kRowCount) - 1;
    RECT c = ClientRectOf(dlg_, Item(controlId));
    RECT l = ClientRectOf(dlg_, Item(labelId));
    SetWindowPos(Item(controlId), nullptr, c.left, rowTop_[r], 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(Item(labelId), nullptr, l.left, rowTop_[r] + rowLabelTop_[r], 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ParameterRows::OrderTabs() {
    struct Entry {
        int row, control;
    };
    std::vector<Entry> entries;
    if (layout_.document.visible) entries.push_back({layout_.document.row * 2, id::ebDocument});
    if (layout_.selectButton) entries.push_back({(layout_.document.visible ? layout_.document.row : 1) * 2 + 1, id::btnSelect});
    if (layout_.list.visible) entries.push_back({layout_.list.row * 2, id::cbList});
    if (layout_.parameter.visible) entries.push_back({layout_.parameter.row * 2, id::ebParameter});
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.row < b.row; });
    HWND after = Item(id::cbFunction);
    for (const Entry& e : entries) {
        SetWindowPos(Item(e.control), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = Item(e.control);
    }
}

void ParameterRows::Reload(std::string_view catalogueLine, const editor::ListSources& sources, ToolTips& tips) {
    if (!dlg_) return;
    const int remembered = static_cast<int>(SendMessageA(Item(id::cbList), CB_GETCURSEL, 0, 0));
    for (int label : {id::lblParameter, id::lblDocument, id::lblList}) {
        ShowWindow(Item(label), SW_HIDE);
        SetWindowTextA(Item(label), "");
    }
    for (int control : {id::ebDocument, id::ebParameter, id::btnSelect, id::cbList}) ShowWindow(Item(control), SW_HIDE);
    SendMessageA(Item(id::cbList), CB_RESETCONTENT, 0, 0);
    SendMessageA(Item(id::cbList), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);

    layout_ = editor::LayoutFor(catalogueLine, sources);

    auto showText = [&](const editor::TextRow& row, int labelId, int fieldId) {
        if (!row.visible) return;
        SetWindowTextA(Item(labelId), row.label.c_str());
        Place(labelId, fieldId, row.row);
        SendMessageA(Item(fieldId), EM_LIMITTEXT, row.maxLength > 0 ? row.maxLength : 0, 0);
        tips.Set(Item(fieldId), row.label);
        ShowWindow(Item(labelId), SW_SHOW);
        ShowWindow(Item(fieldId), SW_SHOW);
    };
    showText(layout_.document, id::lblDocument, id::ebDocument);
    showText(layout_.parameter, id::lblParameter, id::ebParameter);
    if (layout_.selectButton) {
        RECT b = ClientRectOf(dlg_, Item(id::btnSelect));
        RECT e = ClientRectOf(dlg_, Item(id::ebDocument));
        const int top = layout_.document.visible ? e.top : rowTop_[0];
        SetWindowPos(Item(id::btnSelect), nullptr, b.left, top - 1, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(Item(id::btnSelect), SW_SHOW);
    }
    if (layout_.list.visible) {
        HWND list = Item(id::cbList);
        for (const std::string& entry : layout_.list.entries)
            SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        const int count = static_cast<int>(layout_.list.entries.size());
        SendMessageA(list, CB_SETCURSEL, remembered >= 0 && remembered < count ? remembered : (count > 0 ? 0 : -1), 0);
        SetWindowTextA(Item(id::lblList), layout_.list.label.c_str());
        Place(id::lblList, id::cbList, layout_.list.row);
        tips.Set(list, layout_.list.label);
        ShowWindow(Item(id::lblList), SW_SHOW);
        ShowWindow(list, SW_SHOW);
    }
    OrderTabs();
}

editor::ParameterValues ParameterRows::Values() const {
    editor::ParameterValues values;
    values.document = WindowText(Item(id::ebDocument));
    values.listIndex = layout_.list.visible ? static_cast<int>(SendMessageA(Item(id::cbList), CB_GETCURSEL, 0, 0)) : -1;
    values.parameter = WindowText(Item(id::ebParameter));
    return values;
}

void ParameterRows::Spread(int functionId, std::string_view stored) {
    const editor::ParameterValues values = editor::SpreadParameterText(layout_, functionId, stored);
    if (layout_.document.visible) SetWindowTextA(Item(id::ebDocument), values.document.c_str());
    if (layout_.list.visible) SendMessageA(Item(id::cbList), CB_SETCURSEL, values.listIndex, 0);
    if (layout_.parameter.visible) SetWindowTextA(Item(id::ebParameter), values.parameter.c_str());
}

int ParameterRows::FirstTextField() const { return layout_.document.visible ? id::ebDocument : id::ebParameter; }

}  // namespace kl
