#include "model/option_snapshot.h"

#include "text255.h"

namespace kl {
namespace {

// Every number and truth value that a save writes.
constexpr std::int32_t SettingsBlock::*kSaved[] = {
    &SettingsBlock::KeyloomEnabled,       &SettingsBlock::WinKeysTrap,     &SettingsBlock::SimpleMode,
    &SettingsBlock::Language,             &SettingsBlock::DesktopShortcut, &SettingsBlock::OnlineHelp,
    &SettingsBlock::Debug,                &SettingsBlock::LoadDuringStartup, &SettingsBlock::CaptureMenuDblClicks,
    &SettingsBlock::BookmarksEnabled,     &SettingsBlock::ConfirmHotkeys,  &SettingsBlock::NoSysTray,
    &SettingsBlock::MouseKeysEnabled,     &SettingsBlock::MKSpeed,         &SettingsBlock::MKSpeedMod,
    &SettingsBlock::MKCursorKeys,         &SettingsBlock::MKNumlockON,     &SettingsBlock::MKBorderKeys,
    &SettingsBlock::MKNumpad,             &SettingsBlock::MKInc,           &SettingsBlock::MKAcceleration,
    &SettingsBlock::WinDefaultsEnabled,   &SettingsBlock::WinD,            &SettingsBlock::WinE,
    &SettingsBlock::WinF,                 &SettingsBlock::WinM,            &SettingsBlock::WinR,
    &SettingsBlock::WinU,                 &SettingsBlock::WinV,            &SettingsBlock::WinKeyEnabled,
    &SettingsBlock::LWinKeyEnabled,       &SettingsBlock::RWinKeyEnabled,  &SettingsBlock::RemapKeys,
};
static_assert(std::size(kSaved) == 33);

}  // namespace

OptionSnapshot TakeOptionSnapshot(const SettingsBlock& block) {
    OptionSnapshot s;
    for (std::size_t i = 0; i < std::size(kSaved); ++i) s.words[i] = block.*kSaved[i];
    s.lastGotoDir = GetText255(block.LastGotoDir);
    s.profileName = GetText255(block.ProfileName);
    return s;
}

}  // namespace kl
