// The main window's lists as a user meets them: the Hotkeys page shows the stored
// hotkeys, Add, Modify and Remove go through the editor and a confirmation, the header
// and the Sort by menu sort; the Aliases page adds, changes and removes an alias
// through its dialog.
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "system/app_paths.h"
#include "model/language.h"
#include "dialogs/alias_dialog.h"
#include "dialogs/edit_hotkey_ids.h"
#include "e2e_fixture.h"
#include "testing/message_box_answerer.h"
#include "testing/remote_list_view.h"
#include "testing/support_library.h"
#include "window/control_ids.h"

using namespace kl;
using namespace kl::testing;
namespace id = kl::editor_ids;

namespace {

constexpr int kTypeText = 160;
constexpr int kLogOff = 48;
constexpr char kAlias[] = "kllisttest";

// EnumChildWindows: the child whose ID is `first` goes into `second`.
BOOL CALLBACK MatchControl(HWND w, LPARAM p) {
    auto* f = reinterpret_cast<std::pair<int, HWND>*>(p);
    if (GetDlgCtrlID(w) != f->first) return TRUE;
    f->second = w;
    return FALSE;
}

class ListsEndToEnd : public EndToEnd {
protected:
    Language english_;

    void SetUp() override {
        english_.SetDataDirectory(BinDir());
        english_.SetLanguageFile("english");
        ASSERT_EQ(english_.Load(), LanguageStatus::Loaded);
        Options(true);
        DeleteAlias(std::string(kAlias) + ".exe");
    }
    void TearDown() override {
        EndToEnd::TearDown();
        DeleteAlias(std::string(kAlias) + ".exe");
    }
    std::string T(int n) const { return english_.Text(n); }

    // Starts keyloom.exe and opens its window as a second start would, on page 1 + `page`.
    void Open(int page = 0) {
        Start();
        Notify(0, -9);
        ASSERT_TRUE(PollUntil([&] { return IsWindowVisible(main_) != FALSE; }));
        if (page) {
            SetForegroundWindow(main_);
            PollUntil([&] { return GetForegroundWindow() == main_; }, 3000);
            PressCombination(static_cast<WORD>('1' + page), 0);
            ASSERT_TRUE(PollUntil([&] { return ActivePage() == page; }, 3000));
        }
    }
    int ActivePage() const {
        HWND tabs = FindWindowExA(main_, nullptr, WC_TABCONTROLA, nullptr);
        return static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
    }
    HWND Grid() const { return Child(ids::sgHotkeys); }
    HWND Aliases() const { return Child(ids::lbAliases); }
    HWND Child(int control) const {
        std::pair<int, HWND> f{control, nullptr};
        EnumChildWindows(main_, MatchControl, reinterpret_cast<LPARAM>(&f));
        return f.second;
    }
    void Click(int button) { PostMessageA(main_, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); }
    HWND WaitForDialog(const std::string& caption) {
        DWORD pid = 0;
        GetWindowThreadProcessId(main_, &pid);
        HWND dlg = nullptr;
        PollUntil([&] { return (dlg = FindProcessWindow(pid, caption.c_str())) != nullptr; });
        if (dlg && !PollUntil([&] { return GetForegroundWindow() == dlg; }, 2000)) SetForegroundWindow(dlg);
        return dlg;
    }
    static std::string TextOf(HWND w) {
        char text[512] = {};
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(w, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 2000, &ignored);
        return text;
    }
    static void Type(const std::string& letters) {
        for (const char c : letters) {
            const SHORT scan = VkKeyScanA(c);
            PressCombination(static_cast<WORD>(LOBYTE(scan)), (HIBYTE(scan) & 1) ? kShift : 0);
        }
    }
    std::vector<std::string> AliasEntries() const {
        return RemoteListBoxTexts(Aliases());
    }
};

std::vector<std::string> Sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

}  // namespace

