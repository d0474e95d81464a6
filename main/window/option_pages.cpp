#include "window/option_pages.h"

#include <commctrl.h>

#include <charconv>
#include <utility>

#include "ui/dpi.h"
#include "model/settings_table.h"
#include "model/ui_language.h"
#include "window/option_ids.h"
#include "window/window_texts.h"

namespace kl {
namespace {

enum Page { kOptions, kDefaults, kMouseKeys };

// A check box of the pages: its block field, its setting position (its caption and
// its help context 3000 + position) and where it sits, in pixels at 96 dots per inch.
struct CheckBox {
    int id;
    std::int32_t SettingsBlock::*field;
    int setting;
    const char* fallback;
    Page page;
    int x, y;
    bool advanced;
    bool inverted;  // checked means the field is 0
};

constexpr int kRow = 24;

constexpr CheckBox kCheckBoxes[] = {
    {ids::cbLoadDuringStartup, &SettingsBlock::LoadDuringStartup, 1, "Start Keyloom with Windows", kOptions, 12, 12, false, false},
    {ids::cbDesktopShortcut, &SettingsBlock::DesktopShortcut, 30, "Keyloom icon on the desktop", kOptions, 12, 12 + kRow, false, false},
    {ids::cbConfirmHotkeys, &SettingsBlock::ConfirmHotkeys, 4, "Beep when a hotkey is executed", kOptions, 12, 12 + 2 * kRow, false, false},
    {ids::cbOnlineHelp, &SettingsBlock::OnlineHelp, 31, "Use the online help", kOptions, 12, 12 + 3 * kRow, false, false},
    {ids::cbSysTrayIcon, &SettingsBlock::NoSysTray, 33, "Show the icon in the system tray", kOptions, 12, 12 + 4 * kRow, false, true},
    {ids::cbSimpleMode, &SettingsBlock::SimpleMode, 32, "Simple mode", kOptions, 12, 12 + 5 * kRow, false, false},
    {ids::cbWinKeysTrap, &SettingsBlock::WinKeysTrap, 29, "Both Windows keys together open Keyloom", kOptions, 24, 184, true, false},
    {ids::cbCaptureMenuDblClicks, &SettingsBlock::CaptureMenuDblClicks, 2, "Roll windows up by double-clicking the title bar", kOptions, 24, 184 + kRow, true, false},
    {ids::cbBookmarksEnabled, &SettingsBlock::BookmarksEnabled, 3, "Window bookmarks (Windows+digit)", kOptions, 24, 184 + 2 * kRow, true, false},

    {ids::cbWinDefaultsEnabled, &SettingsBlock::WinDefaultsEnabled, 20, "Keep the Windows key combinations", kDefaults, 12, 12, true, false},
    {ids::cbWinM, &SettingsBlock::WinM, 24, "Windows+M", kDefaults, 32, 12 + kRow, true, false},
    {ids::cbWinD, &SettingsBlock::WinD, 21, "Windows+D", kDefaults, 32, 12 + 2 * kRow, true, false},
    {ids::cbWinE, &SettingsBlock::WinE, 22, "Windows+E", kDefaults, 32, 12 + 3 * kRow, true, false},
    {ids::cbWinF, &SettingsBlock::WinF, 23, "Windows+F", kDefaults, 32, 12 + 4 * kRow, true, false},
    {ids::cbWinR, &SettingsBlock::WinR, 25, "Windows+R", kDefaults, 32, 12 + 5 * kRow, true, false},
    {ids::cbWinU, &SettingsBlock::WinU, 34, "Windows+U", kDefaults, 32, 12 + 6 * kRow, true, false},
    {ids::cbWinV, &SettingsBlock::WinV, 35, "Windows+V", kDefaults, 32, 12 + 7 * kRow, true, false},
    {ids::cbWinKeyEnabled, &SettingsBlock::WinKeyEnabled, 26, "Windows keys open the Start menu", kDefaults, 12, 12 + 9 * kRow, true, false},
    {ids::cbLWinKeyEnabled, &SettingsBlock::LWinKeyEnabled, 36, "Left Windows key", kDefaults, 32, 12 + 10 * kRow, true, false},
    {ids::cbRWinKeyEnabled, &SettingsBlock::RWinKeyEnabled, 37, "Right Windows key", kDefaults, 32, 12 + 11 * kRow, true, false},

    {ids::cbMKEnabled, &SettingsBlock::MouseKeysEnabled, 10, "Use MouseKeys", kMouseKeys, 12, 12, true, false},
    {ids::cbMKNumlockON, &SettingsBlock::MKNumlockON, 11, "MouseKeys while Num Lock is on", kMouseKeys, 12, 12 + kRow, true, false},
    {ids::cbMKBorderKeys, &SettingsBlock::MKBorderKeys, 12, "Ctrl+arrow jumps to the screen border", kMouseKeys, 12, 12 + 2 * kRow, true, false},
    {ids::cbMKNumpad, &SettingsBlock::MKNumpad, 13, "Use the numeric keypad", kMouseKeys, 12, 12 + 3 * kRow, true, false},
    {ids::cbMKCursorKeys, &SettingsBlock::MKCursorKeys, 14, "Arrow keys move the pointer", kMouseKeys, 12, 12 + 4 * kRow, true, false},
    {ids::cbMKInc, &SettingsBlock::MKInc, 15, "Keypad * + - centre the pointer and change the speed", kMouseKeys, 12, 12 + 5 * kRow, true, false},
};

// The other controls: labels, the language box, the speed step and the track bars.
struct Other {
    int id;
    const char* cls;
    DWORD style;
    Page page;
    int x, y, cx, cy;
    bool advanced;
    int helpSetting;  // 0: none
};

constexpr Other kOthers[] = {
    {ids::grpAdvancedMode, WC_BUTTONA, BS_GROUPBOX, kOptions, 8, 162, 420, 100, false, 0},
    {ids::lblLanguage, WC_STATICA, SS_LEFT, kOptions, 12, 280, 120, 20, false, 28},
    {ids::cbLanguage, WC_COMBOBOXA, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kOptions, 140, 276, 180, 200, false, 28},
    {ids::lblMKSpeedMod, WC_STATICA, SS_LEFT, kMouseKeys, 12, 12 + 6 * kRow + 6, 120, 20, false, 16},
    {ids::ebMKSpeedMod, WC_EDITA, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, kMouseKeys, 140, 12 + 6 * kRow + 4, 60, 22, true, 16},
    {ids::lblMouseSpeed, WC_STATICA, SS_LEFT, kMouseKeys, 12, 200, 300, 18, false, 17},
    {ids::tbMKSpeed, TRACKBAR_CLASSA, TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP, kMouseKeys, 8, 218, 320, 30, true, 17},
    {ids::lblMouseAcceleration, WC_STATICA, SS_LEFT, kMouseKeys, 12, 252, 300, 18, false, 18},
    {ids::tbMKAcceleration, TRACKBAR_CLASSA, TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP, kMouseKeys, 8, 270, 320, 30, true, 18},
};

constexpr int kTrackMin = 1, kTrackMax = 32;
constexpr int kCheckWidth = 400, kCheckHeight = 20;
constexpr int kFirstSettingsText = 118;  // captions come from the settings index only in full languages

// Help contexts 3001 to 3033: the setting's position. The four later settings carry
// the context of the box that rules them.
DWORD HelpContext(int setting) {
    if (setting == 34 || setting == 35) setting = 20;
    if (setting == 36 || setting == 37) setting = 26;
    return setting > 0 ? 3000u + static_cast<DWORD>(setting) : 0u;
}

std::string CaptionOf(int setting, const char* fallback) {
    if (ActiveLanguage().LineCount() < kFirstSettingsText) return fallback;
    std::string text = SettingName(ActiveLanguage(), setting);
    return text.empty() ? std::string(fallback) : text;
}

}  // namespace

void OptionPages::Create(HINSTANCE instance, HWND optionsPage, HWND defaultsPage, HWND mouseKeysPage, HFONT font) {
    const HWND pages[] = {optionsPage, defaultsPage, mouseKeysPage};
    const int dpi = WindowDpi(optionsPage);
    auto s = [dpi](int px) { return ScaleForDpi(px, dpi); };
    auto make = [&](HWND parent, const char* cls, DWORD style, int x, int y, int cx, int cy, int id, const char* text) {
        HWND c = CreateWindowExA(lstrcmpiA(cls, WC_EDITA) == 0 ? WS_EX_CLIENTEDGE : 0, cls, text, WS_CHILD | WS_VISIBLE | style, s(x),
                                 s(y), s(cx), s(cy), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 instance, nullptr);
        if (c && font) SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        controls_[id] = c;
        return c;
    };
    for (const Other& o : kOthers) {
        HWND c = make(pages[o.page], o.cls, o.style, o.x, o.y, o.cx, o.cy, o.id, "");
        if (o.helpSetting) SetWindowContextHelpId(c, HelpContext(o.helpSetting));
    }
    for (const CheckBox& box : kCheckBoxes) {
        HWND c = make(pages[box.page], WC_BUTTONA, BS_AUTOCHECKBOX | WS_TABSTOP, box.x, box.y, kCheckWidth,
                      kCheckHeight, box.id, box.fallback);
        SetWindowContextHelpId(c, HelpContext(box.setting));
    }
    // The group box is drawn behind the boxes it frames.
    SetWindowPos(Control(ids::grpAdvancedMode), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (int id : {ids::tbMKSpeed, ids::tbMKAcceleration}) {
        SendMessageA(Control(id), TBM_SETRANGE, FALSE, MAKELPARAM(kTrackMin, kTrackMax));
        SendMessageA(Control(id), TBM_SETPOS, TRUE, 4);
    }
    SendMessageA(Control(ids::ebMKSpeedMod), EM_SETLIMITTEXT, 11, 0);
    SetWindowTextA(Control(ids::ebMKSpeedMod), "4");
    offIn_.Create(instance, optionsPage, font);
}

void OptionPages::Rescale(int dpi, HFONT font) {
    auto place = [&](int id, int x, int y, int cx, int cy) {
        HWND c = Control(id);
        if (!c) return;
        SetWindowPos(c, nullptr, ScaleForDpi(x, dpi), ScaleForDpi(y, dpi), ScaleForDpi(cx, dpi), ScaleForDpi(cy, dpi),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (font) SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    };
    for (const Other& o : kOthers) place(o.id, o.x, o.y, o.cx, o.cy);
    for (const CheckBox& box : kCheckBoxes) place(box.id, box.x, box.y, kCheckWidth, kCheckHeight);
    offIn_.Rescale(dpi, font);
}

HWND OptionPages::Control(int id) const {
    const auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

void OptionPages::UpdateLanguage(const std::vector<std::string>& languages) {
    if (controls_.empty()) return;
    for (const CheckBox& box : kCheckBoxes) {
        const std::string text = box.id == ids::cbSimpleMode ? UiText(texts::kSimpleModeStatus, box.fallback) : CaptionOf(box.setting, box.fallback);
        SetWindowTextA(Control(box.id), text.c_str());
    }
    SetWindowTextA(Control(ids::grpAdvancedMode), UiText(texts::kAdvancedModeStatus, "Advanced mode").c_str());
    SetWindowTextA(Control(ids::lblLanguage), CaptionOf(28, "Language").c_str());
    SetWindowTextA(Control(ids::lblMKSpeedMod), CaptionOf(16, "Speed step").c_str());
    HWND box = Control(ids::cbLanguage);
    const int selection = LanguageSelection();
    SendMessageA(box, CB_RESETCONTENT, 0, 0);
    for (const std::string& name : languages) SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageA(box, CB_SETCURSEL, selection, 0);
    const int show = languages.size() != 1 ? SW_SHOW : SW_HIDE;
    ShowWindow(box, show);
    ShowWindow(Control(ids::lblLanguage), show);
    offIn_.UpdateLanguage();
    RefreshTrackLabels();
}

void OptionPages::Load(const SettingsBlock& b, int languageSelection) {
    if (controls_.empty()) return;
    for (const CheckBox& box : kCheckBoxes) {
        const bool checked = ((b.*box.field) != 0) != box.inverted;
        SetChecked(box.id, checked);
        shown_[box.id] = checked;
    }
    SendMessageA(Control(ids::cbLanguage), CB_SETCURSEL, languageSelection, 0);
    shown_[ids::cbLanguage] = LanguageSelection();
    for (const auto& [id, value] : {std::pair{ids::tbMKSpeed, b.MKSpeed}, std::pair{ids::tbMKAcceleration, b.MKAcceleration}}) {
        SendMessageA(Control(id), TBM_SETPOS, TRUE, value);
        shown_[id] = static_cast<std::int32_t>(SendMessageA(Control(id), TBM_GETPOS, 0, 0));
    }
    const std::string step = std::to_string(b.MKSpeedMod);
    char text[16] = {};
    GetWindowTextA(Control(ids::ebMKSpeedMod), text, sizeof text);
    if (step != text) SetWindowTextA(Control(ids::ebMKSpeedMod), step.c_str());
    shown_[ids::ebMKSpeedMod] = b.MKSpeedMod;
    RefreshTrackLabels();
}

bool OptionPages::Store(SettingsBlock& b) {
    if (controls_.empty()) return true;
    // True when the control now holds another value than it was given.
    auto changed = [this](int id, std::int32_t now) {
        const auto it = shown_.find(id);
        if (it != shown_.end() && it->second == now) return false;
        shown_[id] = now;
        return true;
    };
    for (const CheckBox& box : kCheckBoxes) {
        const bool checked = Checked(box.id);
        if (changed(box.id, checked)) b.*box.field = (checked != box.inverted) ? kTrue : kFalse;
    }
    if (const int language = LanguageSelection(); language >= 0 && changed(ids::cbLanguage, language))
        b.Language = language;
    const auto speed = static_cast<std::int32_t>(SendMessageA(Control(ids::tbMKSpeed), TBM_GETPOS, 0, 0));
    if (changed(ids::tbMKSpeed, speed)) b.MKSpeed = speed;
    const auto acceleration = static_cast<std::int32_t>(SendMessageA(Control(ids::tbMKAcceleration), TBM_GETPOS, 0, 0));
    if (changed(ids::tbMKAcceleration, acceleration)) b.MKAcceleration = acceleration;
    char text[16] = {};
    GetWindowTextA(Control(ids::ebMKSpeedMod), text, sizeof text);
    const std::string_view step(text);
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(step.data(), step.data() + step.size(), value);
    if (step.empty() || ec != std::errc() || end != step.data() + step.size()) return false;
    if (changed(ids::ebMKSpeedMod, value)) b.MKSpeedMod = value;
    return true;
}

void OptionPages::EnableAdvanced(bool enabled) {
    for (const CheckBox& box : kCheckBoxes)
        if (box.advanced) EnableWindow(Control(box.id), enabled);
    for (const Other& o : kOthers)
        if (o.advanced) EnableWindow(Control(o.id), enabled);
}

void OptionPages::RefreshTrackLabels() {
    auto label = [&](int labelId, int text, const char* fallback, int trackId) {
        const auto pos = SendMessageA(Control(trackId), TBM_GETPOS, 0, 0);
        const std::string caption = UiText(text, fallback) + " (" + std::to_string(pos) + ")";
        SetWindowTextA(Control(labelId), caption.c_str());
    };
    label(ids::lblMouseSpeed, 48, "Mouse speed", ids::tbMKSpeed);
    label(ids::lblMouseAcceleration, 49, "Mouse acceleration", ids::tbMKAcceleration);
}

bool OptionPages::Checked(int id) const { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void OptionPages::SetChecked(int id, bool checked) {
    SendMessageA(Control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int OptionPages::LanguageSelection() const {
    return static_cast<int>(SendMessageA(Control(ids::cbLanguage), CB_GETCURSEL, 0, 0));
}

}  // namespace kl
