// A small modal question with one line of text: caption, prompt, OK and Cancel.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace kl {

// The answer, or nothing when the user cancelled.
std::optional<std::string> InputBox(HWND owner, const std::string& caption, const std::string& prompt,
                                    const std::string& initial);

}  // namespace kl
