#include "dialogs/import_dialog.h"

#include <algorithm>

#include "ui/style.h"
#include "model/catalogue.h"
#include "ui/help_pages.h"
#include "system/library_binding.h"
#include "model/settings_exchange.h"
#include "system/support_calls.h"
#include "model/ui_language.h"
#include "ui/app_identity.h"
#include "ui/gdi_owners.h"

namespace kl {
namespace {

using namespace import_dialog;

// Language texts of the dialog.
constexpr int kTextImportFrom = 211, kTextExportTo = 212, kTextOk = 11, kTextCancel = 12, kTextRemove = 17,
              kTextModify = 18, kTextAutoAssign = 205, kTextItems = 207, kTextSelectFirst = 213,
              kTextNotLoaded = 518;

constexpr COLORREF kWhite = RGB(255, 255, 255), kNavy = RGB(0, 0, 128), kGreen = RGB(0, 128, 0),
                   kRed = RGB(255, 0, 0), kBlack = RGB(0, 0, 0), kLime = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);

}  // namespace

TfrmImport::TfrmImport(Direction direction, std::string fileName, ProfileKeys keys, ReportNames names)
    : direction_(direction), fileName_(std::move(fileName)), keys_(std::move(keys)), names_(std::move(names)) {}

std::function<void(HWND)>& TfrmImport::OnShow() {
    static std::function<void(HWND)> hook;
    return hook;
}

void TfrmImport::LoadData() {
    ExchangeRead read;
    if (direction_ == Direction::Export) {
        read = ReadExchangeFromRegistry(keys_);
    } else {
        ExchangeRules rules;
        rules.knownFunction = [this](int id) {
            return id >= 1 && id <= 279 && (!names_.functionName || !names_.functionName(id).empty());
        };
        read = ReadExchangeFromFile(fileName_, keys_, rules);
    }
    items_ = std::move(read.items);
    skipped_ = std::move(read.skipped);
}

std::string TfrmImport::SaveData() {
    if (direction_ == Direction::Export) return WriteExchangeToFile(fileName_, items_);
    std::string problems = WriteExchangeToRegistry(keys_, Block(), items_);
    std::string error;
    if (reload)
        error = reload();
    else if (!ReloadSettings())  // keeps KeyloomEnabled as it was
        error = LastSettingsError();
    if (!error.empty()) problems += UiText(kTextNotLoaded, "The settings could not be loaded completely:") + " " + error + "\r\n";
    return problems;
}

std::string TfrmImport::ItemText(const ExchangeItem& item) const {
    if (item.kind == kExchangeSetting) return item.optionName + " = " + item.value;
    const ExchangeHotkey& h = item.hotkey;
    return HotkeyReportLine(h.key, h.modifier, h.functionId, h.description, h.parameter, names_) +
           ReportProgramsText(h.programsMode, h.programs, names_);
}

DialogTemplate TfrmImport::BuildTemplate() {
    DialogTemplate t("Import / Export", 330, 220, WS_THICKFRAME);
    t.Item(SS_LEFT, 7, 7, 316, 10, lblSettings, kStaticClass, "");
    t.Item(LBS_OWNERDRAWFIXED | LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_WANTKEYBOARDINPUT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL |
               WS_BORDER | WS_TABSTOP,
           7, 19, 316, 130, lbImport, kListBoxClass, "");
    t.Item(ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 7, 153, 316, 40,
           ebSkipped, kEditClass, "");
    t.Item(BS_PUSHBUTTON | WS_TABSTOP, 7, 199, 60, 14, btnRemove, kButtonClass, "");
    t.Item(DlgClass::Button, BS_PUSHBUTTON, 71, 199, 60, 14, btnModify, "");
    t.Item(DlgClass::Button, BS_PUSHBUTTON, 135, 199, 60, 14, btnAutoAssign, "");
    t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 209, 199, 55, 14, btnOK, kButtonClass, "");
    t.Item(BS_PUSHBUTTON | WS_TABSTOP, 268, 199, 55, 14, btnCancel, kButtonClass, "");
    return t;
}

DialogResult ShowImportDialog(HWND owner, ExchangeRequest request) {
    TfrmImport dialog(request.direction, std::move(request.fileName), std::move(request.keys), std::move(request.names));
    dialog.reload = std::move(request.reload);
    return dialog.ShowModal(owner);
}

