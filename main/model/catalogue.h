// The function catalogue of functions.txt and the lists built from language
// texts: categories, modifier sets, function names; plus the key names.
//
// A catalogue line is "ID;name number;category;slots;descriptor...". The
// function's display name is language text 340 + name number.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "data_files.h"
#include "model/key_names.h"
#include "model/result.h"

namespace kl {


// Language text by number (empty when there is none).
using LanguageText = std::function<std::string(int number)>;

// Language text numbers the catalogue refers to.
inline constexpr int kModifierTextFirst = 246;  // 17 modifier set names
inline constexpr int kModifierCount = 17;
inline constexpr int kCategoryTextFirst = 272;  // category c is text 272 + c
inline constexpr int kCategoryTextLast = 288;
inline constexpr int kFunctionTextFirst = 340;  // function name n is text 340 + n
inline constexpr int kFunctionTextLast = 459;
inline constexpr int kParameterTextFirst = 461;  // parameter label p is text 461 + p

// True when the value named by the ID under "Software\Corvane\Keyloom\Allowed"
// reads "1"; a missing value counts as "1".
bool IsFunctionAllowed(int functionId);

class Catalogue {
public:
    // `dataDir` ends with a backslash; `text` supplies the language texts.
    Catalogue(std::string dataDir, LanguageText text);

    // The catalogue lines of one category (0 or less: all), in file order.
    // Comments, empty lines, negative IDs and functions not allowed are left
    // out. The whole list is read once and kept for the rest of the run.
    Result<std::vector<std::string>> FunctionCatalogue(int category);

    // The category of a function (field 3 of its line); -1 when it is not in the
    // catalogue or the catalogue cannot be read.
    int CategoryOf(int functionId);

    // The display name of a function; empty when it is not in the catalogue.
    Result<std::string> FunctionName(int functionId);

    // Catalogue lines sorted by their display names.
    std::vector<std::string> SortedByName(const std::vector<std::string>& lines) const;

    // "name;number" for the categories 0 to 16 without 9 and 10.
    std::vector<std::string> CategoryList() const;

    // The 17 modifier set names; a modifier set is a position in this list.
    std::vector<std::string> ModifierList() const;
    std::string ModifierName(int modifierSet) const;

    // Modifier set name, "+", key name.
    Result<std::string> HotkeyText(int keyCode, int modifierSet);

    KeyNames& Keys() { return keys_; }
    Result<std::vector<std::string>> KeyNameList() { return keys_.KeyNameList(); }
    Result<std::string> KeyName(int code) { return keys_.KeyName(code); }
    Result<std::vector<std::string>> KeyPickList() { return keys_.KeyPickList(); }

private:
    std::string Text(int number) const;
    std::string FunctionTitle(int nameNumber) const;

    std::string dataDir_;
    LanguageText text_;
    KeyNames keys_;
    std::vector<std::string> functions_;  // filled by the first request for all functions
};

// "X:\" for every CD-ROM drive, in drive letter order.
std::vector<std::string> CDDriveList();

}  // namespace kl
