// Switching profiles from the main window: the Profiles menu, the -6 notification of
// function 4, the profiles dialog and the keyboard remapping dialog.
#include <string>
#include <vector>

#include "system/library_binding.h"
#include "model/profiles.h"
#include "system/support_calls.h"
#include "model/ui_language.h"
#include "dialogs/edit_hotkey.h"
#include "dialogs/kbd_map_dialog.h"
#include "dialogs/profiles_dialog.h"
#include "registry_names.h"
#include "text255.h"
#include "window/control_ids.h"
#include "window/main_window.h"
#include "window/startup.h"
#include "ui/app_identity.h"

namespace kl {
namespace {

std::string DefaultProfileName() { return UiText(238, reg::kDefaultProfile); }

}  // namespace

std::vector<std::string> TfrmMain::GetProfileList() const { return kl::GetProfileList(DefaultProfileName()); }

std::string TfrmMain::IDToProfile(int number) const { return kl::IDToProfile(GetProfileList(), number); }

TfrmMain::EditingDialog::~EditingDialog() {
    if (--form_.editingDialogs_ == 0 && form_.pendingProfile_ && form_.hwnd_)
        PostMessageA(form_.hwnd_, ids::kRunDeferred, 0, 0);
}

void TfrmMain::RunEditingDialog(const std::function<void()>& dialog) {
    EditingDialog open(*this);
    dialog();
}

bool TfrmMain::EditingDialogOpen() const { return editingDialogs_ > 0 || TfrmEditHotkey::Instance().IsOpen(); }

void TfrmMain::LoadProfile(const std::string& name, bool saveFirst) {
    SettingsBlock* b = Block();
    if (!b || destroyed_) return;
    // An open editing dialog would store into the other profile, or lose its edit: the
    // switch comes once it is closed, and the dialog is brought forward meanwhile.
    if (EditingDialogOpen()) {
        pendingProfile_ = ProfileRequest{name, saveFirst};
        Status(UiText(485, "The profile is loaded once the open dialog is closed."));
        if (HWND open = GetLastActivePopup(hwnd_); open && open != hwnd_) SetForegroundWindow(open);
        return;
    }
    if (saveFirst) {
        SaveData();
        SaveSettings();
    }
    const std::string trimmed = TrimSpaces(name);
    std::string error;
    if (!ReloadSettingsLive(trimmed == DefaultProfileName() ? std::string() : trimmed, error) && Block())
        Status(error.empty() ? std::string("Unable to load profile!") : error);
}

bool TfrmMain::ReloadSettingsLive(const std::optional<std::string>& profile, std::string& error) {
    error.clear();
    // What this process registered and hooked belongs to the settings being left: it is
    // undone before the new settings replace the block's, and built anew from them,
    // unless the user had switched hotkeys off.
    SettingsBlock* b = Block();
    if (!b || destroyed_) return false;
    const bool wasEnabled = hotkeys_.Active() || b->KeyloomEnabled;
    hotkeys_.Disable();
    if (!(b = Block())) return false;
    if (profile) SetText255(b->ProfileName, *profile);
    const bool loaded = ReloadSettings();
    error = LastSettingsError();
    if (!(b = Block())) return false;
    // The loaded language, the tray icon, then the mode and hotkeys.
    ChangeLanguage(StartLanguage());
    UpdateLanguage();
    ApplyTrayOption();
    if (wasEnabled) hotkeys_.Enable();
    options_.RememberSaved();
    RefreshProfileMenu();
    ShowData();
    return loaded;
}

void TfrmMain::ApplyTrayOption() {
    const SettingsBlock* b = Block();
    if (!b || destroyed_) return;
    if (b->NoSysTray && tray_.added())
        tray_.Remove();
    else if (!b->NoSysTray && !tray_.added())
        tray_.Add();
}

void TfrmMain::RefreshProfileMenu() {
    profileMenu_ = GetProfileList();
    FillProfileMenu(menus_, profileMenu_);
}

bool TfrmMain::OnProfileMenuCommand(int id) {
    if (id >= ids::mnProfileFirst && id <= ids::mnProfileLast) {
        const std::size_t index = static_cast<std::size_t>(id - ids::mnProfileFirst);
        // mnProfile1 is the default profile.
        if (index < profileMenu_.size()) LoadProfile(index == 0 ? std::string() : profileMenu_[index], true);
        return true;
    }
    switch (id) {
    case ids::mnEditProfiles:
    case ids::mnNewProfile: mnEditProfilesClick(); return true;
    case ids::mnKbdSetup: mnKbdSetupClick(); return true;
    default: return false;
    }
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
    {
        EditingDialog open(*this);
        ShowKbdMapDialog(hwnd_, dataDir_);
    }
    ShowData();
}

}  // namespace kl