TEST_F(ListsEndToEnd, TheGridShowsTheStoredHotkeysAndSortsByEachColumn) {
    const int a = Store('B', kCtrl | kAlt, kTypeText, std::string("zeta\xFF") + "1", "first; with a semicolon");
    const int b = Store('A', kShift, kLogOff, "", "second");
    const int c = Store(VK_F5, kCtrl, kTypeText, "alpha;beta", "Third");
    Open();
    RemoteListView grid(Grid());
    ASSERT_TRUE(PollUntil([&] { return grid.Count() == 3; }));
    std::vector<std::string> descriptions = grid.Column(1);
    EXPECT_EQ(Sorted(descriptions), Sorted({"first; with a semicolon", "second", "Third"}));
    // The ";" of a description shifts nothing: each row has its own modifier, key and function.
    for (int row = 0; row < 3; ++row) {
        if (grid.Text(row, 1) != "first; with a semicolon") continue;
        EXPECT_EQ(grid.Text(row, 0), std::to_string(a));
        EXPECT_EQ(grid.Text(row, 2), T(246 + (kCtrl | kAlt)));
        EXPECT_EQ(grid.Text(row, 3), "B");
        EXPECT_EQ(grid.Text(row, 4), T(340 + 52));  // Type text
        EXPECT_EQ(grid.Text(row, 5), "zeta");        // the first parameter only
    }
    for (int row = 0; row < 3; ++row) {
        if (grid.Text(row, 1) == "Third") {
            EXPECT_EQ(grid.Text(row, 5), "alpha;beta");
        }
    }

    // Sort by: each column, by its text.
    for (int column = 1; column <= 5; ++column) {
        PostMessageA(main_, WM_COMMAND, ids::mnSortByFirst + column - 1, 0);
        ASSERT_TRUE(PollUntil([&] {
            const auto texts = grid.Column(column);
            return texts.size() == 3 && std::is_sorted(texts.begin(), texts.end());
        }, 3000)) << "column " << column;
    }
    // A click on the "#" header sorts by number.
    SetForegroundWindow(main_);
    PollUntil([&] { return GetForegroundWindow() == main_; }, 3000);
    ClickWith(1, 0, grid.HeaderCentre(0));
    EXPECT_TRUE(PollUntil([&] {
        return grid.Column(0) == std::vector<std::string>{std::to_string(a), std::to_string(b), std::to_string(c)};
    }, 3000));
    // The next refresh shows the stored order again.
    // (Sent, not posted: a posted sort would be handled after the refresh sent next.)
    SendToMain(WM_COMMAND, ids::mnSortByFirst, 0);
    EXPECT_NE(grid.Column(1), descriptions);
    Notify(0, -9);
    EXPECT_EQ(grid.Column(1), descriptions);
}

TEST_F(ListsEndToEnd, AddModifyAndRemoveWorkThroughTheEditorAndAConfirmation) {
    Open();
    RemoteListView grid(Grid());
    ASSERT_TRUE(PollUntil([&] { return grid.Count() == 1; }));  // the empty row of an empty list
    EXPECT_EQ(grid.Text(0, 0), "");
    {
        MessageBoxAnswerer nothing(T(17), {IDOK});
        Click(ids::btnRemove);  // nothing to remove: the message, nothing else
        EXPECT_TRUE(PollUntil([&] { return !nothing.Texts().empty(); }, 5000));
    }

    // Add: the editor opens, the new hotkey becomes a row.
    Click(ids::btnAdd);
    HWND dlg = WaitForDialog(T(164));
    ASSERT_NE(dlg, nullptr) << "the editor did not open";
    ASSERT_TRUE(PollUntil([&] { return Focused(dlg) == GetDlgItem(dlg, id::ebDescription); }, 3000));
    Type("greet");
    PressCombination(VK_TAB, 0);
    PressCombination(VK_TAB, 0);
    PressCombination('G', kCtrl | kShift);
    PressCombination(VK_TAB, 0);
    PressCombination(VK_TAB, 0);
    Type("t");  // Typing
    PressCombination(VK_TAB, 0);
    PressCombination(VK_HOME, 0);
    PressCombination(VK_DOWN, 0);  // Type text
    PressCombination(VK_TAB, 0);
    Type("hi");
    PressCombination(VK_RETURN, 0);
    ASSERT_TRUE(PollUntil([&] { return !IsWindow(dlg); }, 5000)) << "the editor did not close";
    ASSERT_TRUE(PollUntil([&] { return grid.Count() == 1 && grid.Text(0, 1) == "greet"; }, 5000));
    const int id = std::stoi(grid.Text(0, 0));
    EXPECT_EQ(grid.Text(0, 3), "G");

    // Modify: Enter on the selected row opens the editor with the hotkey.
    // The editor's window goes; the click waits until the main window is in front again.
    SetForegroundWindow(main_);
    PollUntil([&] { return GetForegroundWindow() == main_; }, 3000);
    ClickWith(1, 0, grid.RowCentre(0));
    ASSERT_TRUE(PollUntil([&] { return grid.Selected() == 0; }, 3000));
    PressCombination(VK_RETURN, 0);
    dlg = WaitForDialog(T(164));
    ASSERT_NE(dlg, nullptr) << "Enter did not open the editor";
    ASSERT_TRUE(PollUntil([&] { return TextOf(GetDlgItem(dlg, id::ebDescription)) == "greet"; }, 3000));
    PressCombination(VK_END, 0);
    Type("ing");
    PressCombination(VK_RETURN, 0);
    ASSERT_TRUE(PollUntil([&] { return !IsWindow(dlg); }, 5000));
    EXPECT_TRUE(PollUntil([&] { return grid.Text(0, 1) == "greeting"; }, 5000));
    EXPECT_EQ(GetText(std::string(reg::kHotkeysKey) + "HotKey" + std::to_string(id), "Description"), "greeting");

    // Remove, answered No: everything stays.
    ASSERT_TRUE(grid.Select(0));
    {
        MessageBoxAnswerer no(T(4), {IDNO});
        Click(ids::btnRemove);
        ASSERT_TRUE(PollUntil([&] { return !no.Texts().empty(); }, 5000));
    }
    EXPECT_TRUE(GetText(std::string(reg::kHotkeysKey) + "HotKey" + std::to_string(id), "Key").has_value());
    EXPECT_EQ(grid.Text(0, 1), "greeting");
    // Yes: gone from the registry, the block and the grid.
    std::vector<std::string> asked;
    {
        MessageBoxAnswerer yes(T(4), {IDYES});
        Click(ids::btnRemove);
        PollUntil([&] { return grid.Text(0, 0).empty(); }, 5000);
        asked = yes.Stop();
    }
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_NE(asked[0].find("greeting ?"), std::string::npos) << asked[0];
    EXPECT_FALSE(GetText(std::string(reg::kHotkeysKey) + "HotKey" + std::to_string(id), "Key").has_value());
    EXPECT_EQ(b().Hotkeys[0].ID, 0);
    EXPECT_EQ(grid.Count(), 1);
}

