// The hotkey editor's parameter rows: ebDocument (with btnSelect), ebParameter and
// cbList, shown, labelled and placed on the three rows as the function's catalogue
// line asks (the layout comes from the editor's rules), and their values read and set.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "model/hotkey_editor_rules.h"
#include "ui/tool_tips.h"

namespace kl {

class ParameterRows {
public:
    // Notes where the template put the three rows; called once the dialog is made.
    void Measure(HWND dialog);
    void Reset() { dlg_ = nullptr; layout_ = {}; }

    // Lays the rows out for a catalogue line ("": no function); the list keeps the
    // entry that was selected where it still exists.
    void Reload(std::string_view catalogueLine, const editor::ListSources& sources, ToolTips& tips);
    const editor::ParameterLayout& layout() const { return layout_; }

    // What the visible controls hold.
    editor::ParameterValues Values() const;
    // The stored parameter text spread over the visible controls.
    void Spread(int functionId, std::string_view stored);
    // The first text field the function shows (the document row, else the parameter row).
    int FirstTextField() const;

private:
    HWND Item(int id) const { return GetDlgItem(dlg_, id); }
    void Place(int labelId, int controlId, int row);
    void OrderTabs();

    HWND dlg_ = nullptr;
    editor::ParameterLayout layout_;
    int rowTop_[editor::kRowCount] = {};  // the positions of the rows as laid out, in pixels
    int rowLabelTop_[editor::kRowCount] = {};
};

}  // namespace kl
