// Switching the user-interface language to a position of the sorted list of
// installed languages, as the main window's language box does.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/language.h"

namespace kl {

struct LanguageSwitch {
    enum class Outcome {
        Ignored,        // negative position: nothing done
        AlreadyLoaded,  // that language is loaded already; the file was not read again
        Loaded,         // select `position` in the box and store it as the Language option
        NotOpened,      // select `position`; show `message` with the caption "Error"; keep the option
        Error,          // select `position`; `message` is one of the three load errors for the error handler
    };
    Outcome outcome = Outcome::Ignored;
    int position = -1;
    std::string message;
};

// `names` is the sorted language list, `currentSelection` the box's selected
// position. A position at or beyond the end of the list becomes 0.
LanguageSwitch SwitchLanguage(Language& language, const std::vector<std::string>& names, int position,
                              int currentSelection);

}  // namespace kl
