// The program's one door to the language component: every user-visible text of the
// program comes through here by its line number in the active language file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kl {

void SetLanguageDirectory(const std::string& dataDir);
// Names (without extension) of the installed language files, sorted.
std::vector<std::string> InstalledLanguages();
// Loads "<name>.lan" of the data directory; false when it cannot be loaded.
bool LoadLanguage(const std::string& name);
// File name of the loaded language ("English.lan"); empty when none is loaded.
std::string LoadedLanguageFile();
// Number of lines of the loaded language.
int LanguageTextCount();
// Text number n of the loaded language, or `fallback` when it has none.
std::string UiText(int n, std::string_view fallback = {});

}  // namespace kl
