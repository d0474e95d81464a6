#include "option_table.h"

#include <array>
#include <cstring>
#include <string_view>

#include "registry_names.h"

namespace kl::support {
namespace {

using SB = SettingsBlock;

constexpr Option Truth(const char* name, std::int32_t SB::*field, bool dflt) {
    return {name, OptionKind::Truth, field, nullptr, true, dflt ? kTrue : kFalse};
}
constexpr Option Number(const char* name, std::int32_t SB::*field, std::int32_t dflt) {
    return {name, OptionKind::Number, field, nullptr, true, dflt};
}
constexpr Option Text(const char* name, Text255 SB::*field, bool hasDefault) {
    return {name, OptionKind::Text, nullptr, field, hasDefault, 0};
}
// Options whose value the defaults do not touch.
constexpr Option Kept(Option o) {
    o.hasDefault = false;
    return o;
}

constexpr std::array kLoaded{
    Text(reg::kDataDir, &SB::DataDir, false),
    Text(reg::kLastGotoDir, &SB::LastGotoDir, true),
    Number(reg::kLastHotkey, &SB::LastHotkey, 0),
    Kept(Truth(reg::kKeyloomEnabled, &SB::KeyloomEnabled, false)),
    Truth(reg::kWinKeysTrap, &SB::WinKeysTrap, true),
    Truth(reg::kSimpleMode, &SB::SimpleMode, true),
    Number(reg::kLanguage, &SB::Language, 0),
    Truth(reg::kDesktopShortcut, &SB::DesktopShortcut, false),
    Truth(reg::kOnlineHelp, &SB::OnlineHelp, false),
    Truth(reg::kDebug, &SB::Debug, false),
    Truth(reg::kLoadDuringStartup, &SB::LoadDuringStartup, false),
    Truth(reg::kCaptureMenuDblClicks, &SB::CaptureMenuDblClicks, false),
    Truth(reg::kBookmarksEnabled, &SB::BookmarksEnabled, true),
    Truth(reg::kConfirmHotkeys, &SB::ConfirmHotkeys, true),
    Truth(reg::kMouseKeysEnabled, &SB::MouseKeysEnabled, false),
    Number(reg::kMKSpeed, &SB::MKSpeed, 4),
    Number(reg::kMKSpeedMod, &SB::MKSpeedMod, 4),
    Truth(reg::kMKCursorKeys, &SB::MKCursorKeys, false),
    Truth(reg::kMKNumlockON, &SB::MKNumlockON, false),
    Truth(reg::kMKBorderKeys, &SB::MKBorderKeys, false),
    Truth(reg::kMKNumpad, &SB::MKNumpad, false),
    Truth(reg::kMKInc, &SB::MKInc, false),
    Number(reg::kMKAcceleration, &SB::MKAcceleration, 4),
    Truth(reg::kWinDefaultsEnabled, &SB::WinDefaultsEnabled, true),
    Truth(reg::kWinD, &SB::WinD, true),
    Truth(reg::kWinE, &SB::WinE, true),
    Truth(reg::kWinF, &SB::WinF, true),
    Truth(reg::kWinM, &SB::WinM, true),
    Truth(reg::kWinR, &SB::WinR, true),
    Truth(reg::kWinU, &SB::WinU, true),
    Truth(reg::kWinV, &SB::WinV, true),
    Truth(reg::kWinKeyEnabled, &SB::WinKeyEnabled, true),
    Truth(reg::kLWinKeyEnabled, &SB::LWinKeyEnabled, true),
    Truth(reg::kRWinKeyEnabled, &SB::RWinKeyEnabled, true),
    Truth(reg::kNoSysTray, &SB::NoSysTray, false),
    Truth(reg::kRemapKeys, &SB::RemapKeys, false),
};

constexpr const Option& Find(const char* name) {
    for (const Option& o : kLoaded)
        if (std::string_view(o.name) == name) return o;
    throw "unknown option";  // only reachable at compile time
}

constexpr std::array kSaved{
    Find(reg::kLastGotoDir), Find(reg::kKeyloomEnabled), Find(reg::kWinKeysTrap),
    Find(reg::kSimpleMode), Find(reg::kLanguage), Find(reg::kDesktopShortcut),
    Find(reg::kOnlineHelp), Find(reg::kDebug), Find(reg::kLoadDuringStartup),
    Find(reg::kCaptureMenuDblClicks), Find(reg::kBookmarksEnabled), Find(reg::kConfirmHotkeys),
    Find(reg::kNoSysTray), Find(reg::kMouseKeysEnabled), Find(reg::kMKSpeed),
    Find(reg::kMKSpeedMod), Find(reg::kMKCursorKeys), Find(reg::kMKNumlockON),
    Find(reg::kMKBorderKeys), Find(reg::kMKNumpad), Find(reg::kMKInc),
    Find(reg::kMKAcceleration), Find(reg::kWinDefaultsEnabled), Find(reg::kWinD),
    Find(reg::kWinE), Find(reg::kWinF), Find(reg::kWinM), Find(reg::kWinR), Find(reg::kWinU),
    Find(reg::kWinV), Find(reg::kWinKeyEnabled), Find(reg::kLWinKeyEnabled),
    Find(reg::kRWinKeyEnabled), Find(reg::kRemapKeys),
};
static_assert(kSaved.size() == 34);

}  // namespace

std::span<const Option> LoadedOptions() { return kLoaded; }
std::span<const Option> SavedOptions() { return kSaved; }

}  // namespace kl::support
