// A macro saved to a file, cleared and loaded again; hostile macro files leaving the
// loaded macro as it was; and the options and hotkeys of one profile exported to a file
// and imported into an empty one, against the real registry and files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "char_substitution.h"
#include "model/file_output.h"
#include "model/hotkey_store.h"
#include "model/macro_files.h"
#include "model/profile_keys.h"
#include "model/registry_helpers.h"
#include "model/settings_exchange.h"
#include "text_file.h"
#include "dialogs/import_dialog.h"
#include "testing/registry.h"
#include "testing/temp_dir.h"
#include "text255.h"

using namespace kl;
using namespace kl::testing;

namespace {

std::unique_ptr<SettingsBlock> RecordedMacro(int events) {
    auto b = std::make_unique<SettingsBlock>();
    std::memset(b.get(), 0, sizeof *b);
    SetText255(b->MacroName, "Recorded");
    b->MacroLength = events;
    for (int i = 0; i < kMacroEventCapacity; ++i)
        b->MacroEvents[i] = MacroEvent{0x100u + (i % 2), static_cast<std::uint32_t>(65 + i % 26),
                                       0xC01E0001u + static_cast<std::uint32_t>(i), 0x40000000u | static_cast<std::uint32_t>(i),
                                       0x80000000u + static_cast<std::uint32_t>(i)};
    return b;
}

// A disk that fills up during the write: half of the first piece goes on, then nothing.
int g_writes = 0;
BOOL WINAPI DiskFullWrite(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped) {
    if (g_writes++ == 0 && size > 1) return WriteFile(file, data, size / 2, written, overlapped);
    *written = 0;
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (found.cFileName[0] != '.') names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

// Macro files, exchange files and the report: a failed write leaves the file it would
// have replaced byte for byte, and no other file behind.
TEST(FileOutput, AWriteThatFailsLeavesTheOldFileAsItWas) {
    TempDir dir;
    const std::string path = dir.path() + "target.ini";
    const std::string old = "[notes]\r\nkeep=this\r\n[macro]\r\nname=older\r\ncount=0\r\n";
    const auto block = RecordedMacro(40);
    ExchangeItem setting;
    setting.kind = kExchangeSetting;
    setting.optionName = "MKSpeed";
    setting.value = "7";
    const std::vector<ExchangeItem> items(30, setting);
    const std::function<bool()> writers[] = {
        [&] { return SaveMacroFile(path, *block).empty(); },
        [&] { return WriteExchangeToFile(path, items).empty(); },
        [&] { return WriteWholeFile(path, std::string(5000, 'r')); },
    };
    for (std::size_t w = 0; w < std::size(writers); ++w) {
        SCOPED_TRACE(w);
        dir.Write("target.ini", old);
        g_writes = 0;
        SetFileWriteCall(DiskFullWrite);
        EXPECT_FALSE(writers[w]());
        SetFileWriteCall(nullptr);
        EXPECT_GT(g_writes, 0);
        std::string contents;
        ASSERT_TRUE(ReadWholeFile(path, contents));
        EXPECT_EQ(contents, old);
        EXPECT_EQ(FilesIn(dir.path()), std::vector<std::string>{"target.ini"});

        ASSERT_TRUE(writers[w]());
        ASSERT_TRUE(ReadWholeFile(path, contents));
        EXPECT_NE(contents, old);
        EXPECT_EQ(FilesIn(dir.path()), std::vector<std::string>{"target.ini"});
    }
    // A new file is made the same way; a folder that does not exist takes nothing.
    EXPECT_TRUE(WriteWholeFile(dir.path() + "new.txt", "new"));
    EXPECT_FALSE(WriteWholeFile(dir.path() + "missing\\new.txt", "new"));
    EXPECT_EQ(FilesIn(dir.path()), (std::vector<std::string>{"new.txt", "target.ini"}));
}

TEST(MacroFiles, SavedClearedAndLoadedGivesTheSameEventsByteForByte) {
    TempDir dir;
    const std::string path = dir.path() + "macro.ini";
    dir.Write("macro.ini", "[notes]\r\nkeep=this\r\n");
    auto b = RecordedMacro(kMacroEventCapacity);
    const auto saved = std::make_unique<SettingsBlock>(*b);
    ASSERT_EQ(SaveMacroFile(path, *b), "");
    std::memset(b->MacroEvents, 0, sizeof b->MacroEvents);
    b->MacroLength = 0;
    SetText255(b->MacroName, "");
    b->MacroRepeat = 5;
    ASSERT_EQ(LoadMacroFile(path, *b), "");
    EXPECT_EQ(b->MacroLength, kMacroEventCapacity);
    EXPECT_EQ(GetText255(b->MacroName), "Recorded");
    EXPECT_EQ(b->MacroRepeat, 0);
    EXPECT_EQ(0, std::memcmp(b->MacroEvents, saved->MacroEvents, sizeof b->MacroEvents));
    std::string contents;
    ASSERT_TRUE(ReadWholeFile(path, contents));
    EXPECT_EQ(contents.rfind("[notes]\r\nkeep=this\r\n", 0), 0u) << "other content of the file is kept";
}

TEST(MacroFiles, AHostileFileLeavesTheLoadedMacroIntact) {
    TempDir dir;
    auto b = RecordedMacro(3);
    const auto before = std::make_unique<SettingsBlock>(*b);
    const char* files[] = {
        "[macro]\r\ncount=5000\r\n0=1;2;3;4;5\r\n",           // beyond the event area
        "[macro]\r\ncount=-3\r\n",                             // negative
        "[macro]\r\ncount=2\r\n0=256;65;0;0;0\r\n1=256;65\r\n",  // truncated event
        "[macro]\r\ncount=2\r\n0=256;65;0;0;0\r\n",            // missing key
        "[macro]\r\ncount=1\r\n0=256;65;0;0;99999999999\r\n",  // too large a value
        "MZ\x90\x00\x03",                                     // not a macro at all
    };
    int n = 0;
    for (const char* contents : files) {
        const std::string name = "bad" + std::to_string(n++) + ".ini";
        dir.Write(name, contents);
        EXPECT_NE(LoadMacroFile(dir.path() + name, *b), "") << contents;
        EXPECT_EQ(0, std::memcmp(b.get(), before.get(), sizeof *b)) << contents;
    }
    EXPECT_NE(LoadMacroFile(dir.path() + "missing.ini", *b), "");
    b->JournalMode = 2;  // a playback runs
    dir.Write("good.ini", "[macro]\r\ncount=0\r\n");
    EXPECT_NE(LoadMacroFile(dir.path() + "good.ini", *b), "");
    b->JournalMode = 0;
    EXPECT_EQ(LoadMacroFile(dir.path() + "good.ini", *b), "");
    EXPECT_EQ(b->MacroLength, 0);
}

class SettingsExchange : public ::testing::Test {
protected:
    CleanRegistry clean_;
    TempDir dir_;
    const ProfileKeys from_ = KeysForProfile("");
    const ProfileKeys to_ = KeysForProfile("Empty");

    static std::string Value(const std::string& key, const char* name) {
        return registry::ReadText(key, name, "<missing>", registry::kWholeText);
    }
    static std::string Sub(const ProfileKeys& keys, int id) { return keys.hotkeys + "HotKey" + std::to_string(id) + "\\"; }
};

TEST_F(SettingsExchange, ExportedFromOneProfileAndImportedIntoAnEmptyOneGivesTheSameValues) {
    const std::string longParameter = std::string(200, 'x') + "\xFF" + std::string(53, 'y') + "\xFF";
    ASSERT_EQ(longParameter.size(), 255u);
    HotkeyStore source(from_.hotkeys, nullptr);
    ASSERT_EQ(source.StoreHotkey(12, 65, 3, 160, "semi;colon; description", longParameter).error, "");
    ASSERT_EQ(source.StoreHotkey(40, 65, 6, 1, "second", "notepad.exe").error, "");
    ASSERT_EQ(source.StoreHotkey(41, 300, 0, 12, "  padded  ", " spaced ").error, "");
    registry::WriteText(from_.main, "MKSpeed", "7");
    registry::WriteText(from_.main, "SimpleMode", "1");
    registry::WriteText(from_.main, "Language", "");  // empty: neither listed nor written

    const ExchangeRead exported = ReadExchangeFromRegistry(from_);
    EXPECT_TRUE(exported.skipped.empty());
    ASSERT_EQ(exported.items.size(), 5u);
    const std::string file = dir_.path() + "settings.ini";
    ASSERT_EQ(WriteExchangeToFile(file, exported.items), "");

    registry::WriteText(to_.hotkeys, "MaxKeyID", "57");
    const ExchangeRead read = ReadExchangeFromFile(file, to_, {});
    EXPECT_TRUE(read.skipped.empty());
    ASSERT_EQ(read.items.size(), 5u);
    ASSERT_EQ(WriteExchangeToRegistry(to_, nullptr, read.items), "");

    EXPECT_EQ(Value(to_.hotkeys, "65"), "58;59;");
    EXPECT_EQ(Value(to_.hotkeys, "255"), "60;");
    const std::pair<int, int> pairs[] = {{12, 58}, {40, 59}, {41, 60}};
    for (const auto& [was, now] : pairs)
        for (const char* name : {"Key", "Modifier", "Description", "Function"})
            EXPECT_EQ(Value(Sub(to_, now), name), Value(Sub(from_, was), name)) << name << " of " << was;
    EXPECT_EQ(UnscrambleFunction(Value(Sub(to_, 58), "Function")), "160;" + longParameter);
    EXPECT_EQ(Value(to_.main, "MKSpeed"), "7");
    EXPECT_EQ(Value(to_.main, "SimpleMode"), "1");
    EXPECT_EQ(Value(to_.main, "Language"), "<missing>");
}

TEST_F(SettingsExchange, AConflictingHotkeyIsShownAsSuchAndLeavesTheExistingOneAlone) {
    HotkeyStore source(from_.hotkeys, nullptr);
    ASSERT_EQ(source.StoreHotkey(1, 70, 2, 1, "clash", "a").error, "");
    ASSERT_EQ(source.StoreHotkey(2, 71, 2, 1, "free", "b").error, "");
    const std::string file = dir_.path() + "conflict.ini";
    ASSERT_EQ(WriteExchangeToFile(file, ReadExchangeFromRegistry(from_).items), "");

    HotkeyStore target(to_.hotkeys, nullptr);
    const int existing = target.StoreHotkey(-1, 70, 2, 5, "mine", "keep").id;
    const ExchangeRead read = ReadExchangeFromFile(file, to_, {});
    ASSERT_EQ(read.items.size(), 2u);
    EXPECT_EQ(read.items[0].kind, kExchangeConflict);
    EXPECT_EQ(read.items[1].kind, kExchangeHotkey);
    ASSERT_EQ(WriteExchangeToRegistry(to_, nullptr, read.items), "");
    EXPECT_EQ(target.FindHotkeyID(70, 2), existing);
    EXPECT_EQ(Value(Sub(to_, existing), "Description"), "mine");
    EXPECT_EQ(Value(to_.hotkeys, "70"), std::to_string(existing) + ";");
    EXPECT_GT(target.FindHotkeyID(71, 2), existing);
}

TEST_F(SettingsExchange, BadItemsOfAFileAreSkippedWithTheirReasonAndTheRestImports) {
    dir_.Write("mixed.ini",
               "[Settings]\r\nMKSpeed=9\r\nWinD=yes\r\n[Hotkeys]\r\n66=1;1;2;\r\n67=3;\r\n"
               "[Hotkeys\\HotKey1]\r\nKey=66\r\nModifier=1\r\nFunction=1;ok\r\n"
               "[Hotkeys\\HotKey2]\r\nKey=66\r\nModifier=1\r\nFunction=999;x\r\n"
               "[Hotkeys\\HotKey3]\r\nKey=67\r\nModifier=1\r\nFunction=1\r\n");
    const ExchangeRead read = ReadExchangeFromFile(dir_.path() + "mixed.ini", to_, {});
    EXPECT_EQ(read.skipped.size(), 4u);
    ASSERT_EQ(read.items.size(), 2u);
    ASSERT_EQ(WriteExchangeToRegistry(to_, nullptr, read.items), "");
    EXPECT_EQ(Value(to_.main, "MKSpeed"), "9");
    EXPECT_EQ(Value(to_.main, "WinD"), "<missing>");
    EXPECT_EQ(Value(to_.hotkeys, "66"), "1;");

    dir_.Write("other.ini", "[macro]\r\ncount=0\r\n");
    const ExchangeRead other = ReadExchangeFromFile(dir_.path() + "other.ini", to_, {});
    EXPECT_TRUE(other.refused);
    EXPECT_TRUE(other.items.empty());
}

// TfrmImport as the user meets it: the file's items listed, the clash marked, the
// reasons for what was left out shown; Remove takes an item out and OK writes the rest.
TEST_F(SettingsExchange, TheImportDialogListsRemovesAndWritesWhatIsLeft) {
    dir_.Write("dialog.ini",
               "[Settings]\r\nMKSpeed=9\r\n[Hotkeys]\r\n70=1;2;\r\n71=3;\r\n72=4;\r\n"
               "[Hotkeys\\HotKey1]\r\nKey=70\r\nModifier=2\r\nDescription=a;b\r\nFunction=1;x\r\n"
               "[Hotkeys\\HotKey2]\r\nKey=70\r\nModifier=4\r\nDescription=taken\r\nFunction=1;y\r\n"
               "[Hotkeys\\HotKey3]\r\nKey=71\r\nModifier=2\r\nDescription=removed\r\nFunction=1;z\r\n"
               "[Hotkeys\\HotKey4]\r\nKey=72\r\nModifier=2\r\nFunction=nothing\r\n");
    HotkeyStore target(to_.hotkeys, nullptr);
    const int existing = target.StoreHotkey(-1, 70, 4, 5, "mine", "keep").id;
    ReportNames names;
    names.functionName = [](int id) { return "F" + std::to_string(id); };
    TfrmImport dialog(TfrmImport::Direction::Import, dir_.path() + "dialog.ini", to_, names);
    std::vector<std::string> shown;
    std::string skipped;
    TfrmImport::OnShow() = [&](HWND dlg) {
        HWND list = GetDlgItem(dlg, import_dialog::lbImport);
        for (int i = 0, n = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)); i < n; ++i)
            shown.push_back(dialog.ItemText(dialog.items().at(static_cast<std::size_t>(
                SendMessageA(list, LB_GETITEMDATA, i, 0)))));
        char text[1024] = {};
        GetDlgItemTextA(dlg, import_dialog::ebSkipped, text, sizeof text);
        skipped = (GetWindowLongA(GetDlgItem(dlg, import_dialog::ebSkipped), GWL_STYLE) & WS_VISIBLE) ? text : "";
        SendMessageA(list, LB_SETSEL, TRUE, 2);  // "removed"
        SendMessageA(dlg, WM_COMMAND, import_dialog::btnRemove, 0);
        PostMessageA(dlg, WM_COMMAND, IDOK, 0);
    };
    EXPECT_EQ(dialog.ShowModal(nullptr), DialogResult::Ok);
    TfrmImport::OnShow() = nullptr;
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0].rfind("a;b : ", 0), 0u) << shown[0];  // the description is not cut at its ";"
    EXPECT_EQ(dialog.items().size(), 3u);
    EXPECT_EQ(dialog.items()[1].kind, kExchangeConflict);
    EXPECT_NE(skipped.find("ID 4: its \"Function\" has no \";\""), std::string::npos) << skipped;
    EXPECT_EQ(target.FindHotkeyID(70, 4), existing);
    EXPECT_EQ(target.FindHotkeyID(71, 2), -1);
    EXPECT_GT(target.FindHotkeyID(70, 2), existing);
    EXPECT_EQ(Value(to_.main, "MKSpeed"), "9");
}

