// The text of a window or control.
#pragma once

#include <windows.h>

#include <string>

namespace kl {

inline std::string WindowText(HWND w) {
    const int n = GetWindowTextLengthA(w);
    std::string text(static_cast<std::size_t>(n > 0 ? n : 0) + 1, '\0');
    GetWindowTextA(w, text.data(), n + 1);
    text.resize(static_cast<std::size_t>(n > 0 ? n : 0));
    return text;
}

}  // namespace kl
