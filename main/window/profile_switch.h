// The profile switch of the main window: the Profiles menu, the -6 notification of
// function 4, the profiles dialog and the keyboard remapping dialog, and the reload
// that a switch and an import share. The dialogs that change a profile's settings (the
// hotkey editor, key remapping, import) work on the profile they were opened on: a
// switch asked for while one is open waits until the last has closed.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "window/block_access.h"
#include "window/hotkey_switch.h"
#include "window/main_menu.h"
#include "window/options.h"
#include "window/status_bar.h"
#include "window/tray_icon.h"

namespace kl {

// What the profile switch needs of the main window.
class ProfileSwitchHost {
public:
    virtual bool Closed() const = 0;
    // The language the loaded profile starts in, and the window's texts in it.
    virtual void ApplyStartLanguage() = 0;
    // The pages, the lists and the state from the block and the registry.
    virtual void ShowData() = 0;

protected:
    ~ProfileSwitchHost() = default;
};

class ProfileSwitch {
public:
    struct Parts {
        StatusBar& status;
        HotkeySwitch& hotkeys;
        Options& options;
        TrayIcon& tray;
        MainMenus& menus;
        const std::string& dataDir;
    };
    ProfileSwitch(ProfileSwitchHost& host, BlockAccess block, Parts parts) : host_(host), block_(block), parts_(parts) {}
    void SetWindow(HWND window) { window_ = window; }

    // Saves the options of the profile being left when asked, loads the other's options,
    // hotkeys and remapping, and rebuilds hotkey handling. "" or the default profile's
    // name load the default profile.
    void Load(const std::string& name, bool saveFirst);
    // What a switch and an import do: undoes what this process registered and hooked,
    // loads the settings of the block's profile (first set to `profile` when given) and
    // builds hotkey handling anew from them unless hotkeys were off; the language, the
    // tray icon and the pages follow. False when the load failed; `error` holds the
    // error it raised, if any.
    bool ReloadLive(const std::optional<std::string>& profile, std::string& error);
    std::vector<std::string> List() const;
    // The profile of a number in the list; 0 and numbers beyond it name the default.
    std::string NameOf(int number) const;
    // mnProfile1 ... mnProfile5 from the stored profiles.
    void RefreshMenu();
    // mnProfile1 ... mnProfile5, Edit profiles, New profile and Keyboard setup.
    bool OnMenuCommand(int id);

    // One lives while a dialog that changes the profile's settings is open.
    class EditingScope {
    public:
        explicit EditingScope(ProfileSwitch& profiles) : profiles_(profiles) { ++profiles_.editingDialogs_; }
        ~EditingScope();
        EditingScope(const EditingScope&) = delete;
        EditingScope& operator=(const EditingScope&) = delete;

    private:
        ProfileSwitch& profiles_;
    };
    // A switch waits for an editing dialog to close.
    bool HasPending() const { return pending_.has_value(); }
    // The switch that waited, once no editing dialog is open.
    void RunPending();

private:
    bool EditingDialogOpen() const;
    void ApplyTrayOption();
    void EditProfiles();
    void KeyboardSetup();

    struct Request {
        std::string name;
        bool saveFirst = true;
    };
    ProfileSwitchHost& host_;
    BlockAccess block_;
    Parts parts_;
    HWND window_ = nullptr;
    std::vector<std::string> menu_;  // the profiles behind mnProfile1 ... mnProfile5
    int editingDialogs_ = 0;
    std::optional<Request> pending_;  // the last switch asked for meanwhile
};

}  // namespace kl
