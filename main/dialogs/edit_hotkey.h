// TfrmEditHotkey: the modal dialog that creates a hotkey (ID -1) or changes the hotkey
// with the ID the caller sets, captures its key with the thread keyboard hook
// EditKbdHookProc (an export of keyloom.exe), lets the user pick category, function and
// parameters, validates the input and stores it through the hotkey store.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/editor_programs_row.h"
#include "model/catalogue.h"
#include "model/hotkey_editor_rules.h"

// The capture hook: Windows keys are swallowed (and chosen as the modifier while the
// modifier box has the focus), the scan code of a key without a virtual-key code is
// kept for SelectKey; everything else goes on. Exported by name from keyloom.exe.
extern "C" LRESULT CALLBACK EditKbdHookProc(int code, WPARAM wParam, LPARAM lParam);

namespace kl {

class TfrmEditHotkey {
public:
    static constexpr int kHelpContext = 10400;

    // The one editor of the process; created once and reused.
    static TfrmEditHotkey& Instance();

    // The folder of functions.txt and keynames.txt (the data directory).
    void SetDataDir(const std::string& dataDir);

    // The ID to edit, or -1 for a new hotkey; set by the caller before showing.
    int hotkeyId = -1;
    // What a new hotkey starts with instead of a cleared editor (the convert command):
    // description, function and the text of the function's first text field. Used by
    // the next showing only.
    struct Preset {
        std::string description;
        int functionId = 0;
        std::string parameter;
    };
    std::optional<Preset> preset;

    // Shows the dialog modally: 1 (OK) when a definition was stored, 2 otherwise.
    // A catalogue or key-name file that cannot be read is reported and the dialog is
    // not shown (result 2).
    int ShowModal(HWND owner);
    // For tests: the same dialog, shown without its own message loop. It reports its
    // result through modalResult() once it has ended (0 while it is open).
    HWND CreateModeless(HWND owner);
    int modalResult() const { return modalResult_; }
    HWND handle() const { return dlg_; }
    bool IsOpen() const { return dlg_ != nullptr; }
    // Ends a dialog that is open (result 2), restoring what the capture changed.
    void Close();

    // The editor's operations.
    void UpdateLanguage();
    void LoadData();
    bool SaveData();
    void ClearData();
    bool Validate(std::string& message);
    bool SelectKey(int code);
    void SelectModifier(int modifier);
    void SelectCategory(int category);
    void SelectFunction(int functionId);
    void ReloadParameterList(int position);
    bool InstallHook();
    bool UnInstallHook();
    void btnOKClick();
    void btnSelectClick();

    // Whether the capture hook is installed now (process-wide).
    static bool HookInstalled();
    // The editor that is open, if any (the hook procedure acts on it).
    static TfrmEditHotkey* Active();
    // Called by the hook procedure.
    void OnWindowsKey(bool down);
    // The last scan code seen with virtual-key code 255.
    static int LastScanCode();

    // What the controls hold now, read back as the rules see them.
    editor::EditorInput CurrentInput();
    std::string ParameterText();
    int SelectedFunctionId() const;
    bool modified() const { return modified_; }

private:
    TfrmEditHotkey() = default;
    static INT_PTR CALLBACK StaticProc(HWND, UINT, WPARAM, LPARAM);
    INT_PTR Proc(UINT msg, WPARAM wp, LPARAM lp);
    bool CheckDataFiles(HWND owner);
    void InitDialog();
    void Destroyed();
    void End(int result);
    void OnCommand(int id, int code);
    void MeasureItem(MEASUREITEMSTRUCT& m);
    void DrawItem(const DRAWITEMSTRUCT& d);
    void FillModifiers();
    void FillKeys();
    void FillCategories();
    void FillFunctions(int category, bool sorted);
    void SetTip(HWND control, const std::string& text);
    void PlaceRow(int labelId, int controlId, int row, int width);
    void OrderParameterTabs();
    HWND Item(int id) const { return GetDlgItem(dlg_, id); }
    std::string ItemText(int id) const;
    int SelectedIndex(int id) const;
    const std::string* SelectedFunctionLine() const;
    editor::ListSources Sources();
    void SpreadParameters(const std::string& stored);
    void ApplyPreset();
    static LRESULT CALLBACK KeySubclass(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    bool KeyPressedIn(HWND control, UINT msg, WPARAM vk);
    bool ModifierKeyPressed(UINT msg, WPARAM vk);

    HWND dlg_ = nullptr;
    bool modal_ = false;
    int modalResult_ = 0;
    bool loading_ = false;
    bool modified_ = false;
    bool focusedOnce_ = false;
    bool winKeySaved_ = false;  // WinKeyEnabled was switched off by InstallHook
    bool savedWinKey_ = false;  // its value then
    std::string dataDir_;
    // The Hotkeys key of the profile that was active when the dialog opened: the edit
    // is stored there, whichever profile is active at OK.
    std::string hotkeysKey_;
    std::unique_ptr<Catalogue> catalogue_;
    std::vector<std::string> keyLines_;
    std::vector<std::string> functionLines_;  // the lines behind the items of cbFunction
    editor::ParameterLayout layout_;
    HFONT boldFont_ = nullptr;
    HWND tips_ = nullptr;
    int rowTop_[editor::kRowCount] = {};  // the positions of the parameter rows as laid out, in pixels
    int rowLabelTop_[editor::kRowCount] = {};
    EditorProgramsRow programs_;  // the programs the hotkey acts in
};

}  // namespace kl
