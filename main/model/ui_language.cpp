#include "model/ui_language.h"

namespace kl {

Language& ActiveLanguage() {
    static Language language;
    return language;
}

std::string UiText(int n, std::string_view fallback) {
    std::string text = ActiveLanguage().Text(n);
    return text.empty() ? std::string(fallback) : text;
}

}  // namespace kl
