// Help: F1 anywhere in the program opens the manual's page for the window or control
// in front (a message filter sees the key in the main window and in every dialog), and
// the Help menu.
#include <string>

#include "ui/help_pages.h"
#include "system/library_binding.h"
#include "model/ui_language.h"
#include "dialogs/about_dialog.h"
#include "window/control_ids.h"
#include "window/main_window.h"
#include "ui/app_identity.h"

namespace kl {
namespace {

HHOOK g_helpKeyFilter = nullptr;

// F1 in a dialog box, a message box or the main window (whose loop asks IsDialogMessage).
LRESULT CALLBACK HelpKeyFilter(int code, WPARAM wp, LPARAM lp) {
    const MSG* msg = reinterpret_cast<const MSG*>(lp);
    if (code >= 0 && code != MSGF_MENU && msg && msg->message == WM_KEYDOWN && msg->wParam == VK_F1 &&
        GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0 && GetKeyState(VK_SHIFT) >= 0) {
        MainForm().Keyloomhelp(HelpContextOf(msg->hwnd));
        return 1;
    }
    return CallNextHookEx(g_helpKeyFilter, code, wp, lp);
}

}  // namespace

void TfrmMain::InstallHelpKey() {
    SetWindowContextHelpId(hwnd_, help::kMainWindow);
    if (!g_helpKeyFilter) g_helpKeyFilter = SetWindowsHookExA(WH_MSGFILTER, HelpKeyFilter, nullptr, GetCurrentThreadId());
}

void TfrmMain::RemoveHelpKey() {
    if (g_helpKeyFilter) UnhookWindowsHookEx(g_helpKeyFilter);
    g_helpKeyFilter = nullptr;
}

void TfrmMain::Keyloomhelp(DWORD context) {
    const SettingsBlock* b = Block();
    const bool online = b && b->OnlineHelp;
    OpenHelp(HelpAddress(HelpPage(context, ActivePage() + 1), online, dataDir_));
}

void TfrmMain::OpenHelp(const std::string& address) {
    if (!OpenHelpAddress(address))
        MessageBoxA(hwnd_, ("The help page could not be opened:\r\n" + address).c_str(), MessageCaption().c_str(),
                    MB_OK | MB_ICONEXCLAMATION);
}

bool TfrmMain::OnHelpCommand(int id) {
    static const std::string kIndex = "manual/index.html";
    switch (id) {
    case ids::mnHelpContents: OpenHelp(HelpAddress(kIndex, false, dataDir_)); return true;
    case ids::mnHelpIndex: OpenHelp(HelpAddress(kIndex, true, dataDir_)); return true;
    case ids::mnHomePage: OpenHelp(kHomePage); return true;
    case ids::mnProductPage: OpenHelp(kHelpWebBase); return true;
    case ids::mnEmailUs: OpenHelp(kMailAddress); return true;
    case ids::mnAbout: ShowAboutDialog(hwnd_); return true;
    default: return false;
    }
}

}  // namespace kl
