// keyloom.exe against the least program that does the same job (helpers/bare_hotkey.cpp:
// a hidden window, a tray icon, RegisterHotKey, on WM_HOTKEY the foreground window
// minimised), timed in one run on this machine:
// - start: the process created until its window answers (found, a sent message returned,
//   the process idle), and where keyloom.exe's start-up goes, step by step, from its trace;
// - hotkey: the key to the foreground window minimised, median and worst of 100 presses,
//   in simple and in hook mode (a system hotkey fires on the key's press, the hook on its
//   release);
// - typed text (function 160, "x"): the key to the first character, on the first press
//   after a start and on later presses;
// - exit: WM_CLOSE to the process ended;
// - private memory at rest.
// The machine's load moves the figures: the bare program runs beside keyloom.exe (on
// Ctrl+Shift+L, keyloom.exe's hotkey is Ctrl+Shift+K), their starts and ends alternate,
// their presses alternate, and each ratio compares figures taken side by side.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/hotkey_store.h"
#include "registry_names.h"
#include "testing/child_process.h"
#include "testing/keyloom_process.h"
#include "testing/process_memory.h"
#include "testing/registry.h"
#include "testing/settings_map.h"
#include "testing/support_library.h"
#include "testing/synth_input.h"
#include "testing/temp_dir.h"

using namespace kl;
using namespace kl::testing;

namespace {

constexpr int kStarts = 5;
constexpr int kPresses = 100;
constexpr int kLaterTexts = 20;
constexpr int kMinimise = 35;
constexpr int kTypeText = 160;
constexpr int kModifiers = kCtrl | kShift;
constexpr WORD kMinimiseKey = 'K';
constexpr WORD kBareKey = 'L';
constexpr WORD kTextKey = 'J';
constexpr WORD kTypedKey = 'X';
constexpr char kBareTitle[] = "Keyloom bare hotkey";
constexpr DWORD kRestMs = 1500;
constexpr UINT kRestore = WM_APP + 1;

double Now() {
    static LARGE_INTEGER frequency{};
    if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Polls every millisecond: the figures are a few milliseconds long.
bool PollFast(const std::function<bool()>& done, DWORD ms) {
    const double end = Now() + ms;
    while (!done()) {
        if (Now() > end) return false;
        Sleep(1);
    }
    return true;
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double Worst(const std::vector<double>& v) { return v.empty() ? 0 : *std::max_element(v.begin(), v.end()); }

std::string TestDir() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    return dir.substr(0, dir.find_last_of("\\/") + 1);
}

// The window with the focus while the keys are pressed, on a thread of its own: it
// notes the moment it is minimised and the moment the typed character arrives.
std::atomic<double> g_minimisedAt{0};
std::atomic<double> g_typedAt{0};

LRESULT CALLBACK TargetProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_SIZE && wp == SIZE_MINIMIZED && g_minimisedAt == 0) g_minimisedAt = Now();
    if (m == WM_KEYDOWN && wp == kTypedKey && g_typedAt == 0) g_typedAt = Now();
    if (m == kRestore) {
        ShowWindow(w, SW_RESTORE);
        SetForegroundWindow(w);
        return 0;
    }
    return DefWindowProcA(w, m, wp, lp);
}

DWORD WINAPI TargetThread(void* out) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = TargetProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "KeyloomSpeedTarget";
    RegisterClassA(&wc);
    HWND w = CreateWindowExA(0, wc.lpszClassName, "Keyloom speed target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200,
                             200, 400, 300, nullptr, nullptr, wc.hInstance, nullptr);
    *static_cast<std::atomic<HWND>*>(out) = w;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

class Target {
public:
    Target() {
        CloseHandle(CreateThread(nullptr, 0, TargetThread, &window_, 0, nullptr));
        PollUntil([&] { return window_.load() != nullptr; });
    }
    // Restored, in the foreground, and through what its thread had queued.
    bool Focus() {
        HWND w = window_;
        DWORD_PTR ignored = 0;
        if (IsIconic(w)) SendMessageTimeoutA(w, kRestore, 0, 0, SMTO_NORMAL, 3000, &ignored);
        if (GetForegroundWindow() != w) SetForegroundWindow(w);
        if (!PollUntil([&] { return GetForegroundWindow() == w; }, 3000)) return false;
        for (int round = 0; round < 2; ++round) SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_NORMAL, 3000, &ignored);
        return true;
    }

private:
    std::atomic<HWND> window_{nullptr};
};

bool KeysUp() {
    for (int vk : {VK_SHIFT, VK_CONTROL, static_cast<int>(kMinimiseKey), static_cast<int>(kBareKey),
                   static_cast<int>(kTextKey)})
        if (GetAsyncKeyState(vk) < 0) return false;
    return true;
}

