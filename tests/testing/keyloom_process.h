// keyloom.exe from build/<arch>/bin as a process of its own: started, found by its window
// title, driven by messages, and closed (or, failing that, ended) at the end.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "version.h"

namespace kl::testing {

inline constexpr char kKeyloomTitle[] = "Keyloom v" KL_VERSION_TEXT;

// The position of english.lan in the sorted list of the language files of `dir`: the
// "Language" value that makes the program speak English.
int EnglishLanguagePosition(const std::string& dir);

// Polls `done` every 10 ms until it holds or `ms` milliseconds have passed.
bool PollUntil(const std::function<bool()>& done, DWORD ms = 10000);

// The control that has the keyboard focus in the thread of `window`'s, or null.
HWND Focused(HWND window);
// Waits until the focus is on the dialog's control `control` (its input handled).
bool FocusReaches(HWND dlg, int control);
// Brings a window of the program to the front when it is not there yet (a window made
// while another program was in front), waiting until the system shows it there.
void BringToFront(HWND window);

// Which language the program is started in: English (stored as "Language" unless a
// language is stored already), or whatever the registry and the system make it.
enum class StartLanguage { English, AsStored };

class KeyloomProcess {
public:
    KeyloomProcess();  // starts the process from build/<arch>/bin
    // Starts the keyloom.exe of `folder` (with a trailing backslash), in that folder.
    explicit KeyloomProcess(const std::string& folder, StartLanguage language = StartLanguage::English);
    ~KeyloomProcess();
    KeyloomProcess(const KeyloomProcess&) = delete;
    KeyloomProcess& operator=(const KeyloomProcess&) = delete;

    bool started() const { return process_ != nullptr; }
    // Waits until the main window exists and the process is idle; its handle or null.
    HWND WaitForWindow(DWORD ms = 15000);
    bool WaitForExit(DWORD ms = 15000);
    DWORD ExitCode() const;
    // Closes the main window by message and waits for the end.
    bool Close(DWORD ms = 15000);
    DWORD startTicks() const { return startTicks_; }
    HANDLE handle() const { return process_; }

private:
    HANDLE process_ = nullptr;
    DWORD startTicks_ = 0;
};

}  // namespace kl::testing