TEST_F(ListsEndToEnd, AnAliasIsAddedChangedAndRemovedThroughItsDialog) {
    Open(4);
    const std::string program = BinDir() + "keyloom.exe";
    Click(ids::btnAdd);
    HWND dlg = WaitForDialog(T(145));
    ASSERT_NE(dlg, nullptr) << "the alias dialog did not open";
    SendMessageA(GetDlgItem(dlg, alias_dialog::ebAlias), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kAlias));
    SendMessageA(GetDlgItem(dlg, alias_dialog::ebAliasText), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(program.c_str()));
    PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_TRUE(PollUntil([&] { return !IsWindow(dlg); }, 5000));
    EXPECT_EQ(AliasPath(std::string(kAlias) + ".exe"), program);
    const std::string entry = std::string(kAlias) + ".exe";
    ASSERT_TRUE(PollUntil([&] {
        const auto entries = AliasEntries();
        return std::find(entries.begin(), entries.end(), entry) != entries.end();
    }, 3000)) << ::testing::PrintToString(AliasEntries()) << " " << SendMessageA(Aliases(), LB_GETCOUNT, 0, 0);

    // Modify: the dialog shows the stored program; a new one replaces it.
    const auto entries = AliasEntries();
    const auto index = std::find(entries.begin(), entries.end(), entry) - entries.begin();
    SendMessageA(Aliases(), LB_SETCURSEL, index, 0);
    Click(ids::btnModify);
    dlg = WaitForDialog(T(145));
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(TextOf(GetDlgItem(dlg, alias_dialog::ebAlias)), entry);
    EXPECT_EQ(TextOf(GetDlgItem(dlg, alias_dialog::ebAliasText)), program);
    const std::string other = BinDir() + "klsupport.dll";
    SendMessageA(GetDlgItem(dlg, alias_dialog::ebAliasText), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(other.c_str()));
    PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_TRUE(PollUntil([&] { return !IsWindow(dlg); }, 5000));
    EXPECT_EQ(AliasPath(entry), other);

    // Remove after the warning.
    SendMessageA(Aliases(), LB_SETCURSEL, index, 0);
    {
        MessageBoxAnswerer yes("Warning", {IDYES});
        Click(ids::btnRemove);
        ASSERT_TRUE(PollUntil([&] { return AliasPath(entry).empty(); }, 5000));
    }
    EXPECT_TRUE(PollUntil([&] {
        const auto left = AliasEntries();
        return std::find(left.begin(), left.end(), entry) == left.end();
    }, 3000));
}