struct Presses {
    std::vector<double> ms;
    int missed = 0;
};

// Presses Ctrl+Shift+`key` and times it from the key event that fires it (the press, or
// with `releaseFires` the release) to `effect`. `idle` tells when the next press may come.
void Press(Presses& out, Target& target, WORD key, bool releaseFires, std::atomic<double>& effect,
           const std::function<bool()>& idle) {
    {
        target.Focus();
        effect = 0;
        PressModifiers(kModifiers);
        double start = 0;
        if (releaseFires) {
            KeyDown(key);
            start = Now();
            KeyUp(key);
        } else {
            start = Now();
            KeyDown(key);
            KeyUp(key);
        }
        const bool seen = PollFast([&] { return effect != 0; }, 5000);
        ReleaseModifiers(kModifiers);
        if (seen)
            out.ms.push_back(effect - start);
        else
            ++out.missed;
        PollUntil([&] { return KeysUp() && idle(); }, 5000);
    }
}

// A program started and timed until its window answers; closed by WM_CLOSE and timed
// until its end.
class Program {
public:
    Program(const std::string& exe, const std::string& arguments, const char* title) : title_(title) {
        std::string command = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
        const std::string dir = exe.substr(0, exe.find_last_of('\\') + 1);
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        startedAt_ = Now();
        if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi))
            return;
        CloseHandle(pi.hThread);
        process_ = pi.hProcess;
        const DWORD pid = pi.dwProcessId;
        if (!PollFast([&] { return (window_ = FindProcessWindow(pid, title_)) != nullptr; }, 15000)) return;
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, 15000, &ignored);
        startMs_ = Now() - startedAt_;
        WaitForInputIdle(process_, 15000);
        idleMs_ = Now() - startedAt_;
    }
    ~Program() {
        if (!process_) return;
        if (WaitForSingleObject(process_, 0) != WAIT_OBJECT_0) Close();
        if (WaitForSingleObject(process_, 0) != WAIT_OBJECT_0) {
            TerminateProcess(process_, 99);
            WaitForSingleObject(process_, 5000);
        }
        CloseHandle(process_);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool ready() const { return window_ != nullptr; }
    double startedAt() const { return startedAt_; }
    double closedAt() const { return closedAt_; }
    double startMs() const { return startMs_; }
    double idleMs() const { return idleMs_; }
    double PrivateMB() const { return static_cast<double>(PrivateBytes(process_)) / (1024.0 * 1024.0); }
    // Milliseconds from WM_CLOSE to the end, or -1 when it did not end within 15 s.
    double Close() {
        const double start = closedAt_ = Now();
        PostMessageA(window_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_, 15000) != WAIT_OBJECT_0) return -1;
        return Now() - start;
    }

private:
    const char* title_;
    HANDLE process_ = nullptr;
    HWND window_ = nullptr;
    double startedAt_ = 0;
    double startMs_ = 0;
    double idleMs_ = 0;
    double closedAt_ = 0;
};

struct Figures {
    std::vector<double> start, idle, exit, memory;
    Presses hotkey, firstText, laterText;
    // keyloom.exe's steps in order: milliseconds since the process was created, and for
    // the steps of its end ("exit: ...") since WM_CLOSE was posted.
    std::vector<std::string> stepOrder;
    std::map<std::string, std::vector<double>> steps;
};

struct Pair {
    Figures bare, keyloom;
    bool ran = false;
};

void Wait(DWORD ms) {
    const double end = Now() + ms;
    while (Now() < end) Sleep(10);
}

void PrepareKeyloom(bool simpleMode) {
    DeleteKeyloomKey();
    const std::string base = std::string(kKeyloomKey) + "\\";
    SetString(base, reg::kSimpleMode, simpleMode ? "1" : "0");
    SetString(base, reg::kNoSysTray, "0");
    SetString(base, reg::kConfirmHotkeys, "0");
    SetString(base, "Language", std::to_string(EnglishLanguagePosition(BinDir())));
    HotkeyStore store(reg::kHotkeysKey, nullptr);
    store.StoreHotkey(-1, kMinimiseKey, kModifiers, kMinimise, "minimise", "");
    store.StoreHotkey(-1, kTextKey, kModifiers, kTypeText, "type", "x");
}

