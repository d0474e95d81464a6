// File > Settings: export and import of the active profile's options and hotkeys
// through the import dialog, the printed report settings_preview.txt, and the style.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "window/block_access.h"
#include "window/option_pages.h"

namespace kl {

// What the settings commands need of the main window.
class SettingsCommandHost {
public:
    virtual bool Closed() const = 0;
    // The pages into the block, and the options into the registry.
    virtual void SaveData() = 0;
    virtual void SaveOptionsNow() = 0;
    // The pages and lists from the block and the registry again.
    virtual void RefreshPages() = 0;
    virtual std::vector<std::string> GetProfileList() const = 0;
    // A reload as after a profile switch (`profile` unset: the active one).
    virtual bool ReloadSettingsLive(const std::optional<std::string>& profile, std::string& error) = 0;
    // Runs a dialog that changes the profile's settings: a profile switch waits for it.
    virtual void RunEditingDialog(const std::function<void()>& dialog) = 0;

protected:
    ~SettingsCommandHost() = default;
};

class SettingsCommands {
public:
    static constexpr std::size_t kPageCount = 5;
    using Pages = std::array<HWND, kPageCount>;

    SettingsCommands(SettingsCommandHost& host, BlockAccess block, const std::string& dataDir,
                     const OptionPages& options, const Pages& pages)
        : host_(host), block_(block), dataDir_(dataDir), options_(options), pages_(pages) {}
    void SetOwner(HWND owner) { owner_ = owner; }
    // mnExportSettings, mnImportSettings, mnPrintSettings and mmStyle; false otherwise.
    bool OnCommand(int id);

private:
    void Export();
    void Import();
    void PrintReport();
    void ChooseStyle();

    SettingsCommandHost& host_;
    BlockAccess block_;
    const std::string& dataDir_;
    const OptionPages& options_;
    const Pages& pages_;
    HWND owner_ = nullptr;
};

}  // namespace kl
