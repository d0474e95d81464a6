// The select dialog: scanning folders, resolving shortcuts and favourites, and a file of
// a test folder returned through a shortcut as the user picks it.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <set>
#include <string>

#include "dialogs/edit_hotkey_ids.h"
#include "dialogs/select_dialog.h"
#include "editor_fixture.h"
#include "testing/temp_dir.h"

using namespace kl;
using namespace kl::testing;
namespace id = kl::select_ids;

namespace {

bool MakeShortcut(const std::string& link, const std::string& target) {
    IShellLinkA* shell = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&shell))))
        return false;
    shell->SetPath(target.c_str());
    IPersistFile* file = nullptr;
    bool saved = false;
    if (SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        std::wstring wide(link.begin(), link.end());
        saved = SUCCEEDED(file->Save(wide.c_str(), TRUE));
        file->Release();
    }
    shell->Release();
    return saved;
}

class SelectDialog : public EditorFixture {
protected:
    TempDir dir_;
    std::string target_;

    void SetUp() override {
        EditorFixture::SetUp();
        dir_.MakeFolder("sub");
        dir_.Write("Target File.txt", "picked");
        dir_.Write("sub\\Other.txt", "other");
        dir_.Write("Fav.url", "[InternetShortcut]\r\nURL=http://keyloom.invalid/page\r\n");
        target_ = dir_.path() + "Target File.txt";
        ASSERT_TRUE(MakeShortcut(dir_.path() + "Link.lnk", target_));
        ASSERT_TRUE(MakeShortcut(dir_.path() + "sub\\Link.lnk", dir_.path() + "sub\\Other.txt"));
    }
};

}  // namespace

TEST_F(SelectDialog, ScanningListsEveryFileOnceWithItsFolder) {
    std::set<std::string> items;
    TfrmSelect::ScanFolder(dir_.path(), "*.*", "", items);
    TfrmSelect::ScanFolder(dir_.path(), "*.*", "", items);  // the same folder again adds nothing
    const std::string top = dir_.path(), sub = dir_.path() + "sub\\";
    EXPECT_EQ(items, (std::set<std::string>{"Fav.url;" + top + "Fav.url", "Link.lnk;" + top + "Link.lnk",
                                            "Target File.txt;" + top + "Target File.txt",
                                            "Link.lnk;" + sub + "Link.lnk", "Other.txt;" + sub + "Other.txt"}));
    EXPECT_EQ(TfrmSelect::DisplayName("Target File.txt;" + top + "Target File.txt"), "Target File");

    std::set<std::string> applets;
    TfrmSelect::ScanFolder(top, "*.url", "Control;", applets);
    EXPECT_EQ(applets, (std::set<std::string>{"Fav.url;Control;" + top + "Fav.url"}));
}

TEST_F(SelectDialog, TakingAnItemResolvesShortcutsAndFavourites) {
    const std::string top = dir_.path();
    EXPECT_EQ(TfrmSelect::ItemResult("Link.lnk;" + top + "Link.lnk", TfrmSelect::kTypedFolder), target_);
    EXPECT_EQ(TfrmSelect::ItemResult("Fav.url;" + top + "Fav.url", TfrmSelect::kFavourites),
              "http://keyloom.invalid/page");
    EXPECT_EQ(TfrmSelect::ItemResult("Target File.txt;" + target_, TfrmSelect::kDocuments), target_);
    EXPECT_EQ(TfrmSelect::ItemResult("main.cpl;Control;C:\\windows\\system32\\main.cpl", TfrmSelect::kControlPanel),
              "Control;C:\\windows\\system32\\main.cpl");
    // A shortcut that cannot be read is taken as it is.
    dir_.Write("Broken.lnk", "not a link");
    EXPECT_EQ(TfrmSelect::ItemResult("Broken.lnk;" + top + "Broken.lnk", TfrmSelect::kTypedFolder),
              top + "Broken.lnk");
}