// However full the profile, an import never takes it past the 255 hotkeys a settings load
// reads: what does not fit is left out with its reason when the file is read, and refused
// with a message when the profile has filled up meanwhile.
TEST_F(SettingsExchange, AnImportNeverTakesTheProfilePast255Hotkeys) {
    auto list = [&](int key, int first, int count) {
        std::string ids;
        for (int n = 0; n < count; ++n) ids += std::to_string(first + n) + ";";
        registry::WriteText(to_.hotkeys, std::to_string(key), ids, registry::kWholeText);
    };
    for (int key = 10; key < 35; ++key) list(key, (key - 10) * 10 + 1, 10);  // 250 hotkeys
    registry::WriteText(to_.hotkeys, "MaxKeyID", "300");
    const HotkeyStore target(to_.hotkeys, nullptr);
    ASSERT_EQ(target.CountHotkeys(), 250);
    std::string file = "[Hotkeys]\r\n65=1;2;3;4;5;6;7;8;\r\n";
    for (int id = 1; id <= 8; ++id)
        file += "[Hotkeys\\HotKey" + std::to_string(id) + "]\r\nKey=65\r\nModifier=" + std::to_string(id) +
                "\r\nFunction=1;x\r\n";
    dir_.Write("eight.ini", file);

    const ExchangeRead read = ReadExchangeFromFile(dir_.path() + "eight.ini", to_, {});
    EXPECT_EQ(read.items.size(), 5u);
    ASSERT_EQ(read.skipped.size(), 3u);
    EXPECT_NE(read.skipped[0].find("no room"), std::string::npos) << read.skipped[0];

    list(35, 251, 3);  // the profile fills up before OK
    const std::string problems = WriteExchangeToRegistry(to_, nullptr, read.items);
    EXPECT_EQ(std::count(problems.begin(), problems.end(), '\n'), 3) << problems;
    EXPECT_NE(problems.find("not imported"), std::string::npos) << problems;
    EXPECT_EQ(target.CountHotkeys(), 255);
    EXPECT_EQ(Value(to_.hotkeys, "65"), "301;302;");
}

