// The hints of a dialog's controls: one tooltip window, owned by the dialog (it goes
// with it), with a tool per control.
#pragma once

#include <windows.h>

#include <string>

namespace kl {

class ToolTips {
public:
    // Made for `dialog`; without a window nothing is shown and Set does nothing.
    void Create(HWND dialog);
    void Reset() { tips_ = owner_ = nullptr; }
    // The hint of `control`, added on first use.
    void Set(HWND control, const std::string& text);

private:
    HWND owner_ = nullptr;
    HWND tips_ = nullptr;
};

}  // namespace kl
