// The language a run starts in. The user's choice is remembered by its file name
// ("LanguageFile", beside the position "Language" that older copies read), so that a
// language file added or removed later changes no one's language. Without a stored
// choice the Windows display language decides where a file for it ships.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kl {

inline constexpr char kEnglishLanguage[] = "english";
inline constexpr char kGermanLanguage[] = "deutsch";

struct StoredLanguageChoice {
    std::string fileName;         // "LanguageFile" ("english.lan"); "" when none is stored
    std::optional<int> position;  // "Language", when stored: a place in the sorted list
};

// The place in `names` (the sorted language list, names without extension) to start
// in: the stored file when it is installed, English when it is gone; else the stored
// position (a copy that knew no file names chose it); else the file of the display
// language `displayLanguage` (a LANGID), English when none ships. With no English file
// either, the first of the list.
int StartLanguagePosition(const std::vector<std::string>& names, std::string_view extension,
                          const StoredLanguageChoice& stored, unsigned short displayLanguage);

// The choice stored in the main key of a profile (`key` ends in a backslash).
StoredLanguageChoice ReadLanguageChoice(const std::string& key);

// Stores `fileName` as "LanguageFile" of `key` unless that is what it holds already.
void RememberLanguageFile(const std::string& key, const std::string& fileName);

}  // namespace kl
