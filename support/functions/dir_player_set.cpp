#include "functions/dir_player_set.h"

#include <windows.h>

#include "params.h"
#include "registry_names.h"
#include "registry_values.h"
#include "text255.h"
#include "win_handles.h"

namespace kl::support::dirplay {
namespace {

constexpr char kDir[] = "Dir";
constexpr char kPlayMode[] = "PlayMode";
constexpr char kPos[] = "Pos";

std::string ReadText(HKEY key, const char* name) {
    if (!key) return {};
    return ReadString(key, name).value_or("");
}

}  // namespace

std::string SetKeyPath(std::string_view name) {
    if (name.empty()) return reg::kDirPlayActiveKey;
    return std::string(reg::kDirPlayKey) + std::string(name);
}

void LoadSet(SettingsBlock& block, std::string_view name) {
    if (name == kActiveSet) return;
    RegKey key = RegKey::Open(HKEY_CURRENT_USER, SetKeyPath(name).c_str(), KEY_QUERY_VALUE);
    if (!key) {
        const std::string temp = std::string(reg::kTempKey) + "\\" + std::string(name);
        key = RegKey::Open(HKEY_CURRENT_USER, temp.c_str(), KEY_QUERY_VALUE);
    }
    SetText255(block.DirPlayDir, ReadText(key.get(), kDir));
    block.DirPlayMode = ParseNumber(ReadText(key.get(), kPlayMode));
    block.DirPlayPos = ParseNumber(ReadText(key.get(), kPos));
}

void DefineSet(SettingsBlock& block, std::string_view name, std::string_view dir, std::int32_t mode) {
    if (RegKey key = RegKey::Create(HKEY_CURRENT_USER, SetKeyPath(name).c_str(), KEY_SET_VALUE)) {
        WriteString(key.get(), kDir, dir);
        WriteString(key.get(), kPlayMode, std::to_string(mode));
    }
    // "Active" is not read back from the registry: the block must hold the new set too.
    SetText255(block.DirPlayDir, dir);
    block.DirPlayMode = mode;
}

void SetPosition(SettingsBlock& block, std::string_view name, std::int32_t p) {
    LoadSet(block, name);
    if (TrimBlanks(Text255View(block.DirPlayDir)).empty()) return;
    if (RegKey key = RegKey::Create(HKEY_CURRENT_USER, SetKeyPath(name).c_str(), KEY_SET_VALUE))
        WriteString(key.get(), kPos, std::to_string(p));
    block.DirPlayPos = p;
}

}  // namespace kl::support::dirplay
