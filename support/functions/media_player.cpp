#include "functions/media_player.h"

#include <shellapi.h>

#include <string>

#include "functions/launch.h"
#include "functions/path_parts.h"
#include "win_handles.h"

namespace kl::support {

namespace {

DWORD g_startWait = kPlayerStartWait;
DWORD g_settleWait = kPlayerSettleWait;

constexpr char kProbeName[] = "~getassociatedprogram.";
constexpr char kPlayedExtension[] = "mp3";

// The folder of this library, with a trailing backslash.
std::string OwnFolder() {
    HMODULE self = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCSTR>(&OwnFolder), &self))
        return {};
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(self, path, MAX_PATH);
    if (!n || n >= MAX_PATH) return {};
    return WithBackslash(FolderPart(std::string_view(path, n)));
}

// The program the shell opens "mp3" files with, asked for with a probe file
// of that extension beside this library; empty when there is none.
std::string AssociatedPlayer() {
    const std::string folder = OwnFolder();
    if (folder.empty()) return {};
    const std::string probe = folder + kProbeName + kPlayedExtension;
    {
        UniqueHandle file(CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return {};
        const char content[] = "mp3\r\n";
        DWORD written = 0;
        WriteFile(file.get(), content, sizeof content - 1, &written, nullptr);
    }
    char program[MAX_PATH] = {};
    const auto rc = reinterpret_cast<INT_PTR>(FindExecutableA(probe.c_str(), folder.c_str(), program));
    DeleteFileA(probe.c_str());
    return rc > 32 ? std::string(program) : std::string();
}

// Waits up to `ms` by the tick count (restarting when it goes backwards) until
// `done` holds; polls often without keeping a processor busy.
template <class Done>
bool WaitFor(DWORD ms, Done done) {
    DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        const DWORD now = GetTickCount();
        if (now < start) start = now;
        if (now - start >= ms) return false;
        Sleep(10);
    }
}

bool HasVisibleStyle(HWND window) {
    return window && (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

}  // namespace

Player FindPlayer() {
    if (HWND classic = FindWindowA("Winamp v1.x", nullptr)) return {PlayerKind::Classic, classic};
    if (HWND second = FindWindowA("STUDIO", nullptr)) return {PlayerKind::Second, second};
    return {};
}

Player FindOrStartPlayer() {
    if (Player running = FindPlayer(); running.window) return running;

    Launch(AssociatedPlayer(), {}, SW_SHOWNORMAL);
    Player started;
    const bool up = WaitFor(g_startWait, [&] {
        started = FindPlayer();
        return HasVisibleStyle(started.window);
    });
    if (!up) return {};
    WaitFor(g_settleWait, [] { return false; });
    // The window may have been replaced while the player settled.
    if (Player settled = FindPlayer(); settled.window) return settled;
    return started;
}

}  // namespace kl::support

extern "C" void WINAPI SetPlayerStartWait(DWORD startMs, DWORD settleMs) {
    kl::support::g_startWait = startMs ? startMs : kl::support::kPlayerStartWait;
    kl::support::g_settleWait = settleMs ? settleMs : kl::support::kPlayerSettleWait;
}
