// File > Settings > Import in the running program, the file chosen in its open dialog:
// imported options that change the mode or the tray icon take effect as after a profile
// switch, and an import never takes the profile past the hotkeys a settings load reads.
#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <string>

#include "model/hotkey_store.h"
#include "model/key_remap_table.h"
#include "options_fixture.h"
#include "testing/temp_dir.h"
#include "window/exchange_ids.h"

using namespace kl;
using namespace kl::testing;

namespace {

constexpr char kImportCaption[] = "Import from";  // text 211

// True when the notification area holds the program's icon: changing the tip of an
// icon that is not there fails.
bool TrayHasIcon(HWND owner, UINT id) {
    NOTIFYICONDATAA data{};
    data.cbSize = 88;
    data.hWnd = owner;
    data.uID = id;
    data.uFlags = NIF_TIP;
    std::strcpy(data.szTip, "Keyloom");
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

class Import : public OptionsTest {
protected:
    TempDir dir_;
    std::string skipped_;  // what the import dialog said it left out

    // Chooses `file` in the program's open dialog, then OK in the import dialog; the
    // boxes the import shows on the way are answered with OK, their texts returned.
    std::string ImportFile(const std::string& file) {
        PostCommand(ids::mnImportSettings);
        HWND open = WaitForOwnWindow("Open");
        if (!open) return "no open dialog";
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        PollUntil([&] { return GetGUIThreadInfo(GetWindowThreadProcessId(open, nullptr), &info) && info.hwndFocus; });
        const std::string path = dir_.path() + file;
        SendMessageA(info.hwndFocus, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        PostMessageA(open, WM_COMMAND, IDOK, 0);
        HWND dialog = WaitForOwnWindow((std::string(kImportCaption) + " " + path).c_str());
        if (!dialog) return "no import dialog";
        skipped_ = WindowText(GetDlgItem(dialog, 102));
        PostClick(dialog, IDOK);
        std::string said;
        PollUntil([&] {
            if (HWND box = FindWindowA("#32770", "Keyloom")) {
                said += WindowText(GetDlgItem(box, 0xFFFF));
                PostClick(box, IDOK);
                PollUntil([&] { return !IsWindow(box); });
            }
            return !IsWindow(dialog);
        });
        DWORD_PTR ignored = 0;  // answered once the program is back in its main loop
        SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
        return said;
    }
};

}  // namespace

TEST_F(Import, AnotherModeAndTheTrayIconTakeEffectAndTheImportedHotkeyWorks) {
    Options(true);
    dir_.Write("advanced.ini",
               "[Settings]\r\nSimpleMode=0\r\nNoSysTray=0\r\n[Hotkeys]\r\n77=1;\r\n"
               "[Hotkeys\\HotKey1]\r\nKey=77\r\nModifier=3\r\nDescription=minimise\r\nFunction=35;\r\n");
    Start();
    ASSERT_EQ(b().HooksInstalled, 0);
    ASSERT_FALSE(TrayHasIcon(main_, b().NotifyMessage));
    EXPECT_EQ(ImportFile("advanced.ini"), "");

    EXPECT_EQ(b().SimpleMode, 0);
    EXPECT_NE(b().KeyloomEnabled, 0);
    EXPECT_NE(b().HooksInstalled, 0) << "hook mode was not switched on";
    EXPECT_TRUE(TrayHasIcon(main_, b().NotifyMessage));
    TargetProgram target;
    ASSERT_TRUE(target.ready());
    PressCombination('M', kCtrl | kAlt);
    EXPECT_TRUE(PollUntil([&] { return target.Logged("size 1"); }, 15000)) << "the imported hotkey did nothing";
    EXPECT_EQ(b().LastHotkey, HotkeyStore(reg::kHotkeysKey, nullptr).FindHotkeyID('M', kCtrl | kAlt));
}

TEST_F(Import, AProfileWithTooManyHotkeysTakesNoMoreAndSaysSoWhileItsRemappingStays) {
    Options(false);
    // 300 hotkeys in the index, more than a settings load reads; and a key remapping.
    for (int key = 10; key < 40; ++key) {
        std::string list;
        for (int n = 1; n <= 10; ++n) list += std::to_string((key - 10) * 10 + n) + ";";
        SetString(reg::kHotkeysKey, std::to_string(key).c_str(), list);
    }
    SetString(reg::kHotkeysKey, "MaxKeyID", "300");
    KeyRemapTable mapping{};
    AddKeyMap(mapping, 'A', static_cast<int>(MapVirtualKeyA('A', 0)), 0, static_cast<int>(MapVirtualKeyA('B', 0)), 'B');
    ASSERT_TRUE(WriteProgramValue(reg::kHotkeysKey, mapping));
    dir_.Write("one.ini",
               "[Settings]\r\nMKSpeed=9\r\n[Hotkeys]\r\n77=1;\r\n"
               "[Hotkeys\\HotKey1]\r\nKey=77\r\nModifier=3\r\nFunction=35;\r\n");
    app_ = std::make_unique<KeyloomProcess>();
    EXPECT_EQ(AnswerBox("Keyloom", IDOK), "too many hotkeys");  // said at the start
    main_ = app_->WaitForWindow();
    ASSERT_NE(main_, nullptr);
    ASSERT_TRUE(PollUntil([&] { return b().KeyloomEnabled != 0 && b().HooksInstalled != 0; }));
    ASSERT_EQ(b().KeyRemap.Count, 1);

    const std::string said = ImportFile("one.ini");
    EXPECT_NE(skipped_.find("no room"), std::string::npos) << skipped_;
    EXPECT_NE(said.find("too many hotkeys"), std::string::npos) << "the failed reload was not reported: " << said;
    EXPECT_EQ(HotkeyStore(reg::kHotkeysKey, nullptr).CountHotkeys(), 300);
    EXPECT_EQ(GetText(BaseKey(), "MKSpeed").value_or(""), "9");
    EXPECT_EQ(b().KeyRemap.Count, 1) << "the reload lost the key remapping";
    EXPECT_NE(b().HooksInstalled, 0);
}
