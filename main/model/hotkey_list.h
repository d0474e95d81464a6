// The lines of the hotkey list and the rows of the Hotkeys page built from them.
//
// A line holds six fields separated by ";": ID, description, modifier set, key code,
// function ID, parameter. The parameter is the last field and keeps any ";" of its
// own; a ";" or "\" inside the description is written "\;" or "\\", so that a
// description can never shift the fields after it. The registry keeps the
// description as the user typed it: only the line is escaped.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kl {

struct HotkeyLine {
    int id = 0;
    std::string description;
    int modifier = 0;
    int key = 0;
    int functionId = 0;
    std::string parameter;
};

std::string JoinHotkeyLine(const HotkeyLine& line);
// The fields of a line; numbers that are not numbers read as 0. A line written by
// JoinHotkeyLine gives back exactly what was joined.
HotkeyLine SplitHotkeyLine(std::string_view line);

// The first of the parameter's fields: the text before its first character 255.
std::string_view FirstParameter(std::string_view parameter);

// One row of the Hotkeys page: "#", description, modifier, key, function, parameter,
// programs.
struct HotkeyRow {
    static constexpr int kColumns = 7;
    int id = 0;
    std::array<std::string, kColumns> cells;
};

// Sorts the rows by one column: 0 by ID, 1 to 6 by the column's text compared byte by
// byte (case-sensitive, ascending). Rows with equal texts keep their order.
void SortHotkeyRows(std::vector<HotkeyRow>& rows, int column);

}  // namespace kl
