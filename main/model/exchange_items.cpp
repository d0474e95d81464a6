#include "model/exchange_items.h"

#include <algorithm>
#include <set>
#include <utility>

#include "model/program_sets.h"
#include "model/text_fields.h"
#include "program_filter.h"
#include "registry_names.h"

namespace kl {
namespace {

constexpr char kSettings[] = "Settings";
constexpr char kHotkeys[] = "Hotkeys";

// The file names its hotkeys and their highest ID as the registry does.
std::string Section(int id) { return std::string(kHotkeys) + "\\" + reg::kHotkeySubkeyPrefix + std::to_string(id); }

std::string Cut(std::string_view text) { return std::string(text.substr(0, kExchangeTextMax)); }

// A number of at most `digits` digits; -1 otherwise.
int SmallNumber(std::string_view text, std::size_t digits = 9) {
    text = Trim(text);
    return IsDigits(text) && text.size() <= digits ? ToNumber(text) : -1;
}

std::string Shown(std::string_view text) {
    std::string s(text.substr(0, 40));
    for (char& c : s)
        if (static_cast<unsigned char>(c) < 32) c = ' ';
    return text.size() > 40 ? s + "..." : s;
}

// One hotkey of the file, or the reason it cannot be taken.
std::string ReadHotkey(const IniText& file, int id, const ExchangeRules& rules, ExchangeHotkey& h) {
    const std::string section = Section(id);
    if (!file.HasSection(section)) return "its section [" + section + "] is missing";
    h.sourceId = id;
    h.description = Cut(file.Get(section, "Description", ""));
    h.modifier = SmallNumber(file.Get(section, "Modifier", ""), 2);
    if (h.modifier < 0 || h.modifier > 15) return "its \"Modifier\" is not a set of modifier bits from 0 to 15";
    h.key = SmallNumber(file.Get(section, "Key", ""), 3);
    if (!IsHotkeyKeyCode(h.key)) return "its \"Key\" is not a key code";
    const std::string function = file.Get(section, "Function", "");
    const std::size_t semicolon = function.find(';');
    if (semicolon == std::string::npos) return "its \"Function\" has no \";\" after the function ID";
    h.functionId = SmallNumber(std::string_view(function).substr(0, semicolon), 3);
    const bool known = rules.knownFunction ? rules.knownFunction(h.functionId) : h.functionId >= 1 && h.functionId <= 279;
    if (h.functionId < 1 || !known) return "its function ID is unknown";
    h.parameter = Cut(std::string_view(function).substr(semicolon + 1));
    h.programs = file.Get(section, "Programs", "");
    const int mode = SmallNumber(file.Get(section, "ProgramsMode", ""), 1);
    h.programsMode = mode == 1 || mode == 2 ? mode : 0;
    return {};
}

}  // namespace

bool ExchangeHotkeysConflict(const ExchangeHotkey& a, const ExchangeHotkey& b) {
    if (a.key != b.key || a.modifier != b.modifier) return false;
    const std::string setA = PackProgramSet(ProgramNames(a.programs));
    const std::string setB = PackProgramSet(ProgramNames(b.programs));
    const auto bytes = [](const std::string& s) {
        return ProgramSetBytes{reinterpret_cast<const std::uint8_t*>(s.data()), static_cast<std::uint32_t>(s.size())};
    };
    return ProgramRowsConflict(static_cast<std::uint32_t>(a.programsMode), static_cast<std::uint32_t>(b.programsMode),
                               ProgramSetsShare(bytes(setA), bytes(setB)));
}

bool IsHotkeyKeyCode(int key) { return (key >= 1 && key <= 254) || (key >= 256 && key <= 511); }

ExchangeRead ReadExchangeFile(std::string_view contents, std::span<const ExchangeOption> options,
                              const ExchangeRules& rules) {
    ExchangeRead r;
    if (contents.size() > kIniFileLimit) {
        r.refused = true;
        r.skipped.push_back("The file is too large to be a settings exchange file.");
        return r;
    }
    const IniText file(contents);
    if (!file.HasSection(kHotkeys) && !file.HasSection(kSettings)) {
        r.refused = true;
        r.skipped.push_back("The file is not a settings exchange file: it has neither [Settings] nor [Hotkeys].");
        return r;
    }
    std::set<int> seenIds;
    std::vector<ExchangeHotkey> used;  // the hotkeys taken so far
    int hotkeys = 0;   // listed, conflicts included
    int imported = 0;  // of them to be written
    const int room = std::max(0, kExchangeMaxHotkeys - std::max(0, rules.existingHotkeys));
    // Key codes in ascending order, as the registry's index lists them.
    std::vector<std::pair<int, std::string>> lists;
    for (auto& [name, value] : file.Values(kHotkeys)) {
        if (Trim(name) == reg::kMaxKeyID) continue;
        const int code = SmallNumber(name, 3);
        if (code < 0 || code > 255) {
            r.skipped.push_back("[Hotkeys] " + Shown(name) + ": not a key code from 0 to 255");
            continue;
        }
        lists.emplace_back(code, std::move(value));
    }
    std::stable_sort(lists.begin(), lists.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [code, list] : lists) {
        for (std::string_view piece : SplitFields(list)) {
            if (Trim(piece).empty()) continue;
            const int id = SmallNumber(piece);
            const std::string where = "[Hotkeys] " + std::to_string(code) + ", ID " + Shown(Trim(piece)) + ": ";
            if (id < 1) {
                r.skipped.push_back(where + "not a hotkey ID");
                continue;
            }
            if (!seenIds.insert(id).second) {
                r.skipped.push_back(where + "the ID is listed twice");
                continue;
            }
            if (hotkeys >= kExchangeMaxHotkeys) {
                r.skipped.push_back(where + "more than " + std::to_string(kExchangeMaxHotkeys) + " hotkeys");
                continue;
            }
            ExchangeItem item;
            if (const std::string problem = ReadHotkey(file, id, rules, item.hotkey); !problem.empty()) {
                r.skipped.push_back(where + problem);
                continue;
            }
            const ExchangeHotkey& h = item.hotkey;
            const bool taken = (rules.taken && rules.taken(h)) ||
                               std::any_of(used.begin(), used.end(),
                                           [&](const ExchangeHotkey& u) { return ExchangeHotkeysConflict(u, h); });
            if (!taken && imported >= room) {
                r.skipped.push_back(where + "no room: the profile holds " + std::to_string(rules.existingHotkeys) +
                                    " hotkeys, and it takes at most " + std::to_string(kExchangeMaxHotkeys));
                continue;
            }
            used.push_back(h);
            item.kind = taken ? kExchangeConflict : kExchangeHotkey;
            r.items.push_back(std::move(item));
            ++hotkeys;
            if (!taken) ++imported;
        }
    }
    for (const ExchangeOption& option : options) {
        const std::string value(Trim(file.Get(kSettings, option.name, "")));
        if (value.empty()) continue;
        if (value.size() > 11 || ToNumber(value, -1) != ToNumber(value, 0)) {
            r.skipped.push_back("[Settings] " + std::string(option.name) + ": \"" + Shown(value) + "\" is not a number");
            continue;
        }
        ExchangeItem item;
        item.kind = kExchangeSetting;
        item.optionName = std::string(option.name);
        item.optionIndex = option.index;
        item.value = value;
        r.items.push_back(std::move(item));
    }
    return r;
}

int AddHotkeyToFile(IniText& file, const ExchangeHotkey& h) {
    int max = ToNumber(file.Get(kHotkeys, reg::kMaxKeyID, "0"));
    if (max < 0) max = 0;
    const int id = max + 1;
    file.Set(kHotkeys, reg::kMaxKeyID, std::to_string(id));
    const std::string slot = std::to_string(h.key < 255 ? h.key : 255);
    file.Set(kHotkeys, slot, file.Get(kHotkeys, slot, "") + std::to_string(id) + ";");
    const std::string section = Section(id);
    file.Set(section, "Modifier", std::to_string(h.modifier));
    file.Set(section, "Key", std::to_string(h.key));
    file.Set(section, "Description", h.description);
    file.Set(section, "Function", std::to_string(h.functionId) + ";" + h.parameter);
    if (h.programsMode != 0 || !h.programs.empty()) {
        file.Set(section, "Programs", h.programs);
        file.Set(section, "ProgramsMode", std::to_string(h.programsMode));
    }
    return id;
}

void WriteExchangeItems(IniText& file, std::span<const ExchangeItem> items) {
    for (const ExchangeItem& item : items)
        if (item.kind == kExchangeHotkey) AddHotkeyToFile(file, item.hotkey);
    for (const ExchangeItem& item : items)
        if (item.kind == kExchangeSetting) file.Set(kSettings, item.optionName, item.value);
}

}  // namespace kl
