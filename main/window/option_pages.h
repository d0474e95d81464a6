// The controls of the Options, Defaults and MouseKeys pages: a view of the option
// fields of the block. Load writes the controls from the block, Store the block from
// the controls; the main window's handlers decide when.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "settings_block.h"
#include "window/off_in_programs_field.h"

namespace kl {

class OptionPages {
public:
    // Creates the controls on the three pages, scaled for the display.
    void Create(HINSTANCE instance, HWND optionsPage, HWND defaultsPage, HWND mouseKeysPage, HFONT font);
    // Places and sizes every control for `dpi` and gives it `font` (a change of display).
    void Rescale(int dpi, HFONT font);
    bool Owns(int id) const { return controls_.count(id) != 0 || offIn_.Owns(id); }
    HWND Control(int id) const;

    // Captions from the language; the language box lists `languages` and is shown only
    // when there are not exactly one.
    void UpdateLanguage(const std::vector<std::string>& languages);
    // Controls from the block; `languageSelection` is the entry of the loaded language.
    void Load(const SettingsBlock& b, int languageSelection);
    // The block from the controls the user changed since Load: a field that a function
    // or the hook changed meanwhile is not overwritten by what the page still shows.
    // False when the speed step is not a number: MKSpeedMod keeps its old value.
    bool Store(SettingsBlock& b);
    // The 23 advanced controls are usable exactly outside simple mode.
    void EnableAdvanced(bool enabled);
    // "Mouse speed (n)" and "Mouse acceleration (n)" from the track bars.
    void RefreshTrackLabels();

    bool Checked(int id) const;
    void SetChecked(int id, bool checked);
    int LanguageSelection() const;
    // The Options page's "OffInPrograms" field, kept in the profile's key.
    OffInProgramsField& offInPrograms() { return offIn_; }

private:
    std::map<int, HWND> controls_;
    std::map<int, std::int32_t> shown_;  // what Load (or the last Store) put into each control
    OffInProgramsField offIn_;
};

}  // namespace kl
