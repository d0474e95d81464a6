// kl_screen_shooter.exe: the pictures of the manual and the README (tools/screenshots).
// Copies the keyloom.exe of a folder with its libraries and data files into C:\Keyloom
// (so that the pictures show the same paths on every machine), starts it in English with
// the main window shown, opens every window that has a page in the manual (each page of
// the main window, the hotkey editor with a sample hotkey and its select dialog, About,
// alias, the import of a sample file, keyboard setup and its key pair, profiles, style)
// and the tray menu, and writes each as it is on the screen into a PPM file of the
// output folder, named as its manual page ("screenshots_main_1.ppm"; the tray menu
// "tray-menu.ppm"):
//   kl_screen_shooter <program folder\> <output folder\>
#include <windows.h>

#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "model/hotkey_store.h"
#include "model/profile_keys.h"
#include "model/reg_text.h"
#include "model/settings_exchange.h"
#include "dialogs/edit_hotkey_ids.h"
#include "registry_names.h"
#include "ui/app_identity.h"
#include "win_handles.h"
#include "window/control_ids.h"
#include "window/exchange_ids.h"

namespace {

constexpr char kShotFolder[] = "C:\\Keyloom\\";
constexpr char kSampleProfile[] = "Screenshot sample";  // the import file's source, removed again
constexpr char kImportSample[] = "C:\\Keyloom\\My settings.ini";
constexpr char kEditedHotkey[] = "1";  // the first sample hotkey, opened as the last one used
const char* const kProgramFiles[] = {"keyloom.exe", "klhook.dll",   "klsupport.dll", "english.lan",
                                     "deutsch.lan", "functions.txt", "keynames.txt"};
// The file name box of the system's file dialogs: Explorer style, and the old style.
constexpr int kFileNameBoxes[] = {0x47C, 0x480};

bool PollUntil(DWORD ms, const std::function<bool()>& done) {
    for (const DWORD start = GetTickCount(); !done(); Sleep(20))
        if (GetTickCount() - start > ms) return false;
    return true;
}

struct Sample {
    int key, modifier, function;
    const char* description;
    const char* parameter;
};
constexpr int kCtrl = 2, kAlt = 1, kShift = 4, kWin = 8;

// A few hotkeys of the kind users make, so that the list has something to show.
void StoreSampleHotkeys(const std::string& hotkeysKey, const std::vector<Sample>& samples) {
    kl::HotkeyStore store(hotkeysKey, nullptr);
    for (const Sample& s : samples) store.StoreHotkey(-1, s.key, s.modifier, s.function, s.description, s.parameter);
}

// A settings file to import: hotkeys of another profile, written as Export writes them.
bool WriteImportSample(const std::string& path) {
    const kl::ProfileKeys keys = kl::KeysForProfile(kSampleProfile);
    StoreSampleHotkeys(keys.hotkeys, {{'N', kCtrl | kAlt, 16, "Notes", "notepad.exe"},
                                      {'D', kWin | kShift, 161, "Today's date", "yyyy-mm-dd"},
                                      {VK_F9, 0, 97, "Play the macro", ""}});
    const std::string written = kl::WriteExchangeToFile(path, kl::ReadExchangeFromRegistry(keys).items);
    kl::DeleteRegTree(keys.main.c_str());
    if (!written.empty()) std::fprintf(stderr, "no import sample: %s\n", written.c_str());
    return written.empty();
}

struct Program {
    DWORD pid = 0;
    HANDLE process = nullptr;
    HWND main = nullptr;
};

std::string ClassOf(HWND w) {
    char cls[64] = {};
    GetClassNameA(w, cls, sizeof cls);
    return cls;
}

struct WindowSearch {
    DWORD pid;
    const char* cls;
    std::set<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND w, LPARAM p) {
    auto& s = *reinterpret_cast<WindowSearch*>(p);
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if ((s.pid == 0 || owner == s.pid) && IsWindowVisible(w) && ClassOf(w) == s.cls) s.found.insert(w);
    return TRUE;
}

// The visible top-level windows of class `cls` of the process (of any process for 0).
std::set<HWND> WindowsOf(DWORD pid, const char* cls) {
    WindowSearch search{pid, cls, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The first dialog of the process that is not among `known`, once it is there.
HWND WaitForNewDialog(const Program& p, const std::set<HWND>& known) {
    HWND found = nullptr;
    PollUntil(10000, [&] {
        for (HWND w : WindowsOf(p.pid, "#32770"))
            if (!known.count(w)) found = w;
        return found != nullptr;
    });
    return found;
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

void Click(HWND dialog, int control) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, control)));
}