void ReadTrace(Figures& f, const std::string& file, double startedAt, double closedAt) {
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        // A step's name may have blanks; its moment is the last word.
        const std::size_t blank = line.find_last_of(' ');
        if (blank == std::string::npos) continue;
        const std::string step = line.substr(0, blank);
        const double at = std::atof(line.c_str() + blank + 1);
        if (!f.steps.count(step)) f.stepOrder.push_back(step);
        f.steps[step].push_back(at - (step.rfind("exit:", 0) == 0 ? closedAt : startedAt));
    }
    in.close();
    DeleteFileA(file.c_str());
}

// One mode: starts, rests and ends of both programs alternating, then both running side
// by side with their presses alternating.
Pair MeasureMode(Target& target, bool simpleMode) {
    Pair pair;
    Figures& f = pair.keyloom;
    PrepareKeyloom(simpleMode);
    SettingsMap map;
    SettingsBlock& b = map.block();
    const auto live = [&] { return b.KeyloomEnabled != 0 && (simpleMode || b.HooksInstalled != 0); };
    const auto idle = [&] { return b.HotkeysSuspended == 0 && b.JournalMode == 0; };
    const auto always = [] { return true; };
    const bool releaseFires = !simpleMode;
    const std::string bareExe = TestDir() + "bare_hotkey.exe", bareKey(1, static_cast<char>(kBareKey));
    TempDir dir;
    const std::string trace = dir.path() + "steps.txt";
    SetEnvironmentVariableA("KEYLOOM_STEP_TRACE", trace.c_str());
    DeleteFileA(trace.c_str());
    auto startKeyloom = [&] {
        b.KeyloomEnabled = 0;
        b.HooksInstalled = 0;
        auto app = std::make_unique<Program>(BinDir() + "keyloom.exe", "", kKeyloomTitle);
        if (!app->ready() || !PollUntil(live)) app.reset();
        return app;
    };
    for (int i = 0; i < kStarts; ++i) {
        std::unique_ptr<Program> app, bare;
        // Which goes first alternates.
        if (i % 2) app = startKeyloom();
        bare = std::make_unique<Program>(bareExe, bareKey, kBareTitle);
        if (!(i % 2)) app = startKeyloom();
        if (!app || !bare->ready()) return pair;
        f.start.push_back(app->startMs());
        f.idle.push_back(app->idleMs());
        pair.bare.start.push_back(bare->startMs());
        pair.bare.idle.push_back(bare->idleMs());
        Wait(kRestMs);
        f.memory.push_back(app->PrivateMB());
        pair.bare.memory.push_back(bare->PrivateMB());
        Press(f.firstText, target, kTextKey, releaseFires, g_typedAt, idle);
        Wait(500);
        if (i % 2) {
            f.exit.push_back(app->Close());
            pair.bare.exit.push_back(bare->Close());
        } else {
            pair.bare.exit.push_back(bare->Close());
            f.exit.push_back(app->Close());
        }
        ReadTrace(f, trace, app->startedAt(), app->closedAt());
    }
    SetEnvironmentVariableA("KEYLOOM_STEP_TRACE", nullptr);
    {
        const auto app = startKeyloom();
        Program bare(bareExe, bareKey, kBareTitle);
        if (!app || !bare.ready()) return pair;
        Wait(kRestMs);
        for (int i = 0; i < kPresses; ++i) {
            Press(f.hotkey, target, kMinimiseKey, releaseFires, g_minimisedAt, idle);
            Press(pair.bare.hotkey, target, kBareKey, false, g_minimisedAt, always);
        }
        for (int i = 0; i < kLaterTexts; ++i) Press(f.laterText, target, kTextKey, releaseFires, g_typedAt, idle);
        Wait(500);
    }
    DeleteKeyloomKey();
    pair.ran = true;
    return pair;
}

std::string Cell(double v, const char* unit) {
    char text[32];
    if (v <= 0)
        std::snprintf(text, sizeof text, "-");
    else
        std::snprintf(text, sizeof text, "%.2f %s", v, unit);
    return text;
}

std::string Ratio(double keyloom, double bare) {
    char text[16] = "-";
    if (keyloom > 0 && bare > 0) std::snprintf(text, sizeof text, "%.2fx", keyloom / bare);
    return text;
}

void Row(const char* name, double bareSimple, double simple, double bareHook, double hook, const char* unit = "ms") {
    std::printf("  %-34s %-11s %-11s %-7s   %-11s %-11s %-7s\n", name, Cell(bareSimple, unit).c_str(),
                Cell(simple, unit).c_str(), Ratio(simple, bareSimple).c_str(), Cell(bareHook, unit).c_str(),
                Cell(hook, unit).c_str(), Ratio(hook, bareHook).c_str());
}

