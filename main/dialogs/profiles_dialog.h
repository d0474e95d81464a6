// TfrmProfiles: the list of profiles with Load, Add, Copy and Remove.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace kl {

// Control identifiers, for the keyboard and for tests.
namespace profiles_dialog {
inline constexpr int lblAvailableProfiles = 100;
inline constexpr int lbAvailable = 101;
inline constexpr int btnLoad = 102;
inline constexpr int btnAdd = 103;
inline constexpr int btnCopy = 104;
inline constexpr int btnRemove = 105;
inline constexpr int btnDone = IDOK;
}  // namespace profiles_dialog

struct ProfilesDialog {
    std::string defaultName;  // the default profile as the list shows it
    std::string dataDir;      // "DataDir" of a new profile
    std::function<std::string()> activeProfile;              // "" for the default profile
    std::function<void(const std::string&)> loadProfile;     // "" loads the default profile
};

// Shows the dialog modally until Done or Escape.
void ShowProfilesDialog(HWND owner, const ProfilesDialog& dialog);

}  // namespace kl
