// Styles: stored and read back as a restart reads them, a stored style that names a
// missing font or an impossible colour falling back to the design values, the style
// reaching a window's controls, and the style dialog's Reset, OK and Cancel.
#include <gtest/gtest.h>

#include <windows.h>

#include "ui/dialog_template.h"
#include "model/registry_helpers.h"
#include "ui/style.h"
#include "dialogs/skins_dialog.h"
#include "testing/registry.h"

using namespace kl;
using namespace kl::testing;

namespace {

bool UsableFace(const char* face) { return face[0] && face[0] != '@'; }

int CALLBACK FirstFace(const LOGFONTA* f, const TEXTMETRICA*, DWORD, LPARAM p) {
    *reinterpret_cast<std::string*>(p) = f->lfFaceName;
    return UsableFace(f->lfFaceName) ? 0 : 1;
}

INT_PTR CALLBACK NoDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

class Styles : public ::testing::Test {
protected:
    CleanRegistry clean_;
    Style saved_ = CurrentStyle();
    void TearDown() override {
        CurrentStyle() = saved_;
        StyleChanged();
    }
    static std::string Stored(const char* name) { return registry::ReadText(kStyleKey, name, "<missing>"); }
    // A face the system has, for the checks that need a real font.
    static std::string InstalledFace() {
        for (const char* face : {"Tahoma", "Arial", "Times New Roman", "Verdana", "MS Sans Serif"})
            if (FontInstalled(face)) return face;
        // Otherwise the first family the system lists.
        LOGFONTA lf{};
        lf.lfCharSet = DEFAULT_CHARSET;
        std::string first;
        HDC dc = GetDC(nullptr);
        EnumFontFamiliesExA(dc, &lf, FirstFace, reinterpret_cast<LPARAM>(&first), 0);
        ReleaseDC(nullptr, dc);
        return first;
    }
};

bool SameFont(const FontSpec& a, const FontSpec& b) {
    return a.name == b.name && a.charset == b.charset && a.size == b.size && a.bold == b.bold && a.italic == b.italic &&
           a.underline == b.underline && a.strikeout == b.strikeout && a.colour == b.colour;
}

}  // namespace

TEST_F(Styles, AStoredStyleSurvivesARestart) {
    Style s;
    s.font = {"Courier New", 186, 11, true, true, false, true, 0x123456};
    s.background = 0x00FF00;
    s.edit = {"Arial", 0, 14, false, false, true, false, 0x80000008};
    s.editBackground = 0x80000005;
    ASSERT_TRUE(SaveStyle(s));
    EXPECT_EQ(Stored("FontStyle"), "bold+italic+strikeout");
    EXPECT_EQ(Stored("EditFontStyle"), "underline+");
    EXPECT_EQ(Stored("EditBgColor"), "2147483653");
    const Style back = LoadStyle([](const std::string&) { return true; });
    EXPECT_TRUE(SameFont(back.font, s.font));
    EXPECT_TRUE(SameFont(back.edit, s.edit));
    EXPECT_EQ(back.background, s.background);
    EXPECT_EQ(back.editBackground, s.editBackground);

    registry::WriteText(kStyleKey, "FontStyle", "bold+underline+");
    const Style bu = LoadStyle([](const std::string&) { return true; });
    EXPECT_TRUE(bu.font.bold && bu.font.underline && !bu.font.italic && !bu.font.strikeout);
}

TEST_F(Styles, AMissingFontOrAnImpossibleColourFallsBackToTheDesignValue) {
    registry::WriteText(kStyleKey, "FontName", "No Such Font Of Keyloom");
    registry::WriteText(kStyleKey, "FontColor", "99999999999");
    registry::WriteText(kStyleKey, "BgColor", "-1");
    registry::WriteText(kStyleKey, "FontSize", "0");
    registry::WriteText(kStyleKey, "FontCharset", "300");
    registry::WriteText(kStyleKey, "EditFontColor", "2147483747");  // system colour 99: none
    registry::WriteText(kStyleKey, "EditFontName", std::string(40, 'x'));
    const Style s = LoadStyle();
    const Style design;
    EXPECT_TRUE(SameFont(s.font, design.font));
    EXPECT_EQ(s.background, design.background);
    EXPECT_TRUE(SameFont(s.edit, design.edit));
    EXPECT_EQ(s.editBackground, kSystemWindowColour);  // no "EditBgColor"
    EXPECT_EQ(LoadStyle().editBackground, kSystemWindowColour);
    registry::WriteText(kStyleKey, "EditBgColor", "255");
    EXPECT_EQ(LoadStyle().editBackground, 255u);
}

