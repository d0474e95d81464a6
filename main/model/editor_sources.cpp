#include "model/editor_sources.h"

#include <algorithm>

#include "model/registry_helpers.h"
#include "model/text_fields.h"
#include "registry_names.h"
#include "text255.h"

namespace kl {
namespace {
constexpr int kDirPlayFunction = 208;
// IDs are allocated one by one; a damaged "MaxKeyID" must not make the list endless.
constexpr int kMaxScannedId = 0xFFFF;
}  // namespace

std::string ActiveHotkeysKey(const SettingsBlock& block) {
    std::string profile = GetText255(block.ProfileName);
    if (profile.empty() || profile == reg::kDefaultProfile || profile == reg::kStandardProfile)
        return reg::kHotkeysKey;
    const char last = profile.back();
    const bool bareDrive = (profile.size() == 2 && profile[1] == ':') ||
                           (profile.size() == 3 && profile[1] == ':' && (last == '\\' || last == '/'));
    if (last != '\\' && last != '/' && !bareDrive) profile += '\\';
    return std::string(reg::kProfilesKey) + profile + reg::kHotkeysSubkey;
}

std::vector<std::string> DirPlaySetNames(const std::string& hotkeysKey, const HotkeyReader& reader) {
    std::vector<std::string> names;
    if (!reader) return names;
    int maxId = ToNumber(registry::ReadText(hotkeysKey, reg::kMaxKeyID, "0"));
    maxId = std::min(maxId, kMaxScannedId);
    for (int id = 1; id <= maxId; ++id) {
        const HotkeyDetails d = reader(id);
        if (d.functionId != kDirPlayFunction) continue;
        std::string name = d.parameter.substr(0, d.parameter.find('\xFF'));
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(std::move(name));
    }
    return names;
}

std::vector<std::string> ProfileList(const std::string& defaultName) {
    std::vector<std::string> list{defaultName};
    for (std::string& name : registry::ListNames(reg::kProfilesKey, registry::Names::Subkeys))
        list.push_back(std::move(name));
    return list;
}

}  // namespace kl
