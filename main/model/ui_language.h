// The program's one door to the language component: every user-visible text of the
// program comes through here by its line number in the active language file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/language.h"
#include "model/language_switch.h"

namespace kl {

// The one language object of the program.
Language& ActiveLanguage();

// Text number n of the loaded language, or `fallback` when it has no such line.
std::string UiText(int n, std::string_view fallback = {});

}  // namespace kl
