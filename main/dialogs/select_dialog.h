// TfrmSelect: the picker the hotkey editor opens from its Select button. It lists the
// files of the well-known shell folders, of any folder or the control panel applets and
// returns the chosen item's path, resolved through shortcuts, in ebSelected.
#pragma once

#include <windows.h>

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ui/dialog_base.h"

namespace kl {

class TfrmSelect : public DialogBase {
public:
    // The fixed types of cbType; the special folders follow from index 6 on.
    enum Type { kApplications = 0, kFavourites = 1, kDocuments = 2, kHistory = 3, kTypedFolder = 4, kControlPanel = 5 };
    static constexpr int kMaxItems = 5000;  // a scan of a huge folder tree stops there
    static constexpr int kMaxDepth = 12;

    // After Ok, what ebSelected held.
    const std::string& selected() const { return selected_; }

    void UpdateLanguage();
    void RefreshList();
    // lbListDblClick and Enter in the list: the selected item into ebSelected.
    void TakeSelectedItem();
    void btnBrowseClick();
    void btnFolderClick();

    // Scanning one folder (with a trailing backslash) into `items`: every entry matching
    // the mask, subfolders descended with the same mask, names beginning with "." skipped;
    // each file as name + ";" + middle + folder + name.
    static void ScanFolder(const std::string& folder, const std::string& mask, const std::string& middle,
                           std::set<std::string>& items, int depth = 0);
    // An item's name and the rest (middle, folder and name), the name kept whole when it
    // holds ";" itself.
    static std::pair<std::string, std::string> SplitItem(const std::string& item);
    // What taking an item puts into ebSelected for a type.
    static std::string ItemResult(const std::string& item, int type);
    // The list's display name of an item: the file name without its extension.
    static std::string DisplayName(const std::string& item);

protected:
    DialogTemplate BuildTemplate() override;
    INT_PTR Proc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool TakesCreationMessages() const override { return true; }  // the item height

private:
    static LRESULT CALLBACK ListSubclass(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    void FormShow();
    void Finish(DialogResult result);
    std::string SelectedText() const;
    int SelectedType() const;

    struct TypeEntry {
        std::string caption;
        std::string folder;  // the special folders (index 6 on)
    };
    std::vector<TypeEntry> types_;
    std::string selected_;
};

// The picker shown modally: the chosen path after OK, nothing after Cancel.
std::optional<std::string> ShowSelectDialog(HWND owner);

}  // namespace kl
