#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "window/tray_icon.h"
#include "ui/app_identity.h"

namespace kl {
namespace {
constexpr DWORD kShortRecord = 88;  // the record without the balloon fields
}

void TrayIcon::Prepare(HWND owner, UINT notifyMessage, HICON icon) {
    std::memset(&data_, 0, sizeof data_);
    data_.cbSize = kShortRecord;
    data_.hWnd = owner;
    data_.uID = notifyMessage;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = notifyMessage;
    data_.hIcon = icon;
    std::strcpy(data_.szTip, kApplicationName);
}

bool TrayIcon::Add() {
    added_ = Shell_NotifyIconA(NIM_ADD, &data_) != FALSE;
    return added_;
}

bool TrayIcon::Modify(HICON icon) {
    data_.hIcon = icon;
    data_.cbSize = kShortRecord;
    return Shell_NotifyIconA(NIM_MODIFY, &data_) != FALSE;
}

bool TrayIcon::Remove() {
    const bool ok = Shell_NotifyIconA(NIM_DELETE, &data_) != FALSE;
    added_ = false;
    return ok;
}

}  // namespace kl
