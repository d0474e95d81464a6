// kl_screen_shooter.exe: the pictures of the README (tools/screenshots). Starts the
// keyloom.exe of a folder in English with the main window shown, opens each page, the
// hotkey editor and the tray menu, and writes each as it is on the screen into a PPM
// file of the output folder (tools/screenshots turns them into PNG):
//   kl_screen_shooter <program folder\> <output folder\>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "core/hotkey_store.h"
#include "registry_names.h"
#include "version.h"
#include "win_handles.h"

namespace {

constexpr char kKeyloomKey[] = "Software\\Corvane\\Keyloom";
constexpr char kTitle[] = "Keyloom v" KL_VERSION_TEXT;
constexpr int kNewHotkeyCommand = 2050;  // File > New > Hotkey

bool PollUntil(DWORD ms, auto done) {
    for (const DWORD start = GetTickCount(); !done(); Sleep(20))
        if (GetTickCount() - start > ms) return false;
    return true;
}

void SetText(const char* name, const std::string& value) {
    kl::RegKey key = kl::RegKey::Create(HKEY_CURRENT_USER, kKeyloomKey, KEY_SET_VALUE);
    if (key)
        RegSetValueExA(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
}

// A few hotkeys of the kind users make, so that the list has something to show.
void StoreSampleHotkeys() {
    struct Sample {
        int key, modifier, function;
        const char* description;
        const char* parameter;
    };
    constexpr int kCtrl = 2, kAlt = 1, kShift = 4, kWin = 8;
    static const Sample samples[] = {
        {'E', kWin, 16, "Text editor", "notepad.exe"},
        {'C', kCtrl | kAlt, 16, "Calculator", "calc.exe"},
        {'M', kWin | kShift, 35, "Minimise window", ""},
        {VK_UP, kCtrl | kAlt, 196, "Louder", ""},
        {VK_DOWN, kCtrl | kAlt, 197, "Quieter", ""},
        {'S', kCtrl | kShift, 160, "Signature", "Kind regards,"},
        {'L', kWin | kAlt, 51, "Lock the computer", ""},
    };
    kl::HotkeyStore store(kl::reg::kHotkeysKey, nullptr);
    for (const Sample& s : samples)
        store.StoreHotkey(-1, s.key, s.modifier, s.function, s.description, s.parameter);
}

// The "Language" value that makes the program speak English: english.lan's place among
// the language files of the folder, sorted.
int EnglishPosition(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "*.lan").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
        std::string name = found.cFileName;
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return char(std::tolower(c)); });
        names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return static_cast<int>(std::find(names.begin(), names.end(), "english.lan") - names.begin()) %
           static_cast<int>(std::max<size_t>(names.size(), 1));
}

struct Found {
    DWORD pid;
    const char* cls;
    const char* title;
    bool visible;
    HWND window;
};

BOOL CALLBACK CheckWindow(HWND w, LPARAM p) {
    auto& f = *reinterpret_cast<Found*>(p);
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    char cls[64] = {}, title[256] = {};
    GetClassNameA(w, cls, sizeof cls);
    GetWindowTextA(w, title, sizeof title);
    if ((f.pid == 0 || owner == f.pid) && (!f.visible || IsWindowVisible(w)) && (!f.cls || std::string(cls) == f.cls) &&
        (!f.title || std::string(title) == f.title))
        f.window = w;
    return f.window == nullptr;
}

HWND FindWindowOf(DWORD pid, const char* cls, const char* title, bool visible = true) {
    Found f{pid, cls, title, visible, nullptr};
    EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&f));
    return f.window;
}

// The screen inside `rect` as a binary PPM file.
bool Shoot(const RECT& rect, const std::string& path) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        ok = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY | CAPTUREBLT);
        GdiFlush();
        SelectObject(memory, old);
        if (FILE* out = ok ? std::fopen(path.c_str(), "wb") : nullptr) {
            std::fprintf(out, "P6\n%d %d\n255\n", width, height);
            const auto* pixel = static_cast<const unsigned char*>(bits);
            std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x, pixel += 4) {
                    row[x * 3] = pixel[2];
                    row[x * 3 + 1] = pixel[1];
                    row[x * 3 + 2] = pixel[0];
                }
                std::fwrite(row.data(), 1, row.size(), out);
            }
            ok = std::fclose(out) == 0;
        }
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", path.c_str());
    return ok;
}

