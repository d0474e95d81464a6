// The dialog base: the instance reaches its messages, a modeless dialog reports its
// result when it ends, a modal one returns it, and only a dialog that asks for them
// gets the messages that come before WM_INITDIALOG.
#include <gtest/gtest.h>

#include <windows.h>

#include "ui/dialog_base.h"

using namespace kl;

namespace {

constexpr int kButton = 100;
constexpr UINT kEndWith = WM_APP + 1;

class TinyDialog : public DialogBase {
public:
    explicit TinyDialog(bool early = false) : early_(early) {}
    int messagesBeforeInit = 0;
    bool initialised = false;
    bool destroyed = false;
    DialogResult endAtInit = DialogResult::None;

protected:
    DialogTemplate BuildTemplate() override {
        DialogTemplate t("Tiny dialog", 120, 60);
        t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 10, 10, 50, 14, kButton, kButtonClass, "&Go");
        return t;
    }
    INT_PTR Proc(UINT msg, WPARAM wp, LPARAM) override {
        if (msg == WM_INITDIALOG) {
            initialised = true;
            if (endAtInit != DialogResult::None) PostMessageA(dlg_, kEndWith, static_cast<WPARAM>(endAtInit), 0);
            return TRUE;
        }
        if (!initialised) ++messagesBeforeInit;
        if (msg == kEndWith) {
            End(static_cast<DialogResult>(wp));
            return TRUE;
        }
        if (msg == WM_COMMAND && LOWORD(wp) == kButton) {
            End(DialogResult::Ok);
            return TRUE;
        }
        return FALSE;
    }
    void Destroyed() override { destroyed = true; }
    bool TakesCreationMessages() const override { return early_; }

private:
    bool early_;
};

}  // namespace

TEST(DialogBase, ModelessDialogKeepsItsResultOnceItEnds) {
    TinyDialog dialog;
    HWND dlg = dialog.ShowModeless(nullptr);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dialog.handle(), dlg);
    EXPECT_TRUE(dialog.initialised);
    EXPECT_EQ(dialog.result(), DialogResult::None);
    EXPECT_EQ(dialog.ShowModeless(nullptr), dlg);  // never a second window
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(kButton, BN_CLICKED), 0);
    EXPECT_FALSE(IsWindow(dlg));
    EXPECT_FALSE(dialog.IsOpen());
    EXPECT_TRUE(dialog.destroyed);
    EXPECT_EQ(dialog.result(), DialogResult::Ok);
}

TEST(DialogBase, ModelessDialogDestroyedFromOutsideCountsAsCancel) {
    TinyDialog dialog;
    HWND dlg = dialog.ShowModeless(nullptr);
    ASSERT_NE(dlg, nullptr);
    DestroyWindow(dlg);
    EXPECT_FALSE(dialog.IsOpen());
    EXPECT_EQ(dialog.result(), DialogResult::Cancel);
    // A dialog that goes while open takes its window with it.
    HWND second = nullptr;
    {
        TinyDialog shortLived;
        second = shortLived.ShowModeless(nullptr);
        ASSERT_NE(second, nullptr);
    }
    EXPECT_FALSE(IsWindow(second));
}

TEST(DialogBase, ModalDialogReturnsTheNamedResult) {
    TinyDialog cancelled;
    cancelled.endAtInit = DialogResult::Cancel;
    EXPECT_EQ(cancelled.ShowModal(nullptr), DialogResult::Cancel);
    EXPECT_FALSE(cancelled.IsOpen());
    TinyDialog confirmed;
    confirmed.endAtInit = DialogResult::Ok;
    EXPECT_EQ(confirmed.ShowModal(nullptr), DialogResult::Ok);
    EXPECT_EQ(static_cast<INT_PTR>(DialogResult::Ok), IDOK);
    EXPECT_EQ(static_cast<INT_PTR>(DialogResult::Cancel), IDCANCEL);
}

TEST(DialogBase, OnlyADialogThatAsksGetsTheMessagesBeforeInit) {
    TinyDialog plain(false), early(true);
    ASSERT_NE(plain.ShowModeless(nullptr), nullptr);
    ASSERT_NE(early.ShowModeless(nullptr), nullptr);
    EXPECT_EQ(plain.messagesBeforeInit, 0);
    EXPECT_GT(early.messagesBeforeInit, 0);  // WM_SETFONT at least
    plain.End(DialogResult::Cancel);
    early.End(DialogResult::Cancel);
}
