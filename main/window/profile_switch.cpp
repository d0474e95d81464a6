// Switching profiles from the main window: the Profiles menu, the -6 notification of
// function 4, the profiles dialog and the keyboard remapping dialog.
#include <string>
#include <vector>

#include "core/library_binding.h"
#include "core/profiles.h"
#include "core/support_calls.h"
#include "core/ui_language.h"
#include "dialogs/kbd_map_dialog.h"
#include "dialogs/profiles_dialog.h"
#include "registry_names.h"
#include "text255.h"
#include "window/main_window.h"
#include "window/startup.h"

namespace kl {
namespace {

std::string DefaultProfileName() { return UiText(238, reg::kDefaultProfile); }

}  // namespace

std::vector<std::string> TfrmMain::GetProfileList() const { return kl::GetProfileList(DefaultProfileName()); }

std::string TfrmMain::IDToProfile(int number) const { return kl::IDToProfile(GetProfileList(), number); }

void TfrmMain::LoadProfile(const std::string& name, bool saveFirst) {
    SettingsBlock* b = Block();
    if (!b || destroyed_) return;
    if (saveFirst) {
        SaveData();
        SaveSettings();
    }
    // What this process registered and hooked belongs to the profile being left: it is
    // undone before the other profile's settings replace the block's, and built anew
    // from them, unless the user had switched hotkeys off.
    if (!(b = Block())) return;
    const bool wasEnabled = HooksActive() || b->KeyloomEnabled;
    DisableHooks();
    if (!(b = Block())) return;
    const std::string trimmed = TrimSpaces(name);
    SetText255(b->ProfileName, trimmed == DefaultProfileName() ? std::string() : trimmed);
    const bool loaded = ReloadSettings();
    const std::string error = LastSettingsError();
    if (!(b = Block())) return;
    // The loaded profile's language, then its mode and hotkeys.
    ChangeLanguage(StartLanguage());
    UpdateLanguage();
    if (wasEnabled) EnableHooks();
    if ((b = Block())) savedOptions_ = TakeOptionSnapshot(*b);
    RefreshProfileMenu();
    ShowData();
    if (!loaded) Status(error.empty() ? std::string("Unable to load profile!") : error);
}

void TfrmMain::RefreshProfileMenu() {
    profileMenu_ = GetProfileList();
    FillProfileMenu(menus_, profileMenu_);
}

void TfrmMain::mnEditProfilesClick() {
    ProfilesDialog dialog;
    dialog.defaultName = DefaultProfileName();
    dialog.dataDir = dataDir_;
    dialog.activeProfile = [] {
        const SettingsBlock* b = Block();
        return b ? GetText255(b->ProfileName) : std::string();
    };
    dialog.loadProfile = [this](const std::string& profile) { LoadProfile(profile, true); };
    ShowProfilesDialog(hwnd_, dialog);
    RefreshProfileMenu();
    ShowData();
}

void TfrmMain::mnKbdSetupClick() {
    const SettingsBlock* b = Block();
    if (!b) return;
    if (b->SimpleMode) {
        MessageBoxA(hwnd_, UiText(199, "Keyboard remapping is available only in advanced mode.").c_str(),
                    kApplicationTitle, MB_OK | MB_ICONINFORMATION);
        return;
    }
    ShowKbdMapDialog(hwnd_, dataDir_);
    ShowData();
}

}  // namespace kl
