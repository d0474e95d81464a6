// sgHotkeys: the grid of the Hotkeys page. A list view in report mode whose rows the
// program keeps itself (the view asks for the text of the rows it paints), with a
// header of seven columns that the user may resize and move, whole-row selection and
// double-buffered painting, so that 255 rows scroll and sort without flicker.
#pragma once

#include <windows.h>

#include <vector>

#include "model/hotkey_list.h"

namespace kl {

class HotkeyGrid {
public:
    void Create(HINSTANCE instance, HWND parent, int id, HFONT font);
    HWND handle() const { return hwnd_; }
    // Column headers (language texts 109 to 113 and the programs column) and widths.
    void UpdateLanguage();
    // Replaces the rows, in the order given. With no rows the grid shows one empty row.
    // The hotkey selected before stays selected when it is still there.
    void Fill(std::vector<HotkeyRow> rows);
    // Sorts the rows by a column (0 "#", 1 to 6 the others); needs two rows or more.
    void Sort(int column);
    // The selected hotkey's row, or null (no selection, or the empty row).
    const HotkeyRow* Selected() const;
    bool Select(int id);
    const std::vector<HotkeyRow>& rows() const { return rows_; }
    // WM_NOTIFY from the view: supplies the texts and sorts on a header click. Returns
    // true for a double click on a row, which the window answers like Modify.
    bool OnNotify(const NMHDR& header);

private:
    HWND hwnd_ = nullptr;
    std::vector<HotkeyRow> rows_;
};

}  // namespace kl