bool Close(HWND dialog) {
    Click(dialog, IDCANCEL);
    if (PollUntil(3000, [&] { return !IsWindow(dialog); })) return true;
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    return PollUntil(3000, [&] { return !IsWindow(dialog); });
}

class Shooter {
public:
    Shooter(Program& program, std::string out) : p_(program), out_(std::move(out)) {}
    int failures() const { return failures_; }

    // Opens a dialog by the command `command` sent to `owner` (a menu command, or a
    // button of a dialog), runs `before` with it, shoots it as `name`, runs `inside`
    // with it and closes it.
    void Dialog(HWND owner, int command, const char* name, const std::function<void(HWND)>& inside = {},
                const std::function<void(HWND)>& before = {}) {
        const std::set<HWND> known = WindowsOf(p_.pid, "#32770");
        if (owner == p_.main)
            PostMessageA(owner, WM_COMMAND, command, 0);
        else
            Click(owner, command);
        HWND dialog = WaitForNewDialog(p_, known);
        if (dialog && !fileAnswer_.empty()) dialog = AnswerFileDialog(dialog, known);
        if (!dialog) {
            std::fprintf(stderr, "no window for %s\n", name);
            ++failures_;
            return;
        }
        SetWindowPos(dialog, HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE);
        if (before) before(dialog);
        failures_ += !ShootWindow(dialog, p_.process, out_ + name + ".ppm");
        if (inside) inside(dialog);
        if (!Close(dialog)) {
            std::fprintf(stderr, "%s did not close\n", name);
            ++failures_;
        }
    }

    // The next Dialog asks for a file first: it is given `path`.
    void AnswerFileWith(const std::string& path) { fileAnswer_ = path; }

    void Page(int page) {
        HWND tabs = FindWindowExA(p_.main, nullptr, "SysTabControl32", nullptr);
        PostMessageA(p_.main, WM_KEYDOWN, '1' + page, 0);
        PollUntil(5000, [&] { return SendMessageA(tabs, 0x130B /* TCM_GETCURSEL */, 0, 0) == page; });
        failures_ += !ShootWindow(p_.main, p_.process, out_ + "screenshots_main_" + std::to_string(page + 1) + ".ppm");
    }

    void TrayMenu() {
        // As a right click on the tray icon opens it, under the pointer.
        SetCursorPos(60, 60);
        PostMessageA(p_.main, RegisterWindowMessageA("KLSysTray1"), 0, WM_RBUTTONDOWN);
        HWND menu = nullptr;
        if (!PollUntil(10000, [&] { return (menu = FirstOf(WindowsOf(0, "#32768"))) != nullptr; })) {
            std::fprintf(stderr, "no tray menu\n");
            ++failures_;
            return;
        }
        failures_ += !ShootWindow(menu, p_.process, out_ + "tray-menu.ppm");
        PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        keybd_event(VK_ESCAPE, 0, 0, 0);
        keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
    }

private:
    static HWND FirstOf(const std::set<HWND>& windows) { return windows.empty() ? nullptr : *windows.begin(); }

    // The system's file dialog came first: it gets the file, and the window asked for
    // follows.
    HWND AnswerFileDialog(HWND fileDialog, std::set<HWND> known) {
        const std::string path = fileAnswer_;
        fileAnswer_.clear();
        HWND box = nullptr;
        for (int id : kFileNameBoxes)
            if (!box) box = GetDlgItem(fileDialog, id);
        if (!box) return fileDialog;
        SetWindowTextA(box, path.c_str());
        known.insert(fileDialog);
        Click(fileDialog, IDOK);
        return WaitForNewDialog(p_, known);
    }

    Program& p_;
    std::string out_;
    std::string fileAnswer_;
    int failures_ = 0;
};

bool CopyProgram(const std::string& from) {
    CreateDirectoryA(kShotFolder, nullptr);
    for (const char* file : kProgramFiles)
        if (!CopyFileA((from + file).c_str(), (std::string(kShotFolder) + file).c_str(), FALSE)) {
            std::fprintf(stderr, "cannot copy %s%s to %s\n", from.c_str(), file, kShotFolder);
            return false;
        }
    return true;
}

