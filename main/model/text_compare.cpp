#include "model/text_fields.h"

#include <windows.h>

#include <algorithm>

namespace kl {

int CompareTextNoCase(std::string_view a, std::string_view b) {
    const int r = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                                 static_cast<int>(b.size()));
    if (r == 0) return a.compare(b);  // the comparison itself failed: fall back to plain order
    return r - CSTR_EQUAL;
}

void SortNoCase(std::vector<std::string>& texts) {
    std::stable_sort(texts.begin(), texts.end(),
                     [](const std::string& a, const std::string& b) { return CompareTextNoCase(a, b) < 0; });
}

}  // namespace kl
