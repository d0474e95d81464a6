// TfrmEditHotkey: the dialog that creates a hotkey (ID -1) or changes the hotkey with
// the ID the caller sets. Its key is captured by a KeyCapture (key_capture.h), its
// lists are EditorLists (editor_lists.h), its parameter rows ParameterRows
// (editor_parameter_rows.h); what it decides without its window is in the editor's
// rules (model/hotkey_editor_rules.h). It stores through the hotkey store.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "dialogs/editor_lists.h"
#include "dialogs/editor_programs_row.h"
#include "dialogs/editor_parameter_rows.h"
#include "dialogs/key_capture.h"
#include "model/catalogue.h"
#include "model/hotkey_editor_rules.h"
#include "ui/dialog_base.h"
#include "ui/gdi_owners.h"
#include "ui/tool_tips.h"

namespace kl {

class TfrmEditHotkey : public DialogBase, private KeyCaptureTarget {
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

    // Shows the dialog modally: Ok when a definition was stored, Cancel otherwise. A
    // catalogue or key-name file that cannot be read is reported and the dialog is not
    // shown (Cancel); an editor already open comes to the front instead (Cancel).
    DialogResult ShowModal(HWND owner);
    // The same dialog without its own message loop (tests): result() is None while it
    // is open. Null when the data files cannot be read.
    HWND ShowModeless(HWND owner);
    // Ends a dialog that is open (Cancel), restoring what the capture changed.
    void Close();

    // The editor's operations.
    void UpdateLanguage();
    void LoadData();
    bool SaveData();
    void ClearData();
    bool Validate(std::string& message);
    bool SelectKey(int code) override;
    void SelectModifier(int modifier) override;
    void SelectCategory(int category);
    void SelectFunction(int functionId);
    void ReloadParameterList(int position);
    void btnOKClick();
    void btnSelectClick();

    // The key capture's state: whether its hook is installed, the last scan code it saw
    // with virtual-key code 255.
    bool HookInstalled() const { return capture_.Installed(); }
    int LastScanCode() const { return capture_.LastScanCode(); }

    // What the controls hold now, read back as the rules see them.
    editor::EditorInput CurrentInput();
    std::string ParameterText();
    int SelectedFunctionId() const;
    bool modified() const { return modified_; }

protected:
    DialogTemplate BuildTemplate() override;
    INT_PTR Proc(UINT msg, WPARAM wp, LPARAM lp) override;
    void Destroyed() override;
    bool TakesCreationMessages() const override { return true; }  // the drawn lists' item height

private:
    TfrmEditHotkey();
    void MarkModified() override { modified_ = true; }
    bool CheckDataFiles(HWND owner);
    void InitDialog();
    void Finish(DialogResult result);
    void OnCommand(int id, int code);
    void OnListChange(int id);
    std::string ItemText(int id) const;
    int SelectedIndex(int id) const;
    editor::ListSources Sources();
    void ApplyPreset();

    KeyCapture capture_;
    EditorLists lists_;
    ParameterRows rows_;
    ToolTips tips_;
    bool loading_ = false;
    bool modified_ = false;
    std::string dataDir_;
    // The Hotkeys key of the profile that was active when the dialog opened: the edit
    // is stored there, whichever profile is active at OK.
    std::string hotkeysKey_;
    std::unique_ptr<Catalogue> catalogue_;
    UniqueFont boldFont_;
    EditorProgramsRow programs_;  // the programs the hotkey acts in
};

struct HotkeyEditorRequest {
    std::string dataDir;  // the folder of functions.txt and keynames.txt
    int hotkeyId = -1;    // -1: a new hotkey (with the editor's preset, if one is set)
};

// Shows the one editor modally for this request: Ok when a definition was stored.
DialogResult ShowHotkeyEditor(HWND owner, const HotkeyEditorRequest& request);

}  // namespace kl
