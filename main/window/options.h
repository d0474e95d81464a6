// The options of the main window: the Options, Defaults and MouseKeys pages
// (OptionPages), their handlers, the mode switch and keeping the options in the
// registry. Every change is live in the block at once; the registry follows within
// seconds, at the end of the session and at exit.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "model/option_snapshot.h"
#include "window/block_access.h"
#include "window/hotkey_switch.h"
#include "window/option_pages.h"
#include "window/status_bar.h"

namespace kl {

class Options {
public:
    // `languageChosen` switches to the language of an entry of the language box.
    Options(BlockAccess block, StatusBar& status, HotkeySwitch& hotkeys, const std::string& dataDir,
            std::function<void(int)> languageChosen)
        : block_(block), status_(status), hotkeys_(hotkeys), dataDir_(dataDir),
          languageChosen_(std::move(languageChosen)) {}
    void SetWindow(HWND window) { window_ = window; }
    OptionPages& pages() { return pages_; }
    const OptionPages& pages() const { return pages_; }

    // While set, the pages are being written by the program: their notifications are
    // not the user's, and Load and Store do nothing.
    bool Updating() const { return updating_; }
    void SetUpdating(bool updating) { updating_ = updating; }

    // The pages from the block; `languageSelection` is the entry of the loaded language.
    void Load(int languageSelection);
    // The block from the pages.
    void Store();
    // A command of a control of the pages; false when the control is not theirs.
    bool OnCommand(int id, int code);
    // WM_HSCROLL of a track bar.
    void OnScroll(HWND control);
    // Simple or advanced mode: hotkey handling built anew for it.
    void SwitchMode(bool simple);

    // Starts the timer that compares the options with what was last written.
    void StartSaver();
    // A tick of tmSaveOptions.
    void OnSaveTimer();
    // Writes the options to the registry now.
    void SaveNow();
    // The options now in the block count as written (after a load).
    void RememberSaved();
    // The window goes away: the timer writes nothing any more.
    void Stop() { stopped_ = true; }

private:
    void LoadDuringStartupClicked();
    void DesktopShortcutClicked();
    void MouseKeysClicked();
    void WinDefaultsClicked();
    void WinKeyClicked();

    BlockAccess block_;
    StatusBar& status_;
    HotkeySwitch& hotkeys_;
    const std::string& dataDir_;
    std::function<void(int)> languageChosen_;
    HWND window_ = nullptr;
    OptionPages pages_;
    OptionSnapshot saved_;  // the options as last written to the registry
    bool updating_ = false;
    bool stopped_ = false;
};

}  // namespace kl
