// The hotkey editor's key capture: the thread keyboard hook EditKbdHookProc (an export
// of keyloom.exe), the subclass of the key field, the key list and the modifier list,
// and the two options it switches while it runs: WinKeyEnabled off (so that the
// system-wide hook leaves the Windows keys alone; put back as it was) and
// HotkeysSuspended on (no hotkey fires while a key is captured).
#pragma once

#include <windows.h>

#include <functional>

#include "settings_block.h"

// The capture hook: Windows keys are swallowed (and chosen as the modifier while the
// modifier list has the focus), the scan code of a key without a virtual-key code is
// kept for the key field; everything else goes on. Exported by name from keyloom.exe.
extern "C" LRESULT CALLBACK EditKbdHookProc(int code, WPARAM wParam, LPARAM lParam);

namespace kl {

// What a captured key does to the editor.
class KeyCaptureTarget {
public:
    // Chooses the key with this code; false when no line of the key list may be chosen for it.
    virtual bool SelectKey(int code) = 0;
    virtual void SelectModifier(int modifierSet) = 0;
    virtual void MarkModified() = 0;

protected:
    ~KeyCaptureTarget() = default;
};

class KeyCapture {
public:
    using BlockSource = std::function<SettingsBlock*()>;

    // `block` gives the block the options live in (null: none mapped).
    KeyCapture(KeyCaptureTarget& target, BlockSource block);
    ~KeyCapture();
    KeyCapture(const KeyCapture&) = delete;
    KeyCapture& operator=(const KeyCapture&) = delete;

    // Subclasses the three controls (their subclass goes with them) and makes this the
    // capture the hook reports to; Detach ends that.
    void Attach(HWND keyField, HWND keyList, HWND modifierList);
    void Detach();

    // Installs the hook and switches the options; Stop undoes both (also when the hook
    // itself could not be set). Either may be called again.
    bool Start();
    bool Stop();
    bool Installed() const { return hook_ != nullptr; }

    // The last scan code the hook saw with virtual-key code 255.
    int LastScanCode() const { return lastScan_; }
    // Alt 1, Ctrl 2, Shift 4 and a Windows key 8, as held now.
    int HeldModifiers() const;

    // The hook procedure's work (EditKbdHookProc calls it for the attached capture).
    LRESULT OnHook(int code, WPARAM wParam, LPARAM lParam);
    // The capture attached on this thread, if any.
    static KeyCapture* Attached();

private:
    static LRESULT CALLBACK Subclass(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT OnControlMessage(HWND control, UINT msg, WPARAM wp, LPARAM lp);
    bool KeyPressedIn(HWND control, UINT msg, WPARAM vk);
    bool ModifierKeyPressed(UINT msg, WPARAM vk);
    bool IsDialogKey(WPARAM vk) const;
    void OnWindowsKey(bool down);

    KeyCaptureTarget& target_;
    BlockSource block_;
    HWND keyField_ = nullptr, keyList_ = nullptr, modifierList_ = nullptr;
    HHOOK hook_ = nullptr;
    bool winKeySaved_ = false;  // WinKeyEnabled was switched off by Start
    bool savedWinKey_ = false;  // its value then
    bool winDown_ = false;
    int lastScan_ = 0;
};

}  // namespace kl
