#include "window/profile_switch.h"

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
#include "window/window_texts.h"
#include "ui/app_identity.h"

namespace kl {
namespace {

std::string DefaultProfileName() { return UiText(texts::kDefaultProfileName, reg::kDefaultProfile); }

}  // namespace

std::vector<std::string> ProfileSwitch::List() const { return GetProfileList(DefaultProfileName()); }

std::string ProfileSwitch::NameOf(int number) const { return IDToProfile(List(), number); }

ProfileSwitch::EditingScope::~EditingScope() {
    if (--profiles_.editingDialogs_ == 0 && profiles_.pending_ && profiles_.window_)
        PostMessageA(profiles_.window_, ids::kRunDeferred, 0, 0);
}

bool ProfileSwitch::EditingDialogOpen() const { return editingDialogs_ > 0 || TfrmEditHotkey::Instance().IsOpen(); }

void ProfileSwitch::RunPending() {
    if (!pending_ || EditingDialogOpen() || host_.Closed()) return;
    const Request request = *pending_;
    pending_.reset();
    Load(request.name, request.saveFirst);
}

void ProfileSwitch::Load(const std::string& name, bool saveFirst) {
    SettingsBlock* b = block_();
    if (!b || host_.Closed()) return;
    // An open editing dialog would store into the other profile, or lose its edit: the
    // switch comes once it is closed, and the dialog is brought forward meanwhile.
    if (EditingDialogOpen()) {
        pending_ = Request{name, saveFirst};
        parts_.status.SetText(0, UiText(texts::kProfileWaitsForDialog, "The profile is loaded once the open dialog is closed."));
        if (HWND open = GetLastActivePopup(window_); open && open != window_) SetForegroundWindow(open);
        return;
    }
    if (saveFirst) {
        parts_.options.Store();
        SaveSettings();
    }
    const std::string trimmed = TrimSpaces(name);
    std::string error;
    if (!ReloadLive(trimmed == DefaultProfileName() ? std::string() : trimmed, error) && block_())
        parts_.status.SetText(0, error.empty() ? UiText(texts::kProfileNotLoaded, "Unable to load profile!") : error);
}

bool ProfileSwitch::ReloadLive(const std::optional<std::string>& profile, std::string& error) {
    error.clear();
    // What this process registered and hooked belongs to the settings being left: it is
    // undone before the new settings replace the block's, and built anew from them,
    // unless the user had switched hotkeys off.
    SettingsBlock* b = block_();
    if (!b || host_.Closed()) return false;
    const bool wasEnabled = parts_.hotkeys.Active() || b->KeyloomEnabled;
    parts_.hotkeys.Disable();
    if (!(b = block_())) return false;
    if (profile) SetText255(b->ProfileName, *profile);
    const bool loaded = ReloadSettings();
    error = LastSettingsError();
    if (!(b = block_())) return false;
    // The loaded language, the tray icon, then the mode and hotkeys.
    host_.ApplyStartLanguage();
    ApplyTrayOption();
    if (wasEnabled) parts_.hotkeys.Enable();
    parts_.options.RememberSaved();
    RefreshMenu();
    host_.ShowData();
    return loaded;
}

void ProfileSwitch::ApplyTrayOption() {
    const SettingsBlock* b = block_();
    if (!b || host_.Closed()) return;
    if (b->NoSysTray && parts_.tray.added())
        parts_.tray.Remove();
    else if (!b->NoSysTray && !parts_.tray.added())
        parts_.tray.Add();
}

void ProfileSwitch::RefreshMenu() {
    menu_ = List();
    FillProfileMenu(parts_.menus, menu_);
}

bool ProfileSwitch::OnMenuCommand(int id) {
    if (id >= ids::mnProfileFirst && id <= ids::mnProfileLast) {
        const std::size_t index = static_cast<std::size_t>(id - ids::mnProfileFirst);
        // mnProfile1 is the default profile.
        if (index < menu_.size()) Load(index == 0 ? std::string() : menu_[index], true);
        return true;
    }
    switch (id) {
    case ids::mnEditProfiles:
    case ids::mnNewProfile: EditProfiles(); return true;
    case ids::mnKbdSetup: KeyboardSetup(); return true;
    default: return false;
    }
}

void ProfileSwitch::EditProfiles() {
    ProfilesDialog dialog;
    dialog.defaultName = DefaultProfileName();
    dialog.dataDir = parts_.dataDir;
    dialog.activeProfile = [block = block_] {
        const SettingsBlock* b = block();
        return b ? GetText255(b->ProfileName) : std::string();
    };
    dialog.loadProfile = [this](const std::string& profile) { Load(profile, true); };
    ShowProfilesDialog(window_, dialog);
    RefreshMenu();
    host_.ShowData();
}

void ProfileSwitch::KeyboardSetup() {
    const SettingsBlock* b = block_();
    if (!b) return;
    if (b->SimpleMode) {
        MessageBoxA(window_, UiText(texts::kRemappingNeedsAdvancedMode, "Keyboard remapping is available only in advanced mode.").c_str(),
                    kApplicationTitle, MB_OK | MB_ICONINFORMATION);
        return;
    }
    {
        EditingScope open(*this);
        ShowKbdMapDialog(window_, parts_.dataDir);
    }
    host_.ShowData();
}

}  // namespace kl
