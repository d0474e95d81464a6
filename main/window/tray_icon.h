// The program's icon in the notification area.
#pragma once

#include <windows.h>
#include <shellapi.h>

namespace kl {

class TrayIcon {
public:
    // The short (88-byte) record: hWnd, uID and uCallbackMessage, icon and tip "Keyloom".
    void Prepare(HWND owner, UINT notifyMessage, HICON icon);
    bool Add();
    bool Modify(HICON icon);
    // Removing the icon waits for the shell, which may take seconds (under Wine without a
    // window manager): the removal goes to a thread of its own, and the end of the
    // program waits for it at most `ms`; past that the shell still removes it.
    void BeginRemove();
    void FinishRemove(DWORD ms);
    // At once, while the program runs on (NoSysTray switched by a profile or an import).
    bool Remove();
    bool added() const { return added_; }
    HICON icon() const { return data_.hIcon; }

private:
    NOTIFYICONDATAA data_{};
    bool added_ = false;
    HANDLE removal_ = nullptr;
};

}  // namespace kl
