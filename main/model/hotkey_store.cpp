#include "model/hotkey_store.h"

#include <climits>
#include <utility>

#include "hotkey_index.h"
#include "hotkey_record.h"
#include "model/hotkey_list.h"
#include "model/hotkey_table.h"
#include "model/registry_helpers.h"
#include "model/text_fields.h"
#include "registry_names.h"

namespace kl {

namespace {

using registry::kWholeText;

}  // namespace

HotkeyReader ReaderFrom(GetHotkeyCall call) {
    return [call = std::move(call)](int id) {
        HotkeyDetails d;
        if (!call) return d;
        constexpr std::size_t kBuffer = 1024;
        char description[kBuffer] = {};
        char parameter[kBuffer] = {};
        std::int32_t modifier = 0, key = 0, functionId = 0;
        call(id, &modifier, &key, &functionId, description, parameter);
        description[kBuffer - 1] = parameter[kBuffer - 1] = '\0';
        d.modifier = modifier;
        d.key = key;
        d.functionId = functionId;
        d.description = description;
        d.parameter = parameter;
        return d;
    };
}

HotkeyStore::HotkeyStore(std::string hotkeyKey, SettingsBlock* block, HotkeyReader reader)
    : hotkeyKey_(std::move(hotkeyKey)), block_(block), reader_(std::move(reader)) {
    if (!hotkeyKey_.empty() && hotkeyKey_.back() != '\\') hotkeyKey_ += '\\';
}

std::string HotkeyStore::SubkeyPath(int id) const { return HotkeySubkeyPath(hotkeyKey_, id); }

std::vector<std::string> HotkeyStore::IndexNames() const {
    if (hotkeyKey_.empty()) return {};
    std::vector<std::string> names = registry::ListNames(hotkeyKey_, registry::Names::Values);
    std::erase_if(names, [](const std::string& name) { return !IsDigits(name); });
    return names;
}

int HotkeyStore::AllocateId() {
    int id = ToNumber(registry::ReadText(hotkeyKey_, reg::kMaxKeyID, "0"));
    if (id < 0) id = 0;
    // IDs are never reused: should "MaxKeyID" have been lost, skip IDs still in use.
    do {
        if (id == INT_MAX) return 0;
        ++id;
    } while (!registry::ListNames(SubkeyPath(id), registry::Names::Values).empty());
    registry::WriteText(hotkeyKey_, reg::kMaxKeyID, std::to_string(id));
    return id;
}

StoreResult HotkeyStore::StoreHotkey(int id, int keyCode, int modifier, int functionId,
                                     std::string_view description, std::string_view parameter) {
    StoreResult result;
    if (hotkeyKey_.empty()) {
        result.error = "no hotkey key";
        return result;
    }
    if (keyCode < 1) {
        result.error = "invalid key code " + std::to_string(keyCode);
        return result;
    }
    if (id == 0) {
        result.error = "invalid hotkey ID 0";
        return result;
    }
    const int slot = IndexSlot(keyCode);
    const bool existing = id > 0;

    if (!existing) {
        id = AllocateId();
        if (id == 0) {
            result.error = "no hotkey ID left";
            return result;
        }
    } else {
        const HotkeyRecord stored = ReadHotkeyCombination(hotkeyKey_, id);
        if (stored.key != 0 && (IndexSlot(stored.key) != slot || stored.modifier != modifier)) DeleteHotkey(id);
    }

    const std::string slotName = std::to_string(slot);
    // A definition is listed once, under its own key code only.
    if (existing) Unlist(id, slotName);
    const std::string list = registry::ReadText(hotkeyKey_, slotName, "", kWholeText);
    if (!IndexHolds(list, id)) {
        std::string extended = list;
        // Keep the "ID;" form even when a hand-edited list lacks its last ";".
        if (!extended.empty() && extended.back() != ';') extended += ';';
        registry::WriteText(hotkeyKey_, slotName, extended + std::to_string(id) + ";", kWholeText);
    }

    WriteHotkeyRecord(hotkeyKey_, id, keyCode, modifier, description, functionId, parameter);

    result.id = id;
    if (block_ && PutHotkeyRow(*block_, id, keyCode, modifier) == RowPut::KeyFull) result.error = kTooManyHotkeys;
    return result;
}

void HotkeyStore::Unlist(int id, std::string_view keep) {
    for (const std::string& name : IndexNames()) {
        if (name == keep) continue;
        const std::string list = registry::ReadText(hotkeyKey_, name, "", kWholeText);
        if (!IndexHolds(list, id)) continue;  // lists without the ID stay exactly as they are
        const std::string rest = IndexWithout(list, id);
        if (rest.empty())
            registry::DeleteValue(hotkeyKey_, name);
        else
            registry::WriteText(hotkeyKey_, name, rest, kWholeText);
    }
}

bool HotkeyStore::DeleteHotkey(int id) {
    if (hotkeyKey_.empty()) return false;  // never touch keys at the root of HKEY_CURRENT_USER
    Unlist(id, {});
    const bool deleted = registry::DeleteKey(SubkeyPath(id));
    if (block_) RemoveHotkeyRows(*block_, id);
    return deleted;
}

int HotkeyStore::FindHotkeyID(int keyCode, int modifier) const {
    if (keyCode < 0) return -1;
    const std::int32_t id = FindHotkeyOfKey(hotkeyKey_, static_cast<std::uint32_t>(keyCode), modifier);
    return id > 0 ? id : -1;
}

int HotkeyStore::CountHotkeys() const {
    int count = 0;
    for (const std::string& name : IndexNames()) {
        // The load reads the values by their plain decimal names only.
        if (name.size() > 3 || std::to_string(ToNumber(name)) != name || ToNumber(name) > 255) continue;
        ForEachIndexId(registry::ReadText(hotkeyKey_, name, "", kWholeText), [&](std::int32_t) {
            ++count;
            return true;
        });
    }
    return count;
}

std::vector<std::string> HotkeyStore::ListHotkeys() const {
    std::vector<std::string> lines;
    for (const std::string& name : IndexNames()) {
        const std::string list = registry::ReadText(hotkeyKey_, name, "", kWholeText);
        ForEachIndexId(list, [&](std::int32_t id) {
            const HotkeyDetails d = reader_ ? reader_(id) : HotkeyDetails{};
            lines.push_back(JoinHotkeyLine({id, d.description, d.modifier, d.key, d.functionId, d.parameter}));
            return true;
        });
    }
    return lines;
}

}  // namespace kl
