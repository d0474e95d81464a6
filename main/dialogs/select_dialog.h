// TfrmSelect: the picker the hotkey editor opens from its Select button. It lists the
// files of the well-known shell folders, of any folder or the control panel applets and
// returns the chosen item's path, resolved through shortcuts, in ebSelected.
#pragma once

#include <windows.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace kl {

class TfrmSelect {
public:
    // The fixed types of cbType; the special folders follow from index 6 on.
    enum Type { kApplications = 0, kFavourites = 1, kDocuments = 2, kHistory = 3, kTypedFolder = 4, kControlPanel = 5 };
    static constexpr int kMaxItems = 5000;  // a scan of a huge folder tree stops there
    static constexpr int kMaxDepth = 12;

    // 1 (OK) or 2 (Cancel); on 1 selected() holds ebSelected.
    int ShowModal(HWND owner);
    // For tests: shown without its own message loop; modalResult() is 0 while it is open.
    HWND CreateModeless(HWND owner);
    int modalResult() const { return modalResult_; }
    HWND handle() const { return dlg_; }
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

private:
    static INT_PTR CALLBACK StaticProc(HWND, UINT, WPARAM, LPARAM);
    INT_PTR Proc(UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK ListSubclass(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    void FormShow();
    void End(int result);
    HWND Item(int id) const { return GetDlgItem(dlg_, id); }
    std::string SelectedText() const;
    int SelectedType() const;

    struct TypeEntry {
        std::string caption;
        std::string folder;  // the special folders (index 6 on)
    };
    std::vector<TypeEntry> types_;
    HWND dlg_ = nullptr;
    bool modal_ = false;
    int modalResult_ = 0;
    std::string selected_;
};

}  // namespace kl
