// Choosing German on the Options page of the running program relabels every window at
// once: the main window's pages and buttons, and the hotkey editor opened afterwards.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <set>
#include <string>
#include <vector>

#include "window_checks.h"
#include "model/language.h"
#include "testing/child_process.h"
#include "testing/keyloom_process.h"
#include "testing/registry.h"
#include "testing/support_library.h"
#include "window/control_ids.h"
#include "window/option_ids.h"

using namespace kl;
using namespace kl::testing;

namespace {

std::vector<std::string> Lines(const std::string& name) {
    Language language;
    language.SetDataDirectory(BinDir());
    language.SetLanguageFile(name);
    std::vector<std::string> lines;
    if (language.Load() != LanguageStatus::Loaded) return lines;
    for (std::size_t n = 0; n < language.LineCount(); ++n) lines.push_back(language.Text(static_cast<int>(n)));
    return lines;
}

int Position(const std::string& name) {
    Language language;
    language.SetDataDirectory(BinDir());
    const auto names = language.ListLanguages();
    for (std::size_t i = 0; i < names.size(); ++i)
        if (lstrcmpiA(names[i].c_str(), name.c_str()) == 0) return static_cast<int>(i);
    return -1;
}

class LanguageSwitch : public ::testing::Test {
protected:
    CleanRegistry clean_;
    std::vector<std::string> english_ = Lines("english"), german_ = Lines("deutsch");

    void SetUp() override {
        ASSERT_EQ(german_.size(), english_.size());
        SetString(kKeyloomKey, "NoSysTray", "1");
    }

    // The captions of every visible control on every page of the main window.
    std::vector<std::pair<HWND, std::string>> Captions(HWND main) {
        std::vector<std::pair<HWND, std::string>> captions;
        HWND tabs = FindWindowExA(main, nullptr, WC_TABCONTROLA, nullptr);
        const int pages = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
        for (int page = 0; page < pages; ++page) {
            PostMessageA(main, WM_KEYDOWN, '1' + page, 0);
            EXPECT_TRUE(PollUntil([&] { return SendMessageA(tabs, TCM_GETCURSEL, 0, 0) == page; }, 5000));
            for (HWND w : VisibleDescendants(main)) captions.emplace_back(w, WindowTextOf(w));
        }
        return captions;
    }

    // Captions still in English where German has a text of its own.
    std::vector<std::string> StillEnglish(const std::vector<std::pair<HWND, std::string>>& captions) {
        const std::set<std::string> germanTexts(german_.begin(), german_.end());
        std::vector<std::string> left;
        for (const auto& [window, text] : captions) {
            if (text.empty() || germanTexts.count(text)) continue;
            for (std::size_t n = 0; n < english_.size(); ++n)
                if (english_[n] == text && german_[n] != text) left.push_back(WindowClass(window) + " \"" + text + "\"");
        }
        return left;
    }
};

TEST_F(LanguageSwitch, ChoosingGermanRelabelsTheMainWindowAndTheEditor) {
    ASSERT_FALSE(german_.empty()) << "deutsch.lan is not installed beside the program";
    KeyloomProcess app;
    HWND main = app.WaitForWindow();
    ASSERT_NE(main, nullptr);
    ShowWindow(main, SW_SHOWNORMAL);
    const auto before = Captions(main);
    ASSERT_FALSE(StillEnglish(before).empty()) << "the program did not start in English";

    PostMessageA(main, WM_KEYDOWN, '2', 0);  // the Options page holds the language box
    HWND box = nullptr;
    ASSERT_TRUE(PollUntil([&] {
        for (HWND w : VisibleDescendants(main))
            if (GetDlgCtrlID(w) == ids::cbLanguage) box = w;
        return box != nullptr;
    }, 5000));
    const int german = Position("deutsch");
    ASSERT_GE(german, 0);
    SendMessageA(box, CB_SETCURSEL, german, 0);
    SendMessageA(GetParent(box), WM_COMMAND, MAKEWPARAM(ids::cbLanguage, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));

    const auto after = Captions(main);
    std::string left;
    for (const std::string& s : StillEnglish(after)) left += "\n  " + s;
    EXPECT_TRUE(left.empty()) << "still in English:" << left;
    bool exitButton = false;
    for (const auto& [window, text] : after) exitButton |= text == german_[13];
    EXPECT_TRUE(exitButton) << german_[13];

    PostMessageA(main, WM_COMMAND, ids::mnNewHotkey, 0);
    HWND editor = nullptr;
    ASSERT_TRUE(PollUntil([&] { return (editor = FindProcessWindow(GetProcessId(app.handle()), german_[164].c_str())); }))
        << german_[164];
    WaitForInputIdle(app.handle(), 5000);
    std::vector<std::pair<HWND, std::string>> editorCaptions;
    for (HWND w : VisibleDescendants(editor)) editorCaptions.emplace_back(w, WindowTextOf(w));
    left.clear();
    for (const std::string& s : StillEnglish(editorCaptions)) left += "\n  " + s;
    EXPECT_TRUE(left.empty()) << "editor still in English:" << left;
    PostMessageA(editor, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(PollUntil([&] { return !IsWindow(editor); }, 5000));

    // The choice is an option like any other: stored when the program ends.
    ASSERT_TRUE(app.Close());
    EXPECT_EQ(GetText(kKeyloomKey, "Language"), std::to_string(german));
}

}  // namespace
