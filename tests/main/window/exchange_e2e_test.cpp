// File > Settings and the Macros menu in the running program: the printed report lists
// every hotkey and option of the active profile and is shown by a viewer of the test's
// own (no real viewer starts); it goes to the temporary folder when the data folder
// cannot take it; convert opens the editor with a new typing hotkey.
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "model/catalogue.h"
#include "system/document_viewer.h"
#include "model/language.h"
#include "model/report_lines.h"
#include "dialogs/edit_hotkey_ids.h"
#include "viewer_fixture.h"
#include "testing/child_process.h"
#include "testing/files.h"
#include "testing/message_box_answerer.h"
#include "testing/support_library.h"
#include "testing/temp_dir.h"
#include "window/control_ids.h"
#include "window/exchange_ids.h"

using namespace kl;
using namespace kl::testing;
namespace id = kl::editor_ids;

namespace {

class ExchangeEndToEnd : public ViewerEndToEnd {
protected:
    ExchangeEndToEnd() : ViewerEndToEnd(kViewerVariable) {}

    void TearDown() override {
        ViewerEndToEnd::TearDown();
        const std::string report = BinDir() + "settings_preview.txt";
        RemoveDirectoryA(report.c_str());
        DeleteFileA(report.c_str());
    }
    std::string T(int n) const { return english_.Text(n); }
    // The file the viewer was last started with ("" before the first).
    std::string Shown() const {
        std::string last = LastViewed();
        if (last.size() >= 2 && last.front() == '"') last = last.substr(1, last.size() - 2);
        return last;
    }
    static std::vector<std::string> Lines(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::vector<std::string> lines;
        std::string line;
        while (std::getline(in, line)) {
            EXPECT_TRUE(!line.empty() && line.back() == '\r') << "a line not ended by CR LF";
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }
    static bool Has(const std::vector<std::string>& lines, const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    HWND WaitForWindow(const std::string& caption) {
        DWORD pid = 0;
        GetWindowThreadProcessId(main_, &pid);
        HWND w = nullptr;
        PollUntil([&] { return (w = FindProcessWindow(pid, caption.c_str())) != nullptr; });
        return w;
    }
    static std::string TextOf(HWND w) {
        char text[512] = {};
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(w, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 2000, &ignored);
        return text;
    }
};

}  // namespace

TEST_F(ExchangeEndToEnd, TheReportListsEveryHotkeyAndOptionAndFallsBackToTheTemporaryFolder) {
    const std::string parameter = std::string("Hello") + '\xFF' + "1" + '\xFF';
    Store(65, 3, 160, parameter, "zeta greeting");
    Store(66, 2, 1, "notepad.exe", "Alpha; start");
    Start();
    Command(ids::mnPrintSettings);
    ASSERT_TRUE(PollUntil([&] { return !Shown().empty(); }, 10000)) << "no viewer was started";
    const std::string path = Shown();
    EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, path.c_str(), -1,
                             (BinDir() + "settings_preview.txt").c_str(), -1), CSTR_EQUAL) << path;
    const std::vector<std::string> lines = Lines(path);
    ASSERT_GT(lines.size(), 10u);
    EXPECT_EQ(lines[0], T(72));
    EXPECT_EQ(lines[2], T(107) + ": " + T(238));
    EXPECT_EQ(lines[4], T(73));

    Catalogue catalogue(BinDir(), [this](int n) { return T(n); });
    ReportNames names;
    names.text = [this](int n) { return T(n); };
    names.functionName = [&](int f) { return catalogue.FunctionName(f).value; };
    names.hotkeyText = [&](int k, int m) { return catalogue.HotkeyText(k, m).value; };
    // Sorted by description: "Alpha" before "zeta".
    EXPECT_EQ(lines[6], HotkeyReportLine(66, 2, 1, "Alpha; start", "notepad.exe", names));
    EXPECT_EQ(lines[7], HotkeyReportLine(65, 3, 160, "zeta greeting", parameter, names));
    EXPECT_NE(lines[7].find(" : "), std::string::npos);
    EXPECT_EQ(lines[7].substr(lines[7].size() - 2), ") ");