TEST_F(Styles, TheStyleReachesEveryKindOfControl) {
    const std::string face = InstalledFace();
    ASSERT_FALSE(face.empty());
    CurrentStyle().font = {face, 0, 12, true, false, false, false, 0x0000FF};
    CurrentStyle().background = 0x00FF00;
    CurrentStyle().edit = {face, 0, 9, false, true, false, false, 0xFF0000};
    CurrentStyle().editBackground = 0x00FFFF;
    StyleChanged();
    DialogTemplate t("styled", 200, 120);
    t.Item(WS_BORDER, 7, 7, 100, 14, 10, kEditClass, "");
    t.Item(BS_PUSHBUTTON, 7, 25, 50, 14, 11, kButtonClass, "OK");
    t.Item(WS_BORDER | LBS_NOTIFY, 7, 45, 100, 40, 12, kListBoxClass, "");
    t.Item(SS_LEFT, 7, 90, 100, 10, 13, kStaticClass, "label");
    HWND dlg = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), t.Get(), nullptr, NoDialogProc, 0);
    ASSERT_NE(dlg, nullptr);
    ApplyStyleToForm(dlg);
    auto fontOf = [&](int id) { return reinterpret_cast<HFONT>(SendDlgItemMessageA(dlg, id, WM_GETFONT, 0, 0)); };
    EXPECT_EQ(fontOf(10), StyleEditFont());
    EXPECT_EQ(fontOf(11), StyleFont());
    EXPECT_EQ(fontOf(12), StyleFont());
    LOGFONTA lf{};
    ASSERT_TRUE(GetObjectA(StyleFont(), sizeof lf, &lf));
    EXPECT_EQ(std::string(lf.lfFaceName), face);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);

    HDC dc = GetDC(dlg);
    auto colourOf = [&](UINT msg, int id, COLORREF& text) {
        const auto brush = reinterpret_cast<HBRUSH>(
            SendMessageA(dlg, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id))));
        text = GetTextColor(dc);
        LOGBRUSH lb{};
        GetObjectA(brush, sizeof lb, &lb);
        return lb.lbColor;
    };
    COLORREF text = 0;
    EXPECT_EQ(colourOf(WM_CTLCOLOREDIT, 10, text), 0x00FFFFu);
    EXPECT_EQ(text, 0xFF0000u);
    EXPECT_EQ(colourOf(WM_CTLCOLORSTATIC, 13, text), 0x00FF00u);
    EXPECT_EQ(text, 0x0000FFu);
    EXPECT_EQ(colourOf(WM_CTLCOLORLISTBOX, 12, text), 0x00FF00u);
    ReleaseDC(dlg, dc);
    TEXTMETRICA tm{};
    HDC measure = GetDC(nullptr);
    HGDIOBJ old = SelectObject(measure, StyleFont());
    GetTextMetricsA(measure, &tm);
    SelectObject(measure, old);
    ReleaseDC(nullptr, measure);
    EXPECT_EQ(SendDlgItemMessageA(dlg, 12, LB_GETITEMHEIGHT, 0, 0), tm.tmHeight + 4);
    DestroyWindow(dlg);
}

TEST_F(Styles, ResetOkAndCancelOfTheStyleDialog) {
    const Style reset = TfrmSkins::ResetStyle([](const std::string& name) { return name == "Times New Roman"; });
    EXPECT_EQ(reset.font.name, "Times New Roman");
    EXPECT_EQ(reset.font.colour, 0xFFFFFFu);
    EXPECT_EQ(reset.edit.colour, 0u);
    EXPECT_EQ(reset.editBackground, kSystemWindowColour);

    // Cancel after a change: in use, not stored.
    TfrmSkins::OnShow() = [](HWND dlg) {
        CurrentStyle().background = 0x0000FF;
        PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    };
    EXPECT_EQ(ShowStyleDialog(nullptr), DialogResult::Cancel);
    EXPECT_EQ(CurrentStyle().background, 0x0000FFu);
    EXPECT_EQ(Stored("BgColor"), "<missing>");
    // Reset and OK: stored.
    TfrmSkins::OnShow() = [](HWND dlg) {
        SendMessageA(dlg, WM_COMMAND, skins_dialog::btnReset, 0);
        PostMessageA(dlg, WM_COMMAND, IDOK, 0);
    };
    EXPECT_EQ(ShowStyleDialog(nullptr), DialogResult::Ok);
    TfrmSkins::OnShow() = nullptr;
    EXPECT_EQ(Stored("BgColor"), std::to_string(0x808000));
    EXPECT_EQ(Stored("FontColor"), std::to_string(0xFFFFFF));
    EXPECT_EQ(Stored("EditFontColor"), "0");
}