TEST_F(SelectDialog, AFileOfATestFolderIsReturnedThroughItsShortcut) {
    TfrmSelect select;
    HWND dlg = select.ShowModeless(nullptr);
    ASSERT_NE(dlg, nullptr);
    Pump();
    EXPECT_EQ(WindowText(dlg), UiText(216));
    HWND type = GetDlgItem(dlg, id::cbType);
    EXPECT_GE(SendMessageA(type, CB_GETCOUNT, 0, 0), 6);
    EXPECT_EQ(SendMessageA(type, CB_GETCURSEL, 0, 0), 0);

    // The folder typed into ebSelected, listed by type 4.
    SetWindowTextA(GetDlgItem(dlg, id::ebSelected), dir_.path().c_str());
    SendMessageA(type, CB_SETCURSEL, TfrmSelect::kTypedFolder, 0);
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id::cbType, CBN_SELCHANGE), reinterpret_cast<LPARAM>(type));
    HWND list = GetDlgItem(dlg, id::lbList);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 5);
    const std::string item = "Link.lnk;" + dir_.path() + "Link.lnk";
    const auto at = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item.c_str()));
    ASSERT_GE(at, 0);
    SendMessageA(list, LB_SETCURSEL, at, 0);
    SetFocus(list);
    // Enter in the list takes the item, as a double click does, and keeps the dialog open.
    SendMessageA(list, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(WindowText(GetDlgItem(dlg, id::ebSelected)), target_);
    EXPECT_EQ(select.result(), DialogResult::None);

    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    Pump();
    EXPECT_EQ(select.result(), DialogResult::Ok);
    EXPECT_EQ(select.selected(), target_);
}

TEST_F(SelectDialog, ANameWithASemicolonIsKeptWhole) {
    const std::string top = dir_.path();
    ASSERT_TRUE(MakeShortcut(top + "a;b.lnk", target_));
    dir_.Write("x;y;z.txt", "semicolons");
    std::set<std::string> items;
    TfrmSelect::ScanFolder(top, "*.*", "", items);
    const std::string link = "a;b.lnk;" + top + "a;b.lnk";
    ASSERT_EQ(items.count(link), 1u);
    EXPECT_EQ(TfrmSelect::DisplayName(link), "a;b");
    EXPECT_EQ(TfrmSelect::DisplayName("x;y;z.txt;" + top + "x;y;z.txt"), "x;y;z");
    EXPECT_EQ(TfrmSelect::ItemResult(link, TfrmSelect::kTypedFolder), target_);
    EXPECT_EQ(TfrmSelect::ItemResult("x;y;z.txt;" + top + "x;y;z.txt", TfrmSelect::kDocuments), top + "x;y;z.txt");
    EXPECT_EQ(TfrmSelect::ItemResult("a;b.cpl;Control;C:\\sys\\a;b.cpl", TfrmSelect::kControlPanel),
              "Control;C:\\sys\\a;b.cpl");

    // Picked in the dialog as the user picks it.
    TfrmSelect select;
    HWND dlg = select.ShowModeless(nullptr);
    ASSERT_NE(dlg, nullptr);
    Pump();
    SetWindowTextA(GetDlgItem(dlg, id::ebSelected), top.c_str());
    HWND type = GetDlgItem(dlg, id::cbType);
    SendMessageA(type, CB_SETCURSEL, TfrmSelect::kTypedFolder, 0);
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id::cbType, CBN_SELCHANGE), reinterpret_cast<LPARAM>(type));
    HWND list = GetDlgItem(dlg, id::lbList);
    const auto at = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(link.c_str()));
    ASSERT_GE(at, 0);
    SendMessageA(list, LB_SETCURSEL, at, 0);
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id::lbList, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
    EXPECT_EQ(WindowText(GetDlgItem(dlg, id::ebSelected)), target_);
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    Pump();
}