    // Every option control of the pages, the simple mode box checked; the bookmark
    // lines are left out in simple mode.
    EXPECT_FALSE(Has(lines, T(117) + ":"));
    const auto options = std::find(lines.begin(), lines.end(), T(75));
    const auto end = std::find(lines.begin(), lines.end(), T(80));
    ASSERT_TRUE(options != lines.end() && end != lines.end() && options < end);
    std::vector<std::string> settings;
    for (auto it = options + 2; it < end - 1; ++it) settings.push_back(*it);
    EXPECT_GE(settings.size(), 20u);
    for (const std::string& s : settings) {
        // The label padded to 45 characters (a longer one whole), ": ", the value to 10.
        const std::size_t colon = s.find(": ", 45);
        ASSERT_NE(colon, std::string::npos) << s;
        EXPECT_TRUE(colon == 45 || s.substr(0, colon).find("  ") == std::string::npos) << s;
        EXPECT_GE(s.size() - colon - 2, 10u) << s;
    }
    bool simpleMode = false, language = false;
    for (const std::string& s : settings) {
        simpleMode = simpleMode || (s.rfind(T(91), 0) == 0 && s.substr(s.size() - T(7).size()) == T(7));
        language = language || s.rfind(T(76), 0) == 0;
    }
    EXPECT_TRUE(simpleMode);
    EXPECT_TRUE(language);
    EXPECT_EQ(lines.back(), T(81));

    // A report that cannot be written in the data folder goes to the temporary folder.
    ASSERT_TRUE(DeleteFileA(path.c_str()));
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));  // no file can be written there now
    std::ofstream(log_, std::ios::trunc).close();
    Command(ids::mnPrintSettings);
    ASSERT_TRUE(PollUntil([&] { return !Shown().empty(); }, 10000));
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, Shown().c_str(), -1,
                             (std::string(temp) + "settings_preview.txt").c_str(), -1), CSTR_EQUAL) << Shown();
    EXPECT_EQ(Lines(Shown()).size(), lines.size());
    DeleteFileA(Shown().c_str());
    RemoveDirectoryA(path.c_str());
}

TEST_F(ExchangeEndToEnd, ConvertOpensTheEditorWithANewTypingHotkey) {
    Start();
    {
        MessageBoxAnswerer empty("Keyloom", {IDOK});
        Command(ids::mnConvertMacro);
        ASSERT_TRUE(PollUntil([&] { return !empty.Texts().empty(); }, 5000));
        EXPECT_EQ(empty.Stop()[0], T(108));
        ASSERT_TRUE(PollUntil([] { return FindWindowA("#32770", "Keyloom") == nullptr; }, 5000));
    }
    const MacroEvent events[] = {{0x100, 0x10, 0x2A0001, 0, 0}, {0x100, 'A', 0x1E0001, 0, 0},
                                 {0x101, 'A', 0xC01E0001, 0, 0}, {0x101, 0x10, 0xC02A0001, 0, 0},
                                 {0x100, 13, 0x1C0001, 0, 0},    {0x101, 13, 0xC01C0001, 0, 0}};
    std::copy(std::begin(events), std::end(events), b().MacroEvents);
    b().MacroLength = 6;
    Command(ids::mnConvertMacro);
    HWND dlg = WaitForWindow(T(164));
    ASSERT_NE(dlg, nullptr) << "the editor did not open";
    // Cut to the 25 characters the editor takes.
    EXPECT_TRUE(PollUntil([&] { return TextOf(GetDlgItem(dlg, id::ebDescription)) == T(102) + " (<SHIFT+a...)"; }, 3000))
        << TextOf(GetDlgItem(dlg, id::ebDescription));
    Catalogue catalogue(BinDir(), [this](int n) { return T(n); });
    EXPECT_EQ(TextOf(GetDlgItem(dlg, id::cbFunction)), catalogue.FunctionName(160).value);
    const std::string typed = TextOf(GetDlgItem(dlg, id::ebDocument)) + TextOf(GetDlgItem(dlg, id::ebParameter));
    EXPECT_NE(typed.find("<SHIFT+a><CR>"), std::string::npos) << typed;
    PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(PollUntil([&] { return !IsWindow(dlg); }, 5000));
}
