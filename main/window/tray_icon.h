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
    bool Remove();
    bool added() const { return added_; }
    HICON icon() const { return data_.hIcon; }

private:
    NOTIFYICONDATAA data_{};
    bool added_ = false;
};

}  // namespace kl
