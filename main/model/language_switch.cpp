#include "model/language_switch.h"

#include <windows.h>

namespace kl {

namespace {

bool SameNoCase(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

}  // namespace

LanguageSwitch SwitchLanguage(Language& language, const std::vector<std::string>& names, int position,
                              int currentSelection) {
    LanguageSwitch result;
    if (position < 0) return result;
    if (static_cast<std::size_t>(position) >= names.size()) position = 0;
    result.position = position;
    // An empty list has no entry 0: the name stays empty and the load says so.
    const std::string name = names.empty() ? std::string() : names[static_cast<std::size_t>(position)];

    if (position == currentSelection && !name.empty() && !language.LoadedFileName().empty() &&
        SameNoCase(name + "." + language.Extension(), language.LoadedFileName())) {
        result.outcome = LanguageSwitch::Outcome::AlreadyLoaded;
        return result;
    }

    language.SetLanguageFile(name);
    const LanguageStatus status = language.Load();
    if (status == LanguageStatus::Loaded) {
        result.outcome = LanguageSwitch::Outcome::Loaded;
    } else if (IsLanguageError(status)) {
        result.outcome = LanguageSwitch::Outcome::Error;
        result.message = LanguageErrorText(status);
    } else {
        result.outcome = LanguageSwitch::Outcome::NotOpened;
        result.message = "Cannot open language file " + language.FileName() + ".";
    }
    return result;
}

}  // namespace kl
