// The fixed table of options that can be shown, compared, imported and
// exported one by one: registry value name, kind, and display name.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace kl {

class Language;

enum SettingKindCode : int {
    kSettingNone = 0,     // no setting at this position
    kSettingText = 1,
    kSettingNumber = 3,
    kSettingBoolean = 5,
};

inline constexpr int kSettingFirst = 0;
inline constexpr int kSettingLast = 37;
// Language text of position 0; position p is named by text kSettingNameText + p.
inline constexpr int kSettingNameText = 291;
inline constexpr int kTrueWordText = 7;
inline constexpr int kFalseWordText = 8;

// The registry value name; empty outside 1 to 37 and for positions 8 and 9.
std::string_view SettingValueName(int position);

// The kind; kSettingNone outside 0 to 37 and where the table holds no setting.
int SettingKind(int position);

// Language text 291 + position; empty outside 0 to 37.
std::string SettingName(const Language& language, int position);

// True when the stored text begins with "1", "T", "t", "Y" or "y".
bool StoredBoolIsTrue(std::string_view stored);

// The display line: name, "=", and the value (for booleans the words of
// language texts 7 and 8, otherwise the stored text itself).
std::string SettingText(const Language& language, int position, std::string_view stored);

// The positions the import dialog offers, in its order (26 options).
std::span<const int> SettingImportOrder();

}  // namespace kl
