#include "model/file_output.h"

#include "win_handles.h"

namespace kl {
namespace {

FileWriteCall g_write = WriteFile;

// The folder that holds `path`, with its trailing backslash; empty when it cannot be told.
std::string FolderOf(const std::string& path) {
    char full[MAX_PATH] = {};
    char* name = nullptr;
    const DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, full, &name);
    if (n == 0 || n >= MAX_PATH || !name || name == full) return {};
    return std::string(full, name);
}

bool WriteAll(HANDLE file, std::string_view contents) {
    std::size_t done = 0;
    while (done < contents.size()) {
        const std::size_t rest = contents.size() - done;
        const DWORD want = rest > (1u << 20) ? (1u << 20) : static_cast<DWORD>(rest);
        DWORD wrote = 0;
        if (!g_write(file, contents.data() + done, want, &wrote, nullptr)) return false;
        if (wrote == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        done += wrote;
    }
    // What the system still holds must reach the disk (or the share) before the old file goes.
    return FlushFileBuffers(file) != FALSE;
}

}  // namespace

void SetFileWriteCall(FileWriteCall call) { g_write = call ? call : WriteFile; }

bool WriteWholeFile(const std::string& path, std::string_view contents) {
    const std::string folder = FolderOf(path);
    char temporary[MAX_PATH] = {};
    if (folder.empty()) {
        SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    // Creates the new file, under a name no other file of the folder has.
    if (!GetTempFileNameA(folder.c_str(), "kl", 0, temporary)) return false;
    bool written = false;
    {
        const UniqueHandle file(
            CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        written = file && WriteAll(file.get(), contents);
    }
    if (written &&
        MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    const DWORD error = GetLastError();
    DeleteFileA(temporary);
    SetLastError(error);
    return false;
}

}  // namespace kl
