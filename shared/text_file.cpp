#include "text_file.h"

#include <windows.h>

#include "text_lines.h"
#include "win_handles.h"

namespace kl {

bool ReadWholeFile(const std::string& path, std::string& contents) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 || size.QuadPart > 64 * 1024 * 1024) return false;
    std::string data(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < data.size()) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(data.size() - done);
        if (!ReadFile(file.get(), data.data() + done, want, &got, nullptr)) return false;
        if (got == 0) break;
        done += got;
    }
    data.resize(done);
    contents = std::move(data);
    return true;
}

std::optional<std::vector<std::string>> ReadTextLines(const std::string& path) {
    std::string contents;
    if (!ReadWholeFile(path, contents)) return std::nullopt;
    return SplitTextLines(contents);
}

std::string CannotOpenFileText(const std::string& path) { return "Cannot open file \"" + path + "\"."; }

}  // namespace kl
