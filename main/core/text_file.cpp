#include "core/text_file.h"

#include <windows.h>

#include "win_handles.h"

namespace kl {

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(text.substr(start, i - start));
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

Result<std::vector<std::string>> ReadLines(const std::string& path) {
    using Lines = Result<std::vector<std::string>>;
    const std::string failure = "Cannot open file \"" + path + "\".";
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return Lines::Failure(failure);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 64 * 1024 * 1024) return Lines::Failure(failure);
    std::string text(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < text.size()) {
        DWORD got = 0;
        if (!ReadFile(file.get(), text.data() + done, static_cast<DWORD>(text.size() - done), &got, nullptr))
            return Lines::Failure(failure);
        if (got == 0) break;
        done += got;
    }
    text.resize(done);
    Lines result;
    result.value = SplitLines(text);
    return result;
}

}  // namespace kl