INT_PTR TfrmImport::Proc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_INITDIALOG:
        FormShow();
        return FALSE;
    case WM_MEASUREITEM: {
        auto& m = *reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        TEXTMETRICA tm{};
        const WindowDC dc(dlg_);
        const SelectedObject selected(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(dlg_, WM_GETFONT, 0, 0)));
        GetTextMetricsA(dc.get(), &tm);
        m.itemHeight = static_cast<UINT>(tm.tmHeight + 4);
        return TRUE;
    }
    case WM_DRAWITEM:
        lbImportDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
        return TRUE;
    case WM_SIZE: {  // FormResize: the list and the buttons follow the frame
        RECT rc;
        GetClientRect(dlg_, &rc);
        RECT unit{7, 14, 0, 0};
        MapDialogRect(dlg_, &unit);
        const int m = unit.left, button = unit.top;
        const int bottom = rc.bottom - m - button;
        const int skippedHeight = IsWindowVisible(GetDlgItem(dlg_, ebSkipped)) ? button * 3 : 0;
        MoveWindow(GetDlgItem(dlg_, lblSettings), m, m, rc.right - 2 * m, button - 4, TRUE);
        const int listTop = m + button;
        const int listBottom = bottom - m - (skippedHeight ? skippedHeight + m / 2 : 0);
        MoveWindow(GetDlgItem(dlg_, lbImport), m, listTop, rc.right - 2 * m, std::max(listBottom - listTop, button), TRUE);
        if (skippedHeight) MoveWindow(GetDlgItem(dlg_, ebSkipped), m, listBottom + m / 2, rc.right - 2 * m, skippedHeight, TRUE);
        RECT b;
        GetWindowRect(GetDlgItem(dlg_, btnOK), &b);
        const int w = b.right - b.left;
        MoveWindow(GetDlgItem(dlg_, btnCancel), rc.right - m - w, bottom, w, button, TRUE);
        MoveWindow(GetDlgItem(dlg_, btnOK), rc.right - 2 * m - 2 * w, bottom, w, button, TRUE);
        MoveWindow(GetDlgItem(dlg_, btnRemove), m, bottom, w, button, TRUE);
        InvalidateRect(dlg_, nullptr, TRUE);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wp)) {
        case btnOK: btnOKClick(); return TRUE;
        case btnCancel: End(DialogResult::Cancel); return TRUE;
        case btnRemove: btnRemoveClick(); return TRUE;
        case btnModify:
        case btnAutoAssign: return TRUE;  // nothing to do
        case lbImport:
            if (HIWORD(wp) == LBN_SELCHANGE) EnableWindow(GetDlgItem(dlg_, btnModify), SelectedCount() == 1);
            return TRUE;
        default: return FALSE;
        }
    case WM_VKEYTOITEM:  // Delete in the list removes the selected items
        if (LOWORD(wp) == VK_DELETE) {
            btnRemoveClick();
            return -2;
        }
        return -1;
    default:
        return FALSE;
    }
}

void TfrmImport::FormShow() {
    SetWindowContextHelpId(dlg_, help::kImport);
    UpdateLanguage();
    ApplyStyleToForm(dlg_);
    LoadData();
    UpdateView();
    std::string reasons;
    for (const std::string& s : skipped_) reasons += s + "\r\n";
    SetDlgItemTextA(dlg_, ebSkipped, reasons.c_str());
    ShowWindow(GetDlgItem(dlg_, ebSkipped), skipped_.empty() ? SW_HIDE : SW_SHOW);
    RECT rc;
    GetClientRect(dlg_, &rc);
    SendMessageA(dlg_, WM_SIZE, 0, MAKELPARAM(rc.right, rc.bottom));
    SetFocus(GetDlgItem(dlg_, lbImport));
    if (OnShow()) OnShow()(dlg_);
}

