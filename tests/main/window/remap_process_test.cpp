// Keyboard remapping in the running program: a key typed into another program arrives
// remapped while the remapping is on, and the dialogs edit, store and undo the table.
#include <cstring>

#include "model/key_remap_table.h"
#include "model/profiles.h"
#include "dialogs/kbd_map_dialog.h"
#include "dialogs/key_map_dialog.h"
#include "options_fixture.h"
#include "testing/support_library.h"
#include "text255.h"
#include "window/control_ids.h"

using namespace kl;
using namespace kl::testing;

namespace {

constexpr char kRemapCaption[] = "Keyboard remapping";                                   // text 187
constexpr char kPickerCaption[] = "Choose the key you press and the key it should produce.";  // text 201

KeyRemapTable Mapping(int from, int to) {
    KeyRemapTable t{};
    AddKeyMap(t, from, static_cast<int>(MapVirtualKeyA(from, 0)), 0, static_cast<int>(MapVirtualKeyA(to, 0)), to);
    return t;
}

class Remapping : public OptionsTest {
protected:
    HWND OpenDialog() {
        PostCommand(ids::mnKbdSetup);
        return WaitForOwnWindow(kRemapCaption);
    }
    // Picks a pair in the key-pair picker and closes it with OK.
    // Adds the pair through the picker and waits until the dialog has put it in the table,
    // which it does after the picker has gone.
    void Pick(HWND dialog, int from, int to) {
        const std::int32_t before = b().KeyRemap.Count;
        PostClick(dialog, kbd_map_dialog::btnAdd);
        HWND picker = WaitForOwnWindow(kPickerCaption);
        ASSERT_NE(picker, nullptr);
        for (auto [list, code] : {std::pair{key_map_dialog::cbKey, from}, std::pair{key_map_dialog::cbKeyB, to}}) {
            const auto n = SendDlgItemMessageA(picker, list, CB_GETCOUNT, 0, 0);
            for (LRESULT i = 0; i < n; ++i)
                if (SendDlgItemMessageA(picker, list, CB_GETITEMDATA, i, 0) == code)
                    SendDlgItemMessageA(picker, list, CB_SETCURSEL, i, 0);
        }
        PostClick(picker, IDOK);
        ASSERT_TRUE(PollUntil([&] { return !IsWindow(picker) && b().KeyRemap.Count != before; }));
    }
    void Close(HWND dialog, int button) {
        PostClick(dialog, button);
        ASSERT_TRUE(PollUntil([&] { return !IsWindow(dialog); }));
    }
};

TEST_F(Remapping, AKeyTypedIntoAnotherProgramArrivesRemappedUntilSwitchedOff) {
    Options(false);
    SetString(BaseKey(), reg::kRemapKeys, "1");
    ASSERT_TRUE(WriteProgramValue(reg::kHotkeysKey, Mapping('A', 'B')));
    Start();
    ASSERT_EQ(b().KeyRemap.Count, 1);
    TargetProgram target;
    ASSERT_TRUE(target.ready());
    KeyDown('A');
    KeyUp('A');
    EXPECT_TRUE(PollUntil([&] { return target.Logged("up 66"); }));
    EXPECT_TRUE(target.Logged("down 66"));
    EXPECT_FALSE(target.Logged("down 65"));

    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    SendMessageA(GetDlgItem(dialog, kbd_map_dialog::cbEnabled), BM_CLICK, 0, 0);
    EXPECT_EQ(b().RemapKeys, 0);
    Close(dialog, IDOK);
    ASSERT_TRUE(target.Focus());
    KeyDown('A');
    KeyUp('A');
    EXPECT_TRUE(PollUntil([&] { return target.Logged("up 65"); }));
}

TEST_F(Remapping, TheDialogAddsStoresAndCancelUndoes) {
    Options(false);
    Start();
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    Pick(dialog, VK_SCROLL, VK_F7);
    ASSERT_EQ(b().KeyRemap.Count, 1);
    EXPECT_EQ(b().KeyRemap.Entries[0].FromVk, VK_SCROLL);
    EXPECT_EQ(b().KeyRemap.Entries[0].ToVk, VK_F7);
    Close(dialog, IDOK);
    const std::vector<std::uint8_t> expected = ProgramValue(Mapping(VK_SCROLL, VK_F7));
    const auto stored = GetValue(reg::kHotkeysKey, "Scancode Map");
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->data, std::string(expected.begin(), expected.end()));
    EXPECT_EQ(stored->data.size(), 22u);

    dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    Pick(dialog, VK_PAUSE, VK_ESCAPE);
    EXPECT_EQ(b().KeyRemap.Count, 2);
    Close(dialog, IDCANCEL);
    EXPECT_EQ(b().KeyRemap.Count, 1);
    EXPECT_EQ(b().KeyRemap.Entries[1].FromVk, 0);
}

TEST_F(Remapping, ADamagedStoredTableIsReportedAndWhatCanBeReadIsKept) {
    Options(false);
    std::vector<std::uint8_t> bytes = ProgramValue(Mapping('A', 'B'));
    bytes[8] = 200;  // a count the value does not hold
    SetValue(reg::kHotkeysKey, "Scancode Map", REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
    Start();
    PostCommand(ids::mnKbdSetup);
    EXPECT_NE(AnswerBox(kKeyloomTitle, IDOK).find("damaged"), std::string::npos);
    HWND dialog = WaitForOwnWindow(kRemapCaption);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(b().KeyRemap.Count, 1);
    Close(dialog, IDOK);
    EXPECT_EQ(GetValue(reg::kHotkeysKey, "Scancode Map")->data.size(), 22u);
}

// A mouse button has no scan code: "Make permanent" says so and names the key.
TEST_F(Remapping, AMappingTheSystemsMapCannotNameIsRefusedWithAMessage) {
    Options(false);
    ASSERT_TRUE(WriteProgramValue(reg::kHotkeysKey, Mapping(VK_LBUTTON, VK_F7)));
    Start();
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    PostClick(dialog, kbd_map_dialog::btnPermanent);
    EXPECT_NE(AnswerBox(kKeyloomTitle, IDYES).find("Windows keyboard layout"), std::string::npos);
    const std::string message = AnswerBox(kKeyloomTitle, IDOK);
    EXPECT_EQ(message.rfind("These keys have no scan code", 0), 0u) << message;
    EXPECT_NE(message.find("Left mouse button"), std::string::npos) << message;
    EXPECT_EQ(message.find("F7"), std::string::npos) << message;
    Close(dialog, IDCANCEL);
}

// A profile switch asked for while the dialog is open (function 4's notification) waits
// until it has closed: the mapping is stored with the profile it was made in.
TEST_F(Remapping, AProfileSwitchWaitsUntilTheDialogHasStoredIntoItsOwnProfile) {
    Options(false);
    ASSERT_TRUE(AddProfile("Work", BinDir()));
    const std::string work = std::string(reg::kProfilesKey) + "Work\\";
    SetString(work, reg::kSimpleMode, "0");
    SetString(work, reg::kNoSysTray, "1");
    Start();
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    Notify(1, -6);  // load the profile "Work"
    EXPECT_EQ(Text255View(b().ProfileName), "");
    Pick(dialog, VK_SCROLL, VK_F7);
    Close(dialog, IDOK);
    EXPECT_EQ(ReadProgramValue(reg::kHotkeysKey).table.Count, 1);
    EXPECT_FALSE(GetValue(work + "Hotkeys\\", "Scancode Map").has_value());
    EXPECT_TRUE(PollUntil([&] { return Text255View(b().ProfileName) == "Work"; })) << "the switch was dropped";
    EXPECT_EQ(b().KeyRemap.Count, 0);  // Work's own table
}

TEST_F(Remapping, InSimpleModeTheDialogIsNotOffered) {
    Options(true);
    Start();
    PostCommand(ids::mnKbdSetup);
    EXPECT_EQ(AnswerBox(kKeyloomTitle, IDOK), "Keyboard remapping is available only in advanced mode.");
    EXPECT_EQ(WaitForOwnWindow(kRemapCaption, 500), nullptr);
}

}  // namespace
