#include "system/library_check.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "system/program_directory.h"
#include "model/reg_text.h"
#include "version.h"
#include "win_handles.h"

namespace kl {
namespace {

#ifdef _WIN64
constexpr WORD kOwnMachine = IMAGE_FILE_MACHINE_AMD64;
#else
constexpr WORD kOwnMachine = IMAGE_FILE_MACHINE_I386;
#endif
// The version every deliverable carries in its version resource.
constexpr std::uint64_t kOwnVersion = std::uint64_t(MAKELONG(KL_VERSION_MINOR, KL_VERSION_MAJOR)) << 32;

bool ReadAt(HANDLE file, LONG offset, void* buffer, DWORD size) {
    DWORD read = 0;
    return SetFilePointer(file, offset, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
           ReadFile(file, buffer, size, &read, nullptr) && read == size;
}

// The machine type in the file header of an executable image; nothing when the file
// cannot be read or is no image.
std::optional<WORD> ImageMachine(const std::string& path) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    IMAGE_DOS_HEADER dos{};
    if (!ReadAt(file.get(), 0, &dos, sizeof dos) || dos.e_magic != IMAGE_DOS_SIGNATURE || dos.e_lfanew <= 0)
        return std::nullopt;
    struct {
        DWORD signature;
        IMAGE_FILE_HEADER header;
    } nt{};
    if (!ReadAt(file.get(), dos.e_lfanew, &nt, sizeof nt) || nt.signature != IMAGE_NT_SIGNATURE) return std::nullopt;
    return nt.header.Machine;
}

// The file version of the version resource (major, minor, build, revision from the
// high word down); nothing without one.
std::optional<std::uint64_t> FileVersion(const std::string& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return std::nullopt;
    std::vector<char> info(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, info.data())) return std::nullopt;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(info.data(), "\\", &value, &length) || length < sizeof(VS_FIXEDFILEINFO)) return std::nullopt;
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    if (fixed->dwSignature != 0xFEEF04BD) return std::nullopt;
    return (std::uint64_t(fixed->dwFileVersionMS) << 32) | fixed->dwFileVersionLS;
}

bool IsOwnLibrary(const std::string& path) {
    return ImageMachine(path) == kOwnMachine && FileVersion(path) == kOwnVersion;
}

}  // namespace

bool HoldsOwnLibraries(const std::string& folder) {
    return IsOwnLibrary(folder + kHookLibraryFile) && IsOwnLibrary(folder + kSupportLibraryFile);
}

DataFolderChoice ChooseDataFolder(const std::string& stored) {
    const std::string dir = WithTrailingBackslash(stored);
    if (IsExistingDirectory(dir) && HoldsOwnLibraries(dir)) return {dir, false};
    const std::string own = ProgramDirectory();
    if (!stored.empty() && !IsExistingDirectory(dir)) return {own, false};
    return {own, dir != own};
}

}  // namespace kl