void TfrmImport::UpdateLanguage() {
    const bool import = direction_ == Direction::Import;
    SetWindowTextA(dlg_, (UiText(import ? kTextImportFrom : kTextExportTo, import ? "Import from" : "Export to") + " " + fileName_).c_str());
    SetDlgItemTextA(dlg_, btnOK, UiText(kTextOk, "&OK").c_str());
    SetDlgItemTextA(dlg_, btnCancel, UiText(kTextCancel, "&Cancel").c_str());
    SetDlgItemTextA(dlg_, btnRemove, UiText(kTextRemove, "Remove").c_str());
    SetDlgItemTextA(dlg_, btnModify, UiText(kTextModify, "&Modify").c_str());
    SetDlgItemTextA(dlg_, btnAutoAssign, UiText(kTextAutoAssign, "Auto &assign").c_str());
    SetDlgItemTextA(dlg_, lblSettings, UiText(kTextItems, "Items to transfer:").c_str());
}

void TfrmImport::UpdateView() {
    HWND list = GetDlgItem(dlg_, lbImport);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (std::size_t i = 0; i < items_.size(); ++i) SendMessageA(list, LB_ADDSTRING, 0, static_cast<LPARAM>(i));
    SendMessageA(list, LB_SETHORIZONTALEXTENT, 2000, 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    EnableWindow(GetDlgItem(dlg_, btnModify), FALSE);
}

int TfrmImport::SelectedCount() const {
    return static_cast<int>(SendDlgItemMessageA(dlg_, lbImport, LB_GETSELCOUNT, 0, 0));
}

void TfrmImport::btnRemoveClick() {
    HWND list = GetDlgItem(dlg_, lbImport);
    const int count = SelectedCount();
    if (count <= 0) {
        MessageBoxA(dlg_, UiText(kTextSelectFirst, "Please select the items to remove first.").c_str(), MessageCaption().c_str(),
                    MB_OK | MB_ICONINFORMATION);
        return;
    }
    std::vector<int> selected(static_cast<std::size_t>(count));
    const int got = static_cast<int>(SendMessageA(list, LB_GETSELITEMS, count, reinterpret_cast<LPARAM>(selected.data())));
    selected.resize(static_cast<std::size_t>(std::max(got, 0)));
    std::sort(selected.rbegin(), selected.rend());
    for (const int i : selected)
        if (i >= 0 && static_cast<std::size_t>(i) < items_.size()) items_.erase(items_.begin() + i);
    UpdateView();
    if (!selected.empty() && !items_.empty()) {
        const int next = std::min(selected.back(), static_cast<int>(items_.size()) - 1);
        SendMessageA(list, LB_SETCARETINDEX, next, FALSE);
    }
}

void TfrmImport::btnOKClick() {
    if (const std::string problems = SaveData(); !problems.empty()) {
        MessageBoxA(dlg_, problems.c_str(), MessageCaption().c_str(), MB_OK | MB_ICONEXCLAMATION);
        if (direction_ == Direction::Export) return;  // the file was not written: nothing is lost by staying
    }
    End(DialogResult::Ok);
}

void TfrmImport::lbImportDrawItem(const DRAWITEMSTRUCT& d) {
    if (d.itemID == static_cast<UINT>(-1) || d.itemData >= items_.size()) {
        if (d.itemState & ODS_FOCUS) DrawFocusRect(d.hDC, &d.rcItem);
        return;
    }
    const ExchangeItem& item = items_[d.itemData];
    const bool selected = (d.itemState & ODS_SELECTED) != 0, focused = (d.itemState & ODS_FOCUS) != 0;
    const int kind = item.kind;
    COLORREF back = kWhite, fore = kBlack;
    if (focused) {
        back = kNavy;
        fore = kind == kExchangeSetting ? kLime : kind == kExchangeHotkey ? kBlue : kind == kExchangeConflict ? kRed : kWhite;
    } else if (selected) {
        back = kNavy;
        fore = kWhite;
    } else {
        fore = kind == kExchangeSetting ? kGreen : kind == kExchangeHotkey ? kNavy : kind == kExchangeConflict ? kRed : kBlack;
    }
    FillRect(d.hDC, &d.rcItem, UniqueBrush(CreateSolidBrush(back)).get());
    SetBkMode(d.hDC, TRANSPARENT);
    SetTextColor(d.hDC, fore);
    const std::string text = ItemText(item);
    RECT rc = d.rcItem;
    rc.left += 2;
    DrawTextA(d.hDC, text.c_str(), static_cast<int>(text.size()), &rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (focused) DrawFocusRect(d.hDC, &d.rcItem);
}

}  // namespace kl
