#include "model/settings_table.h"

#include <array>

#include "model/language.h"

namespace kl {

namespace {

struct SettingRow {
    const char* valueName;
    int kind;
};

constexpr std::array<SettingRow, kSettingLast + 1> kTable{{
    {"", kSettingNone},                        // 0
    {"LoadDuringStartup", kSettingBoolean},    // 1
    {"CaptureMenuDblClicks", kSettingBoolean}, // 2
    {"BookmarksEnabled", kSettingBoolean},     // 3
    {"ConfirmHotkeys", kSettingBoolean},       // 4
    {"Debug", kSettingBoolean},                // 5
    {"UpdateInterval", kSettingNumber},        // 6
    {"LastGotoDir", kSettingText},             // 7
    {"", kSettingNone},                        // 8
    {"", kSettingNone},                        // 9
    {"MKEnabled", kSettingBoolean},            // 10
    {"MKNumlockON", kSettingBoolean},          // 11
    {"MKBorderKeys", kSettingBoolean},         // 12
    {"MKNumpad", kSettingBoolean},             // 13
    {"MKCursorKeys", kSettingBoolean},         // 14
    {"MKInc", kSettingNumber},                 // 15
    {"MKSpeedMod", kSettingNumber},            // 16
    {"MKSpeed", kSettingNumber},               // 17
    {"MKAcceleration", kSettingNumber},        // 18
    {"KeyloomEnabled", kSettingBoolean},       // 19
    {"WinDefaultsEnabled", kSettingBoolean},   // 20
    {"WinD", kSettingBoolean},                 // 21
    {"WinE", kSettingBoolean},                 // 22
    {"WinF", kSettingBoolean},                 // 23
    {"WinM", kSettingBoolean},                 // 24
    {"WinR", kSettingBoolean},                 // 25
    {"WinKeyEnabled", kSettingBoolean},        // 26
    {"ToggleStartBtn", kSettingBoolean},       // 27
    {"Language", kSettingNumber},              // 28
    {"WinKeysTrap", kSettingBoolean},          // 29
    {"DesktopShortcut", kSettingBoolean},      // 30
    {"OnlineHelp", kSettingBoolean},           // 31
    {"SimpleMode", kSettingBoolean},           // 32
    {"NoSysTray", kSettingBoolean},            // 33
    {"WinU", kSettingBoolean},                 // 34
    {"WinV", kSettingBoolean},                 // 35
    {"LWinKeyEnabled", kSettingBoolean},       // 36
    {"RWinKeyEnabled", kSettingBoolean},       // 37
}};

constexpr std::array<int, 26> kImportOrder{28, 1,  30, 31, 29, 2,  3,  4,  10, 11, 12, 13, 14,
                                           15, 16, 17, 18, 20, 21, 22, 23, 24, 25, 26, 32, 33};

bool InTable(int position) { return position >= kSettingFirst && position <= kSettingLast; }

}  // namespace

std::string_view SettingValueName(int position) {
    return InTable(position) ? kTable[static_cast<std::size_t>(position)].valueName : "";
}

int SettingKind(int position) {
    return InTable(position) ? kTable[static_cast<std::size_t>(position)].kind : kSettingNone;
}

std::string SettingName(const Language& language, int position) {
    return InTable(position) ? language.Text(kSettingNameText + position) : std::string();
}

bool StoredBoolIsTrue(std::string_view stored) {
    if (stored.empty()) return false;
    switch (stored.front()) {
        case '1': case 'T': case 't': case 'Y': case 'y': return true;
        default: return false;
    }
}

std::string SettingText(const Language& language, int position, std::string_view stored) {
    std::string value;
    if (SettingKind(position) == kSettingBoolean)
        value = language.Text(StoredBoolIsTrue(stored) ? kTrueWordText : kFalseWordText);
    else
        value = stored;
    return SettingName(language, position) + "=" + value;
}

std::span<const int> SettingImportOrder() { return kImportOrder; }

}  // namespace kl
