#include "core/ui_language.h"

// Stand-in until the language component arrives: no language is installed and every
// text is the built-in English one.
namespace kl {

void SetLanguageDirectory(const std::string&) {}
std::vector<std::string> InstalledLanguages() { return {}; }
bool LoadLanguage(const std::string&) { return false; }
std::string LoadedLanguageFile() { return {}; }
int LanguageTextCount() { return 0; }
std::string UiText(int, std::string_view fallback) { return std::string(fallback); }

}  // namespace kl
