#include "text_lines.h"

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

std::string_view TrimSpaces(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= ' ') ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
    return text.substr(first, last - first);
}

}  // namespace kl
