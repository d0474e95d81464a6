#include "model/language_text.h"

namespace kl {
namespace {

constexpr std::string_view kProgName = "<progname>";

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

std::string ReplaceProgName(std::string_view text, std::string_view path) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '<' && EqualsNoCase(text.substr(i, kProgName.size()), kProgName)) {
            out += path;
            i += kProgName.size();
        } else {
            out += text[i++];
        }
    }
    return out;
}

}  // namespace kl
