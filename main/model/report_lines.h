// The readable line of one hotkey, shared by the printed settings report and the
// import dialog's list, and the sorted hotkey lines of the report. Without Win32:
// the names come from the caller.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kl {

struct ReportNames {
    std::function<std::string(int number)> text;                  // language text, empty when missing
    std::function<std::string(int functionId)> functionName;      // the catalogue's name
    std::function<std::string(int key, int modifier)> hotkeyText;  // modifier name, "+", key name
    std::function<std::string(int number)> profileName;           // profile by number
};

// "description : hotkey  (function readable parameters) ".
std::string HotkeyReportLine(int key, int modifier, int functionId, std::string_view description,
                             std::string_view parameter, const ReportNames& names);

// The programs of a hotkey limited to them, for the end of its line: "[only in:
// a.exe; b.exe] " (mode 1) or "[except in: ...] " (mode 2); empty for everywhere.
std::string ReportProgramsText(int mode, std::string_view programs, const ReportNames& names);

// The label and value of a setting line: the label padded to 45 characters, ": ", the
// value padded on the left to 10; empty when either is blank.
std::string ReportSettingLine(std::string_view label, std::string_view value);

// Lines sorted as text without regard to case, the description at their front.
void SortReportLines(std::vector<std::string>& lines);

// What the printed report of the active profile shows, gathered by the main window.
struct SettingsReport {
    std::string profileName;
    std::vector<std::string> hotkeyLines;  // sorted HotkeyReportLine texts
    bool bookmarks = false;                // hook mode with window bookmarks on
    bool winDefaults = false;              // the Windows key combinations kept
    std::vector<std::string> winDefaultLines;
    std::vector<std::string> settingLines;  // ReportSettingLine texts, empty ones left out
    bool remapping = false;
    std::string remapCaption;
    std::vector<std::string> remapLines;
};

// The report's text, each line ended by CR LF.
std::string SettingsReportText(const SettingsReport& report, const ReportNames& names);

}  // namespace kl
