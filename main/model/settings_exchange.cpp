#include "model/settings_exchange.h"

#include <algorithm>
#include <set>

#include "model/file_output.h"
#include "hotkey_index.h"
#include "hotkey_record.h"
#include "model/hotkey_programs.h"
#include "model/hotkey_store.h"
#include "model/registry_helpers.h"
#include "model/settings_table.h"
#include "model/text_fields.h"
#include "text_file.h"

namespace kl {

std::vector<ExchangeOption> ExchangedOptions() {
    std::vector<ExchangeOption> options;
    for (const int position : SettingImportOrder()) options.push_back({position, SettingValueName(position)});
    return options;
}

ExchangeRead ReadExchangeFromRegistry(const ProfileKeys& keys) {
    ExchangeRead r;
    std::set<int> seen;
    std::vector<std::string> names = registry::ListNames(keys.hotkeys, registry::Names::Values);
    std::erase_if(names, [](const std::string& n) { return !IsDigits(n) || n.size() > 3; });
    std::stable_sort(names.begin(), names.end(),
                     [](const std::string& a, const std::string& b) { return ToNumber(a) < ToNumber(b); });
    for (const std::string& name : names) {
        const std::string list = registry::ReadText(keys.hotkeys, name, "", registry::kWholeText);
        ForEachIndexId(list, [&](std::int32_t id) {
            if (!seen.insert(id).second) return true;
            HotkeyRecord stored = ReadHotkeyRecord(keys.hotkeys, id);
            if (!stored.runnable) {
                r.skipped.push_back("Hotkey " + std::to_string(id) + ": its function could not be read");
                return true;
            }
            ExchangeItem item;
            item.kind = kExchangeHotkey;
            ExchangeHotkey& h = item.hotkey;
            h.sourceId = id;
            h.description = stored.description.substr(0, registry::kTextLimit);
            h.modifier = stored.modifier;
            h.key = stored.key;
            h.functionId = stored.functionId;
            h.parameter = stored.parameters.substr(0, kExchangeTextMax);
            const HotkeyPrograms programs = ReadHotkeyPrograms(keys.hotkeys, id);
            h.programs = programs.programs;
            h.programsMode = static_cast<int>(programs.mode);
            r.items.push_back(std::move(item));
            return true;
        });
    }
    for (const ExchangeOption& option : ExchangedOptions()) {
        const std::string value(Trim(registry::ReadText(keys.main, option.name, "")));
        if (value.empty()) continue;
        ExchangeItem item;
        item.kind = kExchangeSetting;
        item.optionName = std::string(option.name);
        item.optionIndex = option.index;
        item.value = value;
        r.items.push_back(std::move(item));
    }
    return r;
}

ExchangeRead ReadExchangeFromFile(const std::string& path, const ProfileKeys& keys, const ExchangeRules& rules) {
    std::string contents;
    if (!ReadWholeFile(path, contents)) {
        ExchangeRead r;
        r.refused = true;
        r.skipped.push_back("The file \"" + path + "\" could not be read.");
        return r;
    }
    ExchangeRules withStore = rules;
    const HotkeyStore store(keys.hotkeys, nullptr);
    if (!withStore.taken) {
        // The profile's hotkeys with their programs: one on the same combination for
        // other programs is no conflict.
        std::vector<ExchangeHotkey> held;
        for (ExchangeItem& item : ReadExchangeFromRegistry(keys).items)
            if (item.kind == kExchangeHotkey) held.push_back(std::move(item.hotkey));
        withStore.taken = [store, held](const ExchangeHotkey& h) {
            for (const ExchangeHotkey& other : held)
                if (ExchangeHotkeysConflict(other, h)) return true;
            // A hotkey whose function cannot be read back still holds its combination.
            const int id = store.FindHotkeyID(h.key, h.modifier);
            return id >= 0 && std::none_of(held.begin(), held.end(),
                                           [&](const ExchangeHotkey& o) { return o.sourceId == id; });
        };
    }
    withStore.existingHotkeys = store.CountHotkeys();
    const std::vector<ExchangeOption> options = ExchangedOptions();
    return ReadExchangeFile(contents, options, withStore);
}

std::string WriteExchangeToFile(const std::string& path, const std::vector<ExchangeItem>& items) {
    IniText file;
    WriteExchangeItems(file, items);
    if (!WriteWholeFile(path, file.Text())) return "The settings could not be written to \"" + path + "\".";
    return {};
}

std::string WriteExchangeToRegistry(const ProfileKeys& keys, SettingsBlock* block,
                                    const std::vector<ExchangeItem>& items) {
    std::string problems;
    HotkeyStore store(keys.hotkeys, block);
    // More than the settings load takes would leave the table cut and the rest unread.
    int count = store.CountHotkeys();
    for (const ExchangeItem& item : items) {
        if (item.kind != kExchangeHotkey) continue;
        const ExchangeHotkey& h = item.hotkey;
        if (count >= kExchangeMaxHotkeys) {
            problems += "\"" + h.description + "\": not imported, the profile holds " + std::to_string(count) +
                        " hotkeys already\r\n";
            continue;
        }
        ++count;
        const StoreResult stored = store.StoreHotkey(-1, h.key, h.modifier, h.functionId, h.description, h.parameter);
        if (stored.id > 0 &&
            !WriteHotkeyPrograms(keys.hotkeys, stored.id,
                                 {h.programs, static_cast<ProgramsMode>(h.programsMode == 1 || h.programsMode == 2 ? h.programsMode : 0)}))
            problems += "\"" + h.description + "\": its programs could not be written\r\n";
        if (!stored.error.empty())
            problems += "\"" + h.description + "\": " + stored.error + "\r\n";
    }
    for (const ExchangeItem& item : items)
        if (item.kind == kExchangeSetting && !registry::WriteText(keys.main, item.optionName, item.value))
            problems += item.optionName + ": could not be written\r\n";
    return problems;
}

}  // namespace kl
