// TfrmMain: the program's main window. It stays hidden in the tray, receives every
// hotkey and notification, and routes them to the collaborators it owns: the hotkey
// runner, the notification router, the hotkey switch, the options, the lists, the
// profile switch, the macro timer, the macro and settings commands, the tray icon and
// the status bar (the map of its files is in ARCHITECTURE.md).
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "window/hotkey_runner.h"
#include "window/hotkey_switch.h"
#include "window/lists.h"
#include "window/macro_commands.h"
#include "window/macro_timer.h"
#include "window/main_menu.h"
#include "window/notification_router.h"
#include "window/option_pages.h"
#include "window/options.h"
#include "window/profile_switch.h"
#include "window/settings_commands.h"
#include "window/status_bar.h"
#include "window/tray_icon.h"

namespace kl {

class TfrmMain : private NotificationTarget, private SettingsCommandHost, private ProfileSwitchHost, private ListsHost {
public:
    TfrmMain();
    static constexpr int kPageCount = 5;

    // Registers the class and creates the hidden window; false when the program
    // could not be initialised (the user has been told).
    bool Create(HINSTANCE instance, const std::string& dataDir);
    HWND handle() const { return hwnd_; }
    HACCEL accelerators() const { return menus_.accelerators; }

    void btnStateClick();
    void btnHideClick();
    void btnExitClick();
    // Ends the program now: hotkeys off, tray icon away, options saved, libraries freed.
    void EndProgram();
    void mnOpenClick();
    void Reactivate();
    bool ChangeIcon(HICON icon);
    void Status(const std::string& text);
    void ChangeLanguage(int index);
    // The place in the language list of the language the active profile starts in.
    int StartLanguage() const;
    void ShowData() override;
    void UpdateLanguage();
    void LogAppError(const char* what);
    // Runs a function of the Functions list, asking for its parameters.
    void ExecFunction(std::uint32_t functionId);
    void mnEditLastHotkeyClick();
    // The hotkey editor: a new hotkey (ID -1, cleared; hotkey handling off
    // while it is open), or the hotkey with this ID (Modify). Never opened inside a
    // library call: such a request waits until the call has returned. Result 1 when a
    // hotkey was stored, which is then live at once.
    int mnNewHotkeyClick() override;
    int EditHotkey(int id) override;
    // A key pressed anywhere in the window; true when it was used.
    bool FormKeyDown(const MSG& msg);
    // What the message loops do before dispatching: accelerators, the page keys and
    // the dialog keys; true when the message was used up.
    bool PreTranslateMessage(MSG& msg);
    int ActivePage() const override;
    void sbMainMouseMove();

    // The option pages from the block and back (options.h).
    void LoadData();
    void SaveData() override;
    // The profile switch and the reload it shares with an import (profile_switch.h).
    bool ReloadSettingsLive(const std::optional<std::string>& profile, std::string& error) override {
        return profiles_.ReloadLive(profile, error);
    }
    std::vector<std::string> GetProfileList() const override { return profiles_.List(); }
    // Writes the options to the registry now.
    void SaveOptionsNow() override;

    // The tray menu about to open (tray_menu.cpp).
    void pmSystrayPopup();
    // Opens the manual's page for a help context (help.cpp).
    void Keyloomhelp(DWORD context);

private:
    static LRESULT CALLBACK StaticWndProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
    void FormCreate();
    void CompleteStartup() override;
    void FormShow();
    void FormDestroy();
    void CreateControls();
    void Layout();
    void OnDpiChanged(int dpi, const RECT& suggested);
    void SelectPage(int page);
    // What the notification codes do (notifications.cpp).
    bool Creating() const override { return creating_; }
    bool Closed() const override { return destroyed_; }
    void RunHotkey(std::uint32_t id) override;
    void ShowMainWindow() override;
    void ToggleTimerPlayback() override;
    void ControlTimer(std::int32_t argument) override;
    void LoadProfileNumber(int number) override;
    void RunPrompt() override;
    void ShowIcon(HICON icon) override;
    // What the settings commands and the profile switch ask of the window.
    void RefreshPages() override;
    void RunEditingDialog(const std::function<void()>& dialog) override;
    void ApplyStartLanguage() override;
    void OnCommand(int id);
    void PopupTrayMenu() override;
    // The outermost call into a library has returned: run what waited for it.
    static void LibraryCallsEnded();
    void RunDeferred();
    // An entry of the language box chosen.
    void cbLanguageChange(int selection);
    // What the lists ask of the window; the page tabs, the tray menu and help.
    bool ListsShown() const override { return showing_ || IsWindowVisible(hwnd_); }
    bool DrawTab(const DRAWITEMSTRUCT& item);
    bool OnTrayCommand(int id);
    bool OnHelpCommand(int id);
    void InstallHelpKey();
    void RemoveHelpKey();
    void OpenHelp(const std::string& address);

    HINSTANCE instance_ = nullptr;
    HWND hwnd_ = nullptr;
    HWND pgSettings_ = nullptr;
    std::array<HWND, kPageCount> pages_{};
    HWND btnAdd_ = nullptr, btnRemove_ = nullptr, btnModify_ = nullptr;
    HWND btnHide_ = nullptr, btnState_ = nullptr, btnExit_ = nullptr;
    StatusBar sbMain_;
    TrayIcon tray_;
    MainMenus menus_;
    HotkeySwitch hotkeys_;  // registrations, hooks and MouseKeys on and off
    HotkeyRunner runner_;  // every hotkey that reaches the window, and the recently used list
    HFONT font_ = nullptr;
    int dpi_ = 96;  // the window's dots per inch: every size in pixels is scaled to it
    std::string dataDir_;
    std::vector<std::string> languages_;  // the items of cbLanguage
    bool startupCompleted_ = false;  // the controls exist
    bool showing_ = false;           // FormShow runs: the lists are filled although not visible yet
    bool destroyed_ = false;
    bool creating_ = false;
    bool startFailed_ = false;
    // Exit was asked for while the window was being created or a library call was in
    // progress; it happens once neither is the case.
    bool exitPending_ = false;
    NotificationRouter notifications_;  // the notification codes, and those waiting for a library call
    MacroTimer timer_;                  // tmMain
    Options options_;                   // the option pages, their handlers and their saving
    MacroCommands macros_;              // the Macros menu
    SettingsCommands settings_;         // export, import, the report and the style
    ProfileSwitch profiles_;            // the profiles, their menu and the reload
    Lists lists_;                       // the hotkey and alias lists with their buttons
    int languageSelection_ = -1;  // the selected entry of cbLanguage
    // An editor asked for inside a library call: the ID, or kAddHotkeyRequest.
    static constexpr int kAddHotkeyRequest = -2;
    std::optional<int> pendingEditor_;
};

// The one main window of the process.
TfrmMain& MainForm();

}  // namespace kl
