// The editor's key capture without the editor: its hook and the two options it switches,
// the scan code and the Windows keys through EditKbdHookProc, and keys pressed in the
// controls it subclasses.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <vector>

#include "dialogs/key_capture.h"

using namespace kl;

namespace {

class RecordingTarget : public KeyCaptureTarget {
public:
    std::vector<int> keys, modifiers;
    int modified = 0;
    bool acceptKeys = true;
    bool SelectKey(int code) override {
        keys.push_back(code);
        return acceptKeys;
    }
    void SelectModifier(int set) override { modifiers.push_back(set); }
    void MarkModified() override { ++modified; }
};

class KeyCaptureTest : public ::testing::Test {
protected:
    std::unique_ptr<SettingsBlock> block_ = std::make_unique<SettingsBlock>();
    RecordingTarget target_;
    KeyCapture capture_{target_, [this] { return block_.get(); }};
    HWND parent_ = nullptr, keyField_ = nullptr, keyList_ = nullptr, modifierList_ = nullptr, other_ = nullptr;

    void SetUp() override {
        *block_ = SettingsBlock{};
        parent_ = CreateWindowExA(0, "STATIC", "capture", WS_POPUP | WS_VISIBLE, 0, 0, 200, 120, nullptr, nullptr,
                                  nullptr, nullptr);
        auto child = [&](const char* cls, DWORD style, int y) {
            return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 0, y, 150, 20, parent_,
                                   nullptr, nullptr, nullptr);
        };
        keyField_ = child("EDIT", ES_READONLY, 0);
        keyList_ = child("COMBOBOX", CBS_DROPDOWNLIST, 25);
        modifierList_ = child("COMBOBOX", CBS_DROPDOWNLIST, 50);
        other_ = child("EDIT", 0, 75);
        SetForegroundWindow(parent_);
    }
    void TearDown() override {
        capture_.Stop();
        capture_.Detach();
        DestroyWindow(parent_);
    }
    static void Press(HWND control, WPARAM vk) {
        SendMessageA(control, WM_KEYDOWN, vk, 1);
        SendMessageA(control, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
    }
};

}  // namespace

TEST_F(KeyCaptureTest, StartSwitchesTheOptionsAndStopPutsThemBack) {
    block_->WinKeyEnabled = kTrue;
    EXPECT_TRUE(capture_.Start());
    EXPECT_TRUE(capture_.Installed());
    EXPECT_EQ(block_->WinKeyEnabled, kFalse);
    EXPECT_NE(block_->HotkeysSuspended, 0);
    // Started again (the dialog activated twice), the saved value stays the first one.
    EXPECT_TRUE(capture_.Start());
    EXPECT_TRUE(capture_.Stop());
    EXPECT_FALSE(capture_.Installed());
    EXPECT_EQ(block_->WinKeyEnabled, kTrue);
    EXPECT_EQ(block_->HotkeysSuspended, 0);
    // A Windows key option that was off stays off; stopping twice changes nothing.
    block_->WinKeyEnabled = kFalse;
    capture_.Start();
    capture_.Stop();
    EXPECT_TRUE(capture_.Stop());
    EXPECT_EQ(block_->WinKeyEnabled, kFalse);
}

TEST_F(KeyCaptureTest, WorksWithoutABlock) {
    RecordingTarget target;
    KeyCapture capture(target, [] { return static_cast<SettingsBlock*>(nullptr); });
    EXPECT_TRUE(capture.Start());
    EXPECT_TRUE(capture.Stop());
}

TEST_F(KeyCaptureTest, TheHookKeepsTheScanCodeAndSwallowsTheWindowsKeys) {
    // Not attached: the hook passes everything on.
    EXPECT_EQ(EditKbdHookProc(HC_ACTION, VK_LWIN, 0x015B0001), 0);
    capture_.Attach(keyField_, keyList_, modifierList_);
    capture_.Start();
    EditKbdHookProc(HC_ACTION, 255, (0x5F << 16) | 1);
    EXPECT_EQ(capture_.LastScanCode(), 0x5F);
    const LPARAM down = 0x015B0001, up = static_cast<LPARAM>(0xC15B0001u);
    SetFocus(modifierList_);
    ASSERT_EQ(GetFocus(), modifierList_);
    EXPECT_EQ(EditKbdHookProc(HC_ACTION, VK_LWIN, down), 1);
    EXPECT_EQ(capture_.HeldModifiers() & 8, 8);
    EXPECT_EQ(EditKbdHookProc(HC_ACTION, VK_LWIN, down), 1);  // the repeat chooses nothing more
    EXPECT_EQ(EditKbdHookProc(HC_ACTION, VK_LWIN, up), 1);
    EXPECT_EQ(capture_.HeldModifiers() & 8, 0);
    EXPECT_EQ(target_.modifiers, std::vector<int>{8});
    // Elsewhere swallowed too, but nothing is chosen.
    SetFocus(other_);
    EXPECT_EQ(EditKbdHookProc(HC_ACTION, VK_RWIN, down), 1);
    EXPECT_EQ(EditKbdHookProc(HC_ACTION, VK_RWIN, up), 1);
    EXPECT_EQ(target_.modifiers.size(), 1u);
    // Other keys go on.
    EXPECT_EQ(EditKbdHookProc(HC_ACTION, 'A', 0x001E0001), 0);
}

TEST_F(KeyCaptureTest, KeysPressedInTheControlsChooseTheKeyOrTheModifier) {
    capture_.Attach(keyField_, keyList_, modifierList_);
    Press(keyField_, 'A');
    EXPECT_EQ(target_.keys, std::vector<int>{'A'});
    EXPECT_EQ(target_.modified, 1);
    // The dialog keys stay the dialog's.
    Press(keyField_, VK_TAB);
    Press(keyList_, VK_ESCAPE);
    EXPECT_EQ(target_.keys.size(), 1u);
    const MSG tab{keyField_, WM_KEYDOWN, VK_TAB, 1, 0, {}};
    EXPECT_FALSE(SendMessageA(keyField_, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&tab)) & DLGC_WANTALLKEYS);
    const MSG a{keyField_, WM_KEYDOWN, 'A', 1, 0, {}};
    EXPECT_TRUE(SendMessageA(keyField_, WM_GETDLGCODE, 'A', reinterpret_cast<LPARAM>(&a)) & DLGC_WANTALLKEYS);
    // A key no line may be chosen for changes nothing.
    target_.acceptKeys = false;
    Press(keyList_, VK_F2);
    EXPECT_EQ(target_.keys.back(), VK_F2);
    EXPECT_EQ(target_.modified, 1);
    // Shift, Ctrl and Alt in the modifier list choose their sets; other keys are its own.
    Press(modifierList_, VK_SHIFT);
    Press(modifierList_, VK_CONTROL);
    SendMessageA(modifierList_, WM_SYSKEYDOWN, VK_MENU, 0x20000001);
    EXPECT_EQ(target_.modifiers, (std::vector<int>{4, 2, 1}));
    Press(modifierList_, 'B');
    EXPECT_EQ(target_.keys.back(), VK_F2);
}

TEST_F(KeyCaptureTest, TheSubclassGoesWithItsControl) {
    capture_.Attach(keyField_, keyList_, modifierList_);
    EXPECT_EQ(KeyCapture::Attached(), &capture_);
    DestroyWindow(keyField_);
    Press(keyList_, 'C');
    EXPECT_EQ(target_.keys, std::vector<int>{'C'});
    capture_.Detach();
    EXPECT_EQ(KeyCapture::Attached(), nullptr);
    Press(keyList_, 'D');
    EXPECT_EQ(target_.keys.size(), 1u);
}