void PrintSteps(const char* mode, const Figures& f) {
    std::printf("\nkeyloom.exe, %s: the moment each step ends, median of %d, after the process was created "
                "(start) or WM_CLOSE was posted (exit); in brackets the step's own share\n",
                mode, kStarts);
    double before = 0;
    bool exiting = false;
    for (const std::string& step : f.stepOrder) {
        if (!exiting && step.rfind("exit:", 0) == 0) {
            exiting = true;
            before = 0;
        }
        const double at = Median(f.steps.at(step));
        std::printf("  %-40s %7.1f ms  (%+.1f ms)\n", step.c_str(), at, at - before);
        before = at;
    }
}

void Goal(const char* what, bool met) { std::printf("  %-60s %s\n", what, met ? "met" : "NOT met"); }

}  // namespace

int main() {
    std::printf("speed bench: keyloom.exe, %d-bit build, beside the bare program\n",
                static_cast<int>(sizeof(void*) * 8));
    Target target;
    if (!target.Focus()) {
        std::printf("the target window did not get the foreground\n");
        return 1;
    }
    const Pair simple = MeasureMode(target, true);
    const Pair hook = MeasureMode(target, false);
    if (!simple.ran || !hook.ran) {
        std::printf("a program did not start (simple mode %d, hook mode %d)\n", simple.ran, hook.ran);
        return 1;
    }
    const Figures &s = simple.keyloom, &sb = simple.bare, &h = hook.keyloom, &hb = hook.bare;
    std::printf("\n  %-34s %-31s   %-31s\n", "", "simple mode", "hook mode");
    std::printf("  %-34s %-11s %-11s %-7s   %-11s %-11s %-7s\n", "", "bare", "keyloom", "ratio", "bare", "keyloom",
                "ratio");
    Row("start: window answers, median of 5", Median(sb.start), Median(s.start), Median(hb.start), Median(h.start));
    Row("start: process idle, median of 5", Median(sb.idle), Median(s.idle), Median(hb.idle), Median(h.idle));
    Row("hotkey, median of 100", Median(sb.hotkey.ms), Median(s.hotkey.ms), Median(hb.hotkey.ms), Median(h.hotkey.ms));
    Row("hotkey, worst of 100", Worst(sb.hotkey.ms), Worst(s.hotkey.ms), Worst(hb.hotkey.ms), Worst(h.hotkey.ms));
    Row("typed text, first press (worst of 5)", 0, Worst(s.firstText.ms), 0, Worst(h.firstText.ms));
    Row("typed text, later, median of 20", 0, Median(s.laterText.ms), 0, Median(h.laterText.ms));
    Row("exit, median of 5", Median(sb.exit), Median(s.exit), Median(hb.exit), Median(h.exit));
    Row("exit, worst of 5", Worst(sb.exit), Worst(s.exit), Worst(hb.exit), Worst(h.exit));
    Row("private memory at rest", Median(sb.memory), Median(s.memory), Median(hb.memory), Median(h.memory), "MB");
    std::printf("  keyloom.exe's hotkey fires on the key's press in simple mode and on its release in hook mode;\n"
                "  the bare program's always on the press. Missed presses: simple %d, hook %d, bare %d.\n",
                s.hotkey.missed + s.firstText.missed + s.laterText.missed,
                h.hotkey.missed + h.firstText.missed + h.laterText.missed, sb.hotkey.missed + hb.hotkey.missed);
    PrintSteps("simple mode", s);
    PrintSteps("hook mode", h);

    std::printf("\ngoals\n");
    const auto typed = [](const Pair& p) {
        return std::max(Worst(p.keyloom.firstText.ms), Median(p.keyloom.laterText.ms)) <=
               Median(p.bare.hotkey.ms) + 10;
    };
    const auto within = [](double keyloom, double bare, double ratio) { return keyloom > 0 && keyloom <= ratio * bare; };
    Goal("typed text within 10 ms of the bare hotkey, from the first press", typed(simple) && typed(hook));
    Goal("exit <= 300 ms", Worst(s.exit) <= 300 && Worst(h.exit) <= 300 && Worst(s.exit) > 0 && Worst(h.exit) > 0);
    Goal("start <= 2x the bare program",
         within(Median(s.start), Median(sb.start), 2) && within(Median(h.start), Median(hb.start), 2));
    Goal("hotkey <= 1.5x the bare program", within(Median(s.hotkey.ms), Median(sb.hotkey.ms), 1.5) &&
                                                within(Median(h.hotkey.ms), Median(hb.hotkey.ms), 1.5));
    Goal("private memory at rest <= 3 MB above the bare program",
         Median(s.memory) <= Median(sb.memory) + 3 && Median(h.memory) <= Median(hb.memory) + 3);
    return 0;
}
