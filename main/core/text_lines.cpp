#include "core/text_lines.h"

#include <windows.h>

#include "win_handles.h"

namespace kl {

std::vector<std::string> SplitTextLines(std::string_view contents) {
    std::vector<std::string> lines;
    const std::size_t size = contents.size();
    std::size_t start = 0;
    while (start < size) {
        std::size_t end = start;
        while (end < size && contents[end] != '\r' && contents[end] != '\n') ++end;
        lines.emplace_back(contents.substr(start, end - start));
        if (end < size) {
            const bool crlf = contents[end] == '\r' && end + 1 < size && contents[end + 1] == '\n';
            end += crlf ? 2 : 1;
        }
        start = end;
    }
    return lines;
}

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

std::string_view TrimSpaces(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= ' ') ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
    return text.substr(first, last - first);
}

}  // namespace kl