void RemoveProgramCopy() {
    for (const char* file : kProgramFiles) DeleteFileA((std::string(kShotFolder) + file).c_str());
    DeleteFileA(kImportSample);
    RemoveDirectoryA(kShotFolder);
}

int ShootAll(Program& p, const std::string& out) {
    Shooter shoot(p, out);
    ShowWindow(p.main, SW_SHOWNORMAL);  // it starts in the tray
    SetForegroundWindow(p.main);
    SetWindowPos(p.main, HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE);
    // Every page, opened by its digit key; the first one last, as the program opens.
    for (int page = 4; page >= 0; --page) shoot.Page(page);

    namespace ids = kl::ids;
    shoot.Dialog(p.main, ids::mnEditLastHotkey, "screenshots_hotkey", [&](HWND editor) {
        shoot.Dialog(editor, kl::editor_ids::btnSelect, "screenshots_select");
    });
    shoot.Dialog(p.main, ids::mnAbout, "screenshots_about");
    shoot.Dialog(p.main, ids::mnNewAlias, "screenshots_alias");
    shoot.AnswerFileWith(kImportSample);
    // The focus on OK: the list shows its first item as selected, not as focused.
    shoot.Dialog(p.main, ids::mnImportSettings, "screenshots_import", {}, [](HWND import) {
        PostMessageA(import, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(import, IDOK)), TRUE);
    });
    shoot.Dialog(p.main, ids::mnKbdSetup, "screenshots_kbdmap", [&](HWND setup) {
        const int add = GetDlgCtrlID(FindWindowExA(setup, nullptr, "Button", "&Add"));
        shoot.Dialog(setup, add, "screenshots_keymap");
    });
    shoot.Dialog(p.main, ids::mnEditProfiles, "screenshots_profile");
    shoot.Dialog(p.main, ids::mmStyle, "screenshots_style");
    shoot.TrayMenu();
    return shoot.failures();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kl_screen_shooter <program folder\\> <output folder\\>\n");
        return 2;
    }
    const std::string program = argv[1], out = argv[2];
    if (!CopyProgram(program)) return 1;
    kl::WriteRegText(kl::reg::kBaseKey, kl::reg::kLanguageFile, "english.lan");
    kl::WriteRegText(kl::reg::kBaseKey, kl::reg::kNoSysTray, "1");   // no tray to wait for without a window manager
    kl::WriteRegText(kl::reg::kBaseKey, kl::reg::kSimpleMode, "0");  // keyboard setup needs the advanced mode
    kl::WriteRegText(kl::reg::kBaseKey, kl::reg::kLastHotkey, kEditedHotkey);
    StoreSampleHotkeys(kl::reg::kHotkeysKey, {{'E', kWin, 16, "Text editor", "notepad.exe"},
                                              {'C', kCtrl | kAlt, 16, "Calculator", "calc.exe"},
                                              {'M', kWin | kShift, 35, "Minimise window", ""},
                                              {VK_UP, kCtrl | kAlt, 196, "Louder", ""},
                                              {VK_DOWN, kCtrl | kAlt, 197, "Quieter", ""},
                                              {'S', kCtrl | kShift, 160, "Signature", "Kind regards,"},
                                              {'L', kWin | kAlt, 51, "Lock the computer", ""}});
    int failures = WriteImportSample(kImportSample) ? 0 : 1;

    std::string command = std::string("\"") + kShotFolder + "keyloom.exe\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, kShotFolder, &si, &pi)) {
        std::fprintf(stderr, "cannot start %s\n", command.c_str());
        RemoveProgramCopy();
        return 1;
    }
    kl::UniqueHandle thread(pi.hThread), process(pi.hProcess);
    Program p{pi.dwProcessId, pi.hProcess, nullptr};
    if (!PollUntil(20000, [&] { return (p.main = FindWindowA(kl::kMainWindowClass, kl::kApplicationTitle)) != nullptr; })) {
        std::fprintf(stderr, "no main window of %s\n", command.c_str());
        TerminateProcess(process.get(), 1);
        RemoveProgramCopy();
        return 1;
    }
    WaitForInputIdle(process.get(), 10000);  // the window makes its controls once its loop runs
    failures += ShootAll(p, out);

    Sleep(300);
    PostMessageA(p.main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.get(), 15000) != WAIT_OBJECT_0) TerminateProcess(process.get(), 1);
    RemoveProgramCopy();
    return failures == 0 ? 0 : 1;
}
