#include "model/report_lines.h"

#include <algorithm>
#include <cstdint>

#include "model/program_texts.h"
#include "model/text_fields.h"

namespace kl {
namespace {

std::string Text(const ReportNames& n, std::int64_t number) {
    if (!n.text || number < 0 || number > 100000) return {};
    return n.text(static_cast<int>(number));
}

// Not a number: far below any text.
std::int64_t Number(std::string_view text) { return ToNumber(Trim(text), -1000000); }

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string HotkeyReportLine(int key, int modifier, int functionId, std::string_view description,
                             std::string_view parameter, const ReportNames& names) {
    description = description.substr(0, 255);
    parameter = parameter.substr(0, 255);
    std::string r;
    if (!parameter.empty()) {
        const std::vector<std::string_view> p = SplitFields(parameter, '\xFF');
        const std::string_view p1 = p[0];
        std::string p2(p.size() > 1 ? p[1] : std::string_view());
        r = std::string(p1) + " ";
        switch (functionId) {
        case 49: case 50: case 52: case 199:
            r = Text(names, Number(p1) + 7);
            p2.clear();
            break;
        case 4:
            r = names.profileName ? names.profileName(static_cast<int>(std::max<std::int64_t>(Number(p1), -1))) : "";
            break;
        case 16: case 17:
            p2 = Text(names, Number(p2) + 265);
            break;
        case 208:
            p2 = Text(names, Number(p2) + 331);
            break;
        case 216:
            r = Text(names, Number(p1) + 331);
            p2.clear();
            break;
        default:
            break;
        }
        r += p2 + " ";
        // The parameter text ends each field with character 255: the empty piece after
        // the last one is no further parameter.
        for (std::size_t i = 2; i < p.size(); ++i)
            if (!(i + 1 == p.size() && p[i].empty())) r += std::string(p[i]) + " ";
    }
    std::string function(Trim(names.functionName ? names.functionName(functionId) : std::string()));
    if (!r.empty()) function += " " + std::string(Trim(r));
    const std::string hotkey = names.hotkeyText ? names.hotkeyText(key, modifier) : std::string();
    return std::string(Trim(description)) + " : " + hotkey + " " + " (" + std::string(Trim(function)) + ") ";
}

std::string ReportProgramsText(int mode, std::string_view programs, const ReportNames& names) {
    if (mode != 1 && mode != 2) return {};
    std::string label = names.text ? names.text(mode == 1 ? kLineReportOnlyIn : kLineReportExceptIn) : std::string();
    if (label.empty()) label = mode == 1 ? "only in" : "except in";
    return "[" + label + ": " + std::string(Trim(programs)) + "] ";
}

std::string ReportSettingLine(std::string_view label, std::string_view value) {
    if (Trim(label).empty() || Trim(value).empty()) return {};
    std::string line(label);
    if (line.size() < 45) line.append(45 - line.size(), ' ');
    line += ": ";
    if (value.size() < 10) line.append(10 - value.size(), ' ');
    line += value;
    return line;
}

void SortReportLines(std::vector<std::string>& lines) {
    std::stable_sort(lines.begin(), lines.end(), [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](char x, char y) { return Lower(x) < Lower(y); });
    });
}

std::string SettingsReportText(const SettingsReport& r, const ReportNames& names) {
    std::string out;
    auto line = [&out](const std::string& text) { out += text + "\r\n"; };
    auto text = [&names](int n) { return Text(names, n); };
    line(text(72));
    line("");
    line(text(107) + ": " + r.profileName);
    line("");
    line(text(73));
    line("");
    for (const std::string& h : r.hotkeyLines) line(h);
    line("");
    line(text(74));
    if (r.bookmarks) {
        const std::string add = names.functionName ? std::string(Trim(names.functionName(80))) : std::string();
        const std::string go = names.functionName ? std::string(Trim(names.functionName(81))) : std::string();
        line("");
        line(text(117) + ":");
        line("");
        for (int d = 0; d <= 9; ++d) line(add + " " + std::to_string(d) + " : WIN+SHIFT+" + std::to_string(d));
        for (int d = 0; d <= 9; ++d) line(go + " " + std::to_string(d) + " : WIN+" + std::to_string(d));
    }
    if (r.winDefaults) {
        line("");
        line(text(118) + ":");
        line("");
        for (const std::string& w : r.winDefaultLines) line(w);
    }
    line("");
    line(text(75));
    line("");
    for (const std::string& s : r.settingLines) line(s);
    line("");
    line(text(80));
    if (r.remapping) {
        line("");
        line(r.remapCaption);
        for (const std::string& m : r.remapLines) line(m);
        line("");
    }
    line("");
    line("");
    line(text(81));
    return out;
}

}  // namespace kl
