#include "model/language_choice.h"

#include <windows.h>

#include "model/language_text.h"
#include "model/reg_text.h"
#include "registry_names.h"

namespace kl {
namespace {

std::optional<int> PositionOf(const std::vector<std::string>& names, std::string_view fileName,
                              std::string_view extension) {
    for (std::size_t i = 0; i < names.size(); ++i)
        if (EqualsNoCase(names[i] + "." + std::string(extension), fileName)) return static_cast<int>(i);
    return std::nullopt;
}

// The language file that ships for a display language.
const char* DisplayLanguageName(unsigned short displayLanguage) {
    return PRIMARYLANGID(displayLanguage) == LANG_GERMAN ? kGermanLanguage : kEnglishLanguage;
}

}  // namespace

int StartLanguagePosition(const std::vector<std::string>& names, std::string_view extension,
                          const StoredLanguageChoice& stored, unsigned short displayLanguage) {
    const std::string english = std::string(kEnglishLanguage) + "." + std::string(extension);
    const int fallback = PositionOf(names, english, extension).value_or(0);
    if (!stored.fileName.empty()) return PositionOf(names, stored.fileName, extension).value_or(fallback);
    if (stored.position) return *stored.position;
    const std::string own = std::string(DisplayLanguageName(displayLanguage)) + "." + std::string(extension);
    return PositionOf(names, own, extension).value_or(fallback);
}

StoredLanguageChoice ReadLanguageChoice(const std::string& key) {
    StoredLanguageChoice stored;
    stored.fileName = ReadRegText(key.c_str(), reg::kLanguageFile).value_or("");
    if (const auto position = ReadRegText(key.c_str(), reg::kLanguage)) stored.position = ParseRegInt(*position);
    return stored;
}

void RememberLanguageFile(const std::string& key, const std::string& fileName) {
    if (fileName.empty() || ReadRegText(key.c_str(), reg::kLanguageFile) == fileName) return;
    WriteRegText(key.c_str(), reg::kLanguageFile, fileName);
}

}  // namespace kl
