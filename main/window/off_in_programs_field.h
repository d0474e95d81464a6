// The Options page's "OffInPrograms" field: the programs in whose windows Keyloom is
// off, with Select... for the program picker. It is stored in the active profile's
// key at once, as the page's other options take effect at once.
#pragma once

#include <windows.h>

#include <string>

namespace kl {

namespace off_in_ids {
inline constexpr int lblOffInPrograms = 1112;
inline constexpr int ebOffInPrograms = 1113;
inline constexpr int btnSelectOffIn = 1114;
}  // namespace off_in_ids

class OffInProgramsField {
public:
    void Create(HINSTANCE instance, HWND optionsPage, HFONT font);
    void Rescale(int dpi, HFONT font);
    void UpdateLanguage();
    bool Owns(int id) const;
    // The field from the profile whose main key this is (ending in "\").
    void Load(const std::string& mainKey);
    // WM_COMMAND of the field's controls: a change is written to the profile's key.
    // True when the stored text changed.
    bool OnCommand(int id, int code);
    std::string Text() const;

private:
    void Place(int dpi, HFONT font);

    HWND label_ = nullptr, edit_ = nullptr, select_ = nullptr;
    std::string mainKey_;
    std::string stored_;     // what the profile's key holds
    bool loading_ = false;
};

}  // namespace kl
