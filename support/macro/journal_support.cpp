#include "macro/journal_support.h"

#include "macro/journal_hooks.h"
#include "macro/playback.h"

namespace kl::support {
namespace {

constexpr DWORD kFirstUnsupportedBuild = 22000;  // Windows 11

// The version the system reports of itself, whatever the program's manifest claims.
DWORD SystemBuild() {
    using GetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    const auto get = ntdll ? reinterpret_cast<GetVersion>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                           : nullptr;
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!get || get(&info) != 0) return 0;
    return info.dwMajorVersion > 10 ? kFirstUnsupportedBuild : info.dwMajorVersion == 10 ? info.dwBuildNumber : 0;
}

JournalSupport& Known() {
    static JournalSupport known =
        SystemBuild() >= kFirstUnsupportedBuild ? JournalSupport::Stuck : JournalSupport::Unknown;
    return known;
}

struct Probe {
    HHOOK hook = nullptr;
    UINT_PTR timer = 0;
};
Probe g_probe;

void StopProbe() {
    if (g_probe.timer) KillTimer(nullptr, g_probe.timer);
    if (g_probe.hook) UnhookWindowsHookEx(g_probe.hook);
    g_probe = {};
}

LRESULT CALLBACK ProbeProc(int code, WPARAM wp, LPARAM lp) {
    if (code < 0) return CallNextHookEx(nullptr, code, wp, lp);
    if (code == HC_GETNEXT && lp) {
        // The one event handed out moves the pointer to where it is.
        auto* event = reinterpret_cast<EVENTMSG*>(lp);
        POINT at{};
        GetCursorPos(&at);
        event->message = WM_MOUSEMOVE;
        event->paramL = static_cast<UINT>(at.x);
        event->paramH = static_cast<UINT>(at.y);
        event->time = GetTickCount();
        event->hwnd = nullptr;
    }
    NoteJournalSupport(JournalSupport::Moves);
    StopProbe();
    return 0;
}

void CALLBACK ProbeExpired(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (id != g_probe.timer) return;
    g_probe.timer = 0;
    if (PlaybackJournalSupport() == JournalSupport::Unknown) NoteJournalSupport(JournalSupport::Stuck);
    StopProbe();
}

HMODULE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ProbeProc), &module);
    return module;
}

}  // namespace

JournalSupport PlaybackJournalSupport() { return Known(); }

void NoteJournalSupport(JournalSupport support) { Known() = support; }

bool ProbePlaybackJournal() {
    if (PlaybackJournalSupport() != JournalSupport::Unknown || g_probe.hook) return false;
    g_probe.hook = g_installJournalHook(WH_JOURNALPLAYBACK, ProbeProc, ThisModule(), 0);
    if (!g_probe.hook) {
        NoteJournalSupport(JournalSupport::Stuck);
        return false;
    }
    // The system may have called the journal already, while it was being installed.
    if (PlaybackJournalSupport() != JournalSupport::Unknown)
        StopProbe();
    else
        g_probe.timer = SetTimer(nullptr, 0, kJournalWatchdogMs, ProbeExpired);
    return true;
}

void EndJournalProbe() { StopProbe(); }

}  // namespace kl::support
