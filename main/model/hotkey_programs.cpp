#include "model/hotkey_programs.h"

#include <windows.h>

#include "model/registry_helpers.h"
#include "registry_names.h"
#include "win_handles.h"

namespace kl {
namespace {

// A list of names is far longer than a description may be, but not unbounded.
constexpr std::size_t kProgramsLimit = 32767;

std::string HotkeySubkey(const std::string& hotkeyKey, int id) {
    return hotkeyKey + reg::kHotkeySubkeyPrefix + std::to_string(id);
}

// A REG_SZ only: REG_EXPAND_SZ and other types read as missing.
bool ReadPlainText(const std::string& path, const char* name, std::string& out) {
    RegKey key = RegKey::Open(HKEY_CURRENT_USER, path.c_str(), KEY_QUERY_VALUE);
    if (!key) return false;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
        return false;
    out = registry::ReadText(path, name, "", kProgramsLimit);
    return true;
}

bool DeleteIfPresent(const std::string& path, const char* name) {
    RegKey key = RegKey::Open(HKEY_CURRENT_USER, path.c_str(), KEY_SET_VALUE);
    if (!key) return true;
    const LONG rc = RegDeleteValueA(key.get(), name);
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

}  // namespace

ProgramsMode ProgramsModeFromText(std::string_view text) {
    if (text == "1") return ProgramsMode::OnlyIn;
    if (text == "2") return ProgramsMode::ExceptIn;
    return ProgramsMode::Everywhere;
}

std::string ProgramsModeText(ProgramsMode mode) {
    switch (mode) {
    case ProgramsMode::OnlyIn: return "1";
    case ProgramsMode::ExceptIn: return "2";
    default: return "0";
    }
}

HotkeyPrograms ReadHotkeyPrograms(const std::string& hotkeyKey, int id) {
    HotkeyPrograms result;
    const std::string path = HotkeySubkey(hotkeyKey, id);
    std::string mode;
    if (ReadPlainText(path, reg::kHotkeyProgramsMode, mode)) result.mode = ProgramsModeFromText(mode);
    ReadPlainText(path, reg::kHotkeyPrograms, result.programs);
    return result;
}

bool WriteHotkeyPrograms(const std::string& hotkeyKey, int id, const HotkeyPrograms& programs) {
    const std::string path = HotkeySubkey(hotkeyKey, id);
    if (programs.mode == ProgramsMode::Everywhere && programs.programs.empty()) {
        const bool list = DeleteIfPresent(path, reg::kHotkeyPrograms);
        const bool mode = DeleteIfPresent(path, reg::kHotkeyProgramsMode);
        return list && mode;
    }
    return registry::WriteText(path, reg::kHotkeyPrograms, programs.programs, kProgramsLimit) &&
           registry::WriteText(path, reg::kHotkeyProgramsMode, ProgramsModeText(programs.mode));
}

std::string ReadOffInPrograms(const std::string& mainKey) {
    std::string text;
    ReadPlainText(mainKey, reg::kOffInPrograms, text);
    return text;
}

bool WriteOffInPrograms(const std::string& mainKey, std::string_view programs) {
    if (programs.empty()) return DeleteIfPresent(mainKey, reg::kOffInPrograms);
    return registry::WriteText(mainKey, reg::kOffInPrograms, programs, kProgramsLimit);
}

}  // namespace kl
