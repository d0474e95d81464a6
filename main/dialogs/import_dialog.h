// TfrmImport ("Import / Export"): the items of the source (the exchange file on import,
// the active profile on export) in a list from which the user removes what is not to
// be taken; OK writes the rest to the target. Hotkeys that clash with one of the
// profile are shown in red and never imported.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/dialog_base.h"
#include "model/exchange_items.h"
#include "model/profile_keys.h"
#include "model/report_lines.h"

namespace kl {

namespace import_dialog {
inline constexpr int lblSettings = 100;
inline constexpr int lbImport = 101;
inline constexpr int ebSkipped = 102;  // why items of the source were left out
inline constexpr int btnOK = IDOK;
inline constexpr int btnCancel = IDCANCEL;
inline constexpr int btnRemove = 103;
inline constexpr int btnModify = 104;      // hidden
inline constexpr int btnAutoAssign = 105;  // hidden
}  // namespace import_dialog

class TfrmImport : public DialogBase {
public:
    enum class Direction { Import, Export };

    TfrmImport(Direction direction, std::string fileName, ProfileKeys keys, ReportNames names);

    // Loads the settings again after an import wrote them; the load's error text or "".
    // Unset: the plain reload, which keeps KeyloomEnabled as it was.
    std::function<std::string()> reload;

    // LoadData: reads the source into the item list.
    void LoadData();
    // SaveData: writes the items left to the target; empty or what went wrong.
    std::string SaveData();
    // The items as they stand, and the reasons for what the source could not give.
    const std::vector<ExchangeItem>& items() const { return items_; }
    const std::vector<std::string>& skipped() const { return skipped_; }
    // The text an item is listed with: the option's name or the hotkey's report line.
    std::string ItemText(const ExchangeItem& item) const;

    // Called with the dialog once it is shown (tests reach it this way; the style
    // is applied here too).
    static std::function<void(HWND)>& OnShow();

protected:
    DialogTemplate BuildTemplate() override;
    INT_PTR Proc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void FormShow();
    void UpdateLanguage();
    void UpdateView();
    void btnOKClick();
    void btnRemoveClick();
    void lbImportDrawItem(const DRAWITEMSTRUCT& d);
    int SelectedCount() const;

    Direction direction_;
    std::string fileName_;
    ProfileKeys keys_;
    ReportNames names_;
    std::vector<ExchangeItem> items_;
    std::vector<std::string> skipped_;
};

// What the dialog works on. Unset `reload`: the plain reload after an import.
struct ExchangeRequest {
    TfrmImport::Direction direction = TfrmImport::Direction::Import;
    std::string fileName;
    ProfileKeys keys;
    ReportNames names;
    std::function<std::string()> reload;
};

// Shows the dialog modally: Ok when OK wrote the items, Cancel otherwise.
DialogResult ShowImportDialog(HWND owner, ExchangeRequest request);

}  // namespace kl
