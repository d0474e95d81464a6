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

bool HasVisibleStyle(HWND window) {
    return window && (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

// A start under way: polled by a thread timer of the thread that asked, so that
// the thread goes on dispatching its messages (and the hooks' input) meanwhile.
constexpr UINT kPollMs = 50;
constexpr std::size_t kMaxWaiting = 32;

struct Start {
    UINT_PTR timer = 0;
    DWORD since = 0;       // tick count when the current phase began
    bool settling = false; // the window is up; the player settles
    Player started;        // the player whose window came up
    PlayerReady ready = nullptr;
    std::uint32_t waiting[kMaxWaiting] = {};
    std::size_t count = 0;
};
Start g_start;

// Whether `ms` have passed since `since`; a tick count that went backwards
// starts the phase again.
bool Elapsed(DWORD& since, DWORD ms) {
    const DWORD now = GetTickCount();
    if (now < since) since = now;
    return now - since >= ms;
}

void CALLBACK Poll(HWND, UINT, UINT_PTR id, DWORD) {
    if (id != g_start.timer) {
        KillTimer(nullptr, id);
        return;
    }
    Start& s = g_start;
    if (!s.settling) {
        const Player found = FindPlayer();
        if (HasVisibleStyle(found.window)) {
            s.started = found;
            s.settling = true;
            s.since = GetTickCount();
        } else if (Elapsed(s.since, g_startWait)) {
            CancelPlayerStart();  // no player came up: nothing is done
        }
        return;
    }
    if (!Elapsed(s.since, g_settleWait)) return;
    // The window may have been replaced while the player settled.
    Player player = FindPlayer();
    if (!player.window) player = s.started;
    const Start done = s;
    KillTimer(nullptr, s.timer);
    g_start = {};
    for (std::size_t i = 0; i < done.count; ++i) done.ready(player, done.waiting[i]);
}

}  // namespace

Player FindPlayer() {
    if (HWND classic = FindWindowA("Winamp v1.x", nullptr)) return {PlayerKind::Classic, classic};
    if (HWND second = FindWindowA("STUDIO", nullptr)) return {PlayerKind::Second, second};
    return {};
}

void StartPlayerThen(PlayerReady ready, std::uint32_t request) {
    Start& s = g_start;
    if (s.timer) {  // a start is under way: the request waits with the others
        if (s.count < kMaxWaiting) s.waiting[s.count++] = request;
        return;
    }
    Launch(AssociatedPlayer(), {}, SW_SHOWNORMAL);
    s.timer = SetTimer(nullptr, 0, kPollMs, Poll);
    if (!s.timer) return;
    s.since = GetTickCount();
    s.ready = ready;
    s.waiting[0] = request;
    s.count = 1;
}

bool PlayerStartPending() { return g_start.timer != 0; }

void CancelPlayerStart() {
    if (g_start.timer) KillTimer(nullptr, g_start.timer);
    g_start = {};
}

}  // namespace kl::support

extern "C" void WINAPI SetPlayerStartWait(DWORD startMs, DWORD settleMs) {
    kl::support::g_startWait = startMs ? startMs : kl::support::kPlayerStartWait;
    kl::support::g_settleWait = settleMs ? settleMs : kl::support::kPlayerSettleWait;
}