bool ShootWindow(HWND window, HANDLE process, const std::string& path) {
    WaitForInputIdle(process, 5000);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    Sleep(700);
    RECT rect{};
    GetWindowRect(window, &rect);
    return Shoot(rect, path);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kl_screen_shooter <program folder\\> <output folder\\>\n");
        return 2;
    }
    const std::string program = argv[1], out = argv[2];
    SetText("Language", std::to_string(EnglishPosition(program)));
    SetText("NoSysTray", "1");  // no tray to wait for without a window manager
    SetText("SimpleMode", "1");
    StoreSampleHotkeys();

    std::string command = "\"" + program + "keyloom.exe\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, program.c_str(), &si, &pi)) {
        std::fprintf(stderr, "cannot start %s\n", command.c_str());
        return 1;
    }
    kl::UniqueHandle thread(pi.hThread), process(pi.hProcess);
    HWND main = nullptr;
    if (!PollUntil(20000, [&] { return (main = FindWindowOf(pi.dwProcessId, "TfrmMain", kTitle, false)) != nullptr; })) {
        DWORD code = 0;
        GetExitCodeProcess(process.get(), &code);
        std::fprintf(stderr, "no main window of %s (exit code %lu)\n", command.c_str(), code);
        TerminateProcess(process.get(), 1);
        return 1;
    }
    int failures = 0;
    WaitForInputIdle(process.get(), 10000);  // the window makes its controls once its loop runs
    ShowWindow(main, SW_SHOWNORMAL);  // it starts in the tray
    SetForegroundWindow(main);
    SetWindowPos(main, HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE);
    // Every page, opened by its digit key; the first one last, as the program opens.
    HWND tabs = FindWindowExA(main, nullptr, "SysTabControl32", nullptr);
    const int pages = tabs ? static_cast<int>(SendMessageA(tabs, 0x1304 /* TCM_GETITEMCOUNT */, 0, 0)) : 0;
    for (int page = pages - 1; page >= 0; --page) {
        PostMessageA(main, WM_KEYDOWN, '1' + page, 0);
        PollUntil(5000, [&] { return SendMessageA(tabs, 0x130B /* TCM_GETCURSEL */, 0, 0) == page; });
        const std::string name = page == 0 ? "main-window" : "main-window-page" + std::to_string(page + 1);
        failures += !ShootWindow(main, process.get(), out + name + ".ppm");
    }

    PostMessageA(main, WM_COMMAND, kNewHotkeyCommand, 0);
    HWND editor = nullptr;
    if (PollUntil(10000, [&] { return (editor = FindWindowOf(pi.dwProcessId, nullptr, "Edit hotkey")) != nullptr; })) {
        SetWindowPos(editor, HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE);
        failures += !ShootWindow(editor, process.get(), out + "editor.ppm");
        PostMessageA(editor, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        PollUntil(5000, [&] { return !IsWindow(editor); });
    } else {
        std::fprintf(stderr, "no editor\n");
        ++failures;
    }

    // The tray menu, as a right click on the tray icon opens it, under the pointer.
    SetCursorPos(60, 60);
    PostMessageA(main, RegisterWindowMessageA("KLSysTray1"), 0, WM_RBUTTONDOWN);
    HWND menu = nullptr;
    if (PollUntil(10000, [&] { return (menu = FindWindowOf(0, "#32768", nullptr)) != nullptr; })) {
        failures += !ShootWindow(menu, process.get(), out + "tray-menu.ppm");
        PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        keybd_event(VK_ESCAPE, 0, 0, 0);
        keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
    } else {
        std::fprintf(stderr, "no tray menu\n");
        ++failures;
    }

    Sleep(300);
    PostMessageA(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.get(), 15000) != WAIT_OBJECT_0) TerminateProcess(process.get(), 1);
    return failures == 0 ? 0 : 1;
}
