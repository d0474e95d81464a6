#include "macro/key_names.h"

#include "params.h"
#include "text_lines.h"

namespace kl::support {

std::string UpperTrim(std::string_view text) {
    std::string s(TrimBlanks(text));
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::int32_t LookupKeyName(std::string_view name, const std::function<std::int32_t(std::string_view)>& fromFile) {
    const std::string upper = UpperTrim(name);
    if (upper.empty()) return -1;
    if (upper.front() == '$') return ParseParamNumber(upper);
    return fromFile(upper);
}

std::int32_t FindKeyName(std::string_view text, std::string_view upperName) {
    return FindKeyName(SplitTextLines(text), upperName);
}

std::int32_t FindKeyName(const std::vector<std::string>& lines, std::string_view upperName) {
    for (const std::string_view line : lines) {
        const auto sep = line.find(';');
        if (sep == std::string_view::npos) continue;
        std::string_view name = line.substr(sep + 1);
        name = name.substr(0, name.find(';'));
        if (UpperTrim(name) == upperName) return ParseParamNumber(TrimBlanks(line.substr(0, sep)));
    }
    return -1;
}

}  // namespace kl::support
