#include "macro_fixture.h"

#include <cstring>

#include "handle_words.h"

namespace kl::testing {
namespace {

std::vector<std::pair<WPARAM, LPARAM>>* g_notes = nullptr;
UINT g_message = 0;

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == g_message && g_message && g_notes) {
        g_notes->emplace_back(w, l);
        return 0;
    }
    return DefWindowProcA(window, message, w, l);
}

std::string TestDir() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    return dir.substr(0, dir.find_last_of("\\/") + 1);
}

}  // namespace

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
    return true;
}

EditTarget::EditTarget() {
    std::string command = "\"" + TestDir() + "macros_edit_target.exe\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        ADD_FAILURE() << "cannot start " << command;
        return;
    }
    CloseHandle(pi.hThread);
    process_.reset(pi.hProcess);
    PumpUntil([this] {
        window_ = FindWindowA("KeyloomMacroTarget", "Keyloom macro target");
        if (window_) edit_ = FindWindowExA(window_, nullptr, "EDIT", nullptr);
        return edit_ && GetForegroundWindow() == window_;
    });
    if (!edit_) ADD_FAILURE() << "the edit target did not come up";
    else if (GetForegroundWindow() != window_) ADD_FAILURE() << "the edit target is not in the foreground";
}

EditTarget::~EditTarget() {
    if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
    if (process_ && WaitForSingleObject(process_.get(), 5000) != WAIT_OBJECT_0) TerminateProcess(process_.get(), 1);
}

std::string EditTarget::Text() const {
    char text[512] = {};
    if (edit_) SendMessageA(edit_, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

void EditTarget::Clear() const {
    if (edit_) SendMessageA(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
}

bool EditTarget::WaitText(const std::string& text, DWORD timeoutMs) const {
    return PumpUntil([&] { return Text() == text; }, timeoutMs);
}

MacroTest::MacroTest() {
    std::memset(&map_.block(), 0, sizeof(SettingsBlock));
    map_->BlockSize = kSettingsBlockSize;
    message_ = RegisterWindowMessageA("KLSysTrayMacroTest");
    g_message = message_;
    g_notes = &notes_;
    WNDCLASSA wc{};
    wc.lpfnWndProc = MainProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "KeyloomMacroTestMain";
    RegisterClassA(&wc);
    main_ = CreateWindowExA(0, wc.lpszClassName, "macro test main", 0, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
    b().MainWindow = static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(main_));
    b().NotifyMessage = message_;
    b().IconDefault = 0x701;
    b().IconPlaying = 0x702;
    b().IconRecording = 0x703;
    b().KeyloomEnabled = -1;
    b().HookModule = ModuleToken(hook_.handle());
}

MacroTest::~MacroTest() {
    if (main_) DestroyWindow(main_);
    g_notes = nullptr;
}

bool MacroTest::Noted(WPARAM w, LPARAM l) const {
    for (const auto& n : notes_)
        if (n.first == w && n.second == l) return true;
    return false;
}

}  // namespace kl::testing
