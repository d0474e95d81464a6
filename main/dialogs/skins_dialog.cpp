#include "dialogs/skins_dialog.h"

#include <commdlg.h>

#include <string>

#include "ui/dialog_base.h"
#include "ui/help_pages.h"
#include "model/ui_language.h"
#include "ui/app_identity.h"
#include "ui/gdi_owners.h"

namespace kl {
namespace {

using namespace skins_dialog;

// Language texts of the dialog; the items' texts follow kTextItemFirst in list order.
constexpr int kTextCaption = 121, kTextIntro = 122, kTextItemFirst = 123, kTextReset = 129, kTextOk = 11,
              kTextCancel = 12, kTextNotStored = 517;

struct Entry {
    int text;
    const char* fallback;
};
constexpr Entry kItems[] = {{kTextItemFirst + lblFont, "Change font style"},
                            {kTextItemFirst + lblFontColor, "Change font colour"},
                            {kTextItemFirst + lblBackground, "Change background colour"},
                            {kTextItemFirst + lblEditFontStyle, "Change edit font style"},
                            {kTextItemFirst + lblEditFontColor, "Change edit font colour"},
                            {kTextItemFirst + lblEditBgColor, "Change edit background colour"}};

void Restyle(HWND dlg) {
    StyleChanged();
    ApplyStyleToForm(dlg);
    if (HWND owner = GetWindow(dlg, GW_OWNER)) ApplyStyleToForm(owner);  // at once in the running program
}

bool PickFont(HWND dlg, FontSpec& f) {
    LOGFONTA lf{};
    lf.lfHeight = -MulDiv(f.size, GetDeviceCaps(WindowDC(dlg).get(), LOGPIXELSY), 72);
    lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = f.italic;
    lf.lfUnderline = f.underline;
    lf.lfStrikeOut = f.strikeout;
    lf.lfCharSet = static_cast<BYTE>(f.charset);
    lstrcpynA(lf.lfFaceName, f.name.c_str(), LF_FACESIZE);
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = dlg;
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    cf.rgbColors = PaintColour(f.colour);
    if (!ChooseFontA(&cf)) return false;
    f.name = lf.lfFaceName;
    f.charset = lf.lfCharSet;
    f.size = cf.iPointSize > 0 ? (cf.iPointSize + 5) / 10 : f.size;
    f.bold = lf.lfWeight >= FW_BOLD;
    f.italic = lf.lfItalic != 0;
    f.underline = lf.lfUnderline != 0;
    f.strikeout = lf.lfStrikeOut != 0;
    f.colour = cf.rgbColors;
    return true;
}

bool PickColour(HWND dlg, COLORREF& colour) {
    static COLORREF custom[16] = {};
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = dlg;
    cc.rgbResult = PaintColour(colour);
    cc.lpCustColors = custom;
    cc.Flags = CC_FULLOPEN | CC_ANYCOLOR | CC_RGBINIT;
    if (!ChooseColorA(&cc)) return false;
    colour = cc.rgbResult;
    return true;
}

void EditItem(HWND dlg, int item) {
    Style& s = CurrentStyle();
    bool changed = false;
    switch (item) {
    case lblFont: changed = PickFont(dlg, s.font); break;
    case lblFontColor: changed = PickColour(dlg, s.font.colour); break;
    case lblBackground: changed = PickColour(dlg, s.background); break;
    case lblEditFontStyle: changed = PickFont(dlg, s.edit); break;
    case lblEditFontColor: changed = PickColour(dlg, s.edit.colour); break;
    case lblEditBgColor: changed = PickColour(dlg, s.editBackground); break;
    default: break;
    }
    if (changed) Restyle(dlg);
}

void UpdateLanguage(HWND dlg) {
    SetWindowTextA(dlg, UiText(kTextCaption, "Keyloom Style").c_str());
    SetDlgItemTextA(dlg, lblIntro,
                    UiText(kTextIntro, "Here you can configure the Style that Keyloom uses. Doubleclick on the item you wish "
                                "to change.").c_str());
    SetDlgItemTextA(dlg, btnOK, UiText(kTextOk, "&OK").c_str());
    SetDlgItemTextA(dlg, btnCancel, UiText(kTextCancel, "&Cancel").c_str());
    SetDlgItemTextA(dlg, btnReset, UiText(kTextReset, "&Reset").c_str());
    HWND list = GetDlgItem(dlg, lbItems);
    const LRESULT at = SendMessageA(list, LB_GETCURSEL, 0, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const Entry& e : kItems) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(UiText(e.text, e.fallback).c_str()));
    SendMessageA(list, LB_SETCURSEL, at < 0 ? 0 : at, 0);
}

// The edit items are shown in the edit font and colours, the others in the main ones.
void DrawItem(const DRAWITEMSTRUCT& d) {
    if (d.itemID == static_cast<UINT>(-1)) return;
    const Style& s = CurrentStyle();
    const bool edit = d.itemID >= static_cast<UINT>(lblEditFontStyle);
    FillRect(d.hDC, &d.rcItem, UniqueBrush(CreateSolidBrush(PaintColour(edit ? s.editBackground : s.background))).get());
    char text[256] = {};
    SendMessageA(d.hwndItem, LB_GETTEXT, d.itemID, reinterpret_cast<LPARAM>(text));
    HGDIOBJ old = SelectObject(d.hDC, edit ? StyleEditFont() : StyleFont());
    SetBkMode(d.hDC, TRANSPARENT);
    SetTextColor(d.hDC, PaintColour(edit ? s.edit.colour : s.font.colour));
    RECT rc = d.rcItem;
    rc.left += 4;
    DrawTextA(d.hDC, text, -1, &rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(d.hDC, old);
    if (d.itemState & ODS_SELECTED) {
        RECT frame = d.rcItem;
        InflateRect(&frame, -1, -1);
        FrameRect(d.hDC, &frame, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    }
    if (d.itemState & ODS_FOCUS) DrawFocusRect(d.hDC, &d.rcItem);
}

class StyleDialog : public DialogBase {
protected:
    bool TakesCreationMessages() const override { return true; }  // the item height
    DialogTemplate BuildTemplate() override {
        DialogTemplate t("Keyloom Style", 220, 190);
        t.Item(SS_LEFT, 7, 7, 206, 26, lblIntro, kStaticClass, "");
        t.Item(LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_WANTKEYBOARDINPUT | LBS_NOINTEGRALHEIGHT |
                   WS_BORDER | WS_TABSTOP | WS_VSCROLL,
               7, 36, 206, 126, lbItems, kListBoxClass, "");
        t.Item(BS_PUSHBUTTON | WS_TABSTOP, 7, 169, 55, 14, btnReset, kButtonClass, "");
        t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 99, 169, 55, 14, btnOK, kButtonClass, "");
        t.Item(BS_PUSHBUTTON | WS_TABSTOP, 158, 169, 55, 14, btnCancel, kButtonClass, "");
        return t;
    }

    INT_PTR Proc(UINT msg, WPARAM wp, LPARAM lp) override {
        HWND dlg = dlg_;
        switch (msg) {
        case WM_INITDIALOG:
            SetWindowContextHelpId(dlg, help::kStyle);
            UpdateLanguage(dlg);
            ApplyStyleToForm(dlg);
            SetFocus(GetDlgItem(dlg, lbItems));
            if (TfrmSkins::OnShow()) TfrmSkins::OnShow()(dlg);
            return FALSE;
        case WM_MEASUREITEM: {
            auto& m = *reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
            m.itemHeight = 24;
            return TRUE;
        }
        case WM_DRAWITEM:
            DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
            return TRUE;
        case WM_VKEYTOITEM:
            if (LOWORD(wp) == VK_RETURN || LOWORD(wp) == VK_SPACE) {
                EditItem(dlg, HIWORD(wp));
                return -2;
            }
            return -1;
        case WM_COMMAND:
            switch (LOWORD(wp)) {
            case lbItems:
                if (HIWORD(wp) == LBN_DBLCLK)
                    EditItem(dlg, static_cast<int>(SendDlgItemMessageA(dlg, lbItems, LB_GETCURSEL, 0, 0)));
                return TRUE;
            case btnReset:
                CurrentStyle() = TfrmSkins::ResetStyle();
                Restyle(dlg);
                return TRUE;
            case btnOK:
                if (!SaveStyle(CurrentStyle()))
                    MessageBoxA(dlg, UiText(kTextNotStored, "The style could not be stored.").c_str(), MessageCaption().c_str(),
                                MB_OK | MB_ICONEXCLAMATION);
                End(DialogResult::Ok);
                return TRUE;
            case btnCancel:
                End(DialogResult::Cancel);  // the changes stay in use until the program ends
                return TRUE;
            default:
                return FALSE;
            }
        default:
            return FALSE;
        }
    }
};

}  // namespace

std::function<void(HWND)>& TfrmSkins::OnShow() {
    static std::function<void(HWND)> hook;
    return hook;
}

Style TfrmSkins::ResetStyle(const std::function<bool(const std::string&)>& installed) {
    Style s;
    s.font.name = installed("Verdana") ? "Verdana" : installed("MS Sans Serif") ? "MS Sans Serif" : "Times New Roman";
    s.edit = s.font;
    s.edit.colour = 0;
    s.editBackground = kSystemWindowColour;
    return s;
}

DialogResult ShowStyleDialog(HWND owner) {
    StyleDialog dialog;
    return dialog.ShowModal(owner);
}

}  // namespace kl
