#include "fault_guard.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <cwchar>

namespace kl::support {

// The recovery point of one RunContainingFaults call on this thread.
struct Recovery {
    void* jump[5];  // __builtin_setjmp's buffer
    Recovery* outer;
    DWORD code;
    ULONG_PTR address;  // the faulting instruction
    ULONG_PTR access;   // access violations: 0 read, 1 write, 8 execute
    ULONG_PTR target;   // access violations: the address accessed
    // Calls under way that dispatch messages or run other modules' code: the
    // open NestedDispatch scopes and the messages sent to the thread's windows.
    int dispatching;
    RestoredState* restorers;  // the innermost first
    // The outermost call watches the messages sent to the thread's windows.
    HHOOK beforeSent;
    HHOOK afterSent;
};

struct FaultGuardAccess {
    static void RestoreAll(const Recovery& r) {
        for (const RestoredState* s = r.restorers; s; s = s->outer_) s->PutBack();
    }
};

namespace {

DWORD g_slot = TLS_OUT_OF_INDEXES;
PVOID g_vectored = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER g_previousFilter = nullptr;
bool g_filterSet = false;
wchar_t g_windowsDir[MAX_PATH + 1] = {};
std::size_t g_windowsDirLength = 0;
HMODULE g_ntdll = nullptr;

bool IsProcessorFault(const EXCEPTION_RECORD& r) {
    if (r.ExceptionFlags & EXCEPTION_NONCONTINUABLE) return false;
    switch (r.ExceptionCode) {
        case EXCEPTION_ACCESS_VIOLATION:
        case EXCEPTION_ILLEGAL_INSTRUCTION:
        case EXCEPTION_PRIV_INSTRUCTION:
        case EXCEPTION_INT_DIVIDE_BY_ZERO:
        case EXCEPTION_INT_OVERFLOW:
        case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
        case EXCEPTION_DATATYPE_MISALIGNMENT:
        case EXCEPTION_IN_PAGE_ERROR:
            return true;
        default:
            return false;
    }
}

Recovery* CurrentRecovery() {
    if (g_slot == TLS_OUT_OF_INDEXES) return nullptr;
    const DWORD error = GetLastError();  // TlsGetValue clears it
    auto* r = static_cast<Recovery*>(TlsGetValue(g_slot));
    SetLastError(error);
    return r;
}

wchar_t Lower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool StartsWithNoCase(const wchar_t* text, const wchar_t* prefix, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i)
        if (!text[i] || Lower(text[i]) != Lower(prefix[i])) return false;
    return true;
}

bool EndsWithNoCase(const wchar_t* text, std::size_t length, const wchar_t* suffix) {
    const std::size_t n = std::wcslen(suffix);
    return length >= n && StartsWithNoCase(text + length - n, suffix, n) && (length == n || text[length - n - 1] == L'\\');
}

HMODULE ModuleOf(const void* address) {
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCWSTR>(address), &module))
        return nullptr;
    return module;
}

// A fault inside a system library may be one that the library catches itself.
// The C runtime catches none: a bad pointer passed to strlen is the caller's fault.
bool LeftToSystemHandlers(const void* address) {
    const HMODULE module = ModuleOf(address);
    if (!module) return false;  // no module: a jump into the void
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameW(module, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH || g_windowsDirLength == 0) return false;
    if (!StartsWithNoCase(path, g_windowsDir, g_windowsDirLength)) return false;
    return !EndsWithNoCase(path, n, L"msvcrt.dll") && !EndsWithNoCase(path, n, L"ucrtbase.dll");
}

#if !defined(_WIN64)
// The head of the thread's chain of exception registrations (fs:[0]).
void* RegistrationChain() {
    void* head;
    __asm__ volatile("movl %%fs:0, %0" : "=r"(head));
    return head;
}
void SetRegistrationChain(void* head) { __asm__ volatile("movl %0, %%fs:0" : : "r"(head) : "memory"); }
#endif

// Whether this thread holds the loader's lock (running a DllMain, or inside
// the loader): leaving its frames would keep the lock held for good. The lock
// is the critical section the process environment block points to.
bool LoaderLockHeld() {
    const unsigned char* peb;
#if defined(_WIN64)
    constexpr std::size_t kLoaderLockOffset = 0x110;
    __asm__("movq %%gs:0x60, %0" : "=r"(peb));
#else
    constexpr std::size_t kLoaderLockOffset = 0xA0;
    __asm__("movl %%fs:0x30, %0" : "=r"(peb));
#endif
    if (!peb) return false;
    RTL_CRITICAL_SECTION* lock = nullptr;
    std::memcpy(&lock, peb + kLoaderLockOffset, sizeof lock);
    return lock && reinterpret_cast<ULONG_PTR>(lock->OwningThread) == GetCurrentThreadId();
}

// Whether a fault may end the function: raised in its own code, with nothing
// between that the jump would leave half done.
bool Containable(const Recovery& r, const EXCEPTION_RECORD& rec) {
    if (r.dispatching > 0) return false;  // in code run by a dispatch the function waits in
    if (LoaderLockHeld()) return false;
    // The heap and the loader live in ntdll and hold their locks there.
    return !g_ntdll || ModuleOf(rec.ExceptionAddress) != g_ntdll;
}

LRESULT CALLBACK BeforeSentMessage(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION)
        if (Recovery* r = CurrentRecovery()) ++r->dispatching;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK AfterSentMessage(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION)
        if (Recovery* r = CurrentRecovery(); r && r->dispatching > 0) --r->dispatching;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void WatchSentMessages(Recovery& r) {
    const DWORD thread = GetCurrentThreadId();
    r.beforeSent = SetWindowsHookExA(WH_CALLWNDPROC, BeforeSentMessage, nullptr, thread);
    r.afterSent = SetWindowsHookExA(WH_CALLWNDPROCRET, AfterSentMessage, nullptr, thread);
}

void StopWatchingSentMessages(Recovery& r) {
    if (r.beforeSent) UnhookWindowsHookEx(r.beforeSent);
    if (r.afterSent) UnhookWindowsHookEx(r.afterSent);
    r.beforeSent = r.afterSent = nullptr;
}

// Runs below every frame the fault ends, which therefore still hold their
// restorers when they are called.
[[noreturn]] __attribute__((noinline)) void ResumeAtRecovery() {
    Recovery* r = CurrentRecovery();
    FaultGuardAccess::RestoreAll(*r);
    __builtin_longjmp(r->jump, 1);
}

// Sends the thread to the recovery point once the exception has been dispatched.
LONG Redirect(Recovery& r, EXCEPTION_POINTERS& info) {
    const EXCEPTION_RECORD& rec = *info.ExceptionRecord;
    r.code = rec.ExceptionCode;
    r.address = reinterpret_cast<ULONG_PTR>(rec.ExceptionAddress);
    r.access = rec.NumberParameters >= 2 ? rec.ExceptionInformation[0] : 0;
    r.target = rec.NumberParameters >= 2 ? rec.ExceptionInformation[1] : 0;
    CONTEXT& c = *info.ContextRecord;
    // The resume routine runs below the faulting frame, as if called there.
#if defined(_WIN64)
    c.Rsp = ((c.Rsp - 512) & ~static_cast<DWORD64>(15)) - 8;
    c.Rip = reinterpret_cast<DWORD64>(&ResumeAtRecovery);
#else
    c.Esp = ((c.Esp - 512) & ~static_cast<DWORD>(15)) - 4;
    c.Eip = reinterpret_cast<DWORD>(&ResumeAtRecovery);
#endif
    return EXCEPTION_CONTINUE_EXECUTION;
}

LONG CALLBACK OnFirstChance(EXCEPTION_POINTERS* info) {
    if (!IsProcessorFault(*info->ExceptionRecord)) return EXCEPTION_CONTINUE_SEARCH;
    Recovery* r = CurrentRecovery();
    if (!r || !Containable(*r, *info->ExceptionRecord) || LeftToSystemHandlers(info->ExceptionRecord->ExceptionAddress))
        return EXCEPTION_CONTINUE_SEARCH;
    return Redirect(*r, *info);
}

LONG WINAPI OnUnhandled(EXCEPTION_POINTERS* info) {
    Recovery* r = IsProcessorFault(*info->ExceptionRecord) ? CurrentRecovery() : nullptr;
    if (r && Containable(*r, *info->ExceptionRecord)) return Redirect(*r, *info);
    return g_previousFilter ? g_previousFilter(info) : EXCEPTION_CONTINUE_SEARCH;
}

std::string Describe(const Recovery& r) {
    char text[160];
    const void* at = reinterpret_cast<const void*>(r.address);
    const void* target = reinterpret_cast<const void*>(r.target);
    switch (r.code) {
        case EXCEPTION_ACCESS_VIOLATION: {
            const char* how = r.access == 1 ? "writing" : r.access == 8 ? "executing" : "reading";
            std::snprintf(text, sizeof text, "Access violation at address %p %s address %p", at, how, target);
            break;
        }
        case EXCEPTION_INT_DIVIDE_BY_ZERO:
            std::snprintf(text, sizeof text, "Division by zero at address %p", at);
            break;
        case EXCEPTION_ILLEGAL_INSTRUCTION:
        case EXCEPTION_PRIV_INSTRUCTION:
            std::snprintf(text, sizeof text, "Illegal instruction at address %p", at);
            break;
        default:
            std::snprintf(text, sizeof text, "Fault %08lX at address %p", static_cast<unsigned long>(r.code), at);
            break;
    }
    return text;
}

}  // namespace

__attribute__((noinline)) bool RunContainingFaults(FaultBody body, void* context, std::string& fault) noexcept {
    if (g_slot == TLS_OUT_OF_INDEXES || !g_vectored) {
        body(context);
        return true;
    }
    Recovery recovery{};
    recovery.outer = CurrentRecovery();
    if (!recovery.outer) WatchSentMessages(recovery);
#if !defined(_WIN64)
    // The chain of exception registrations of the frames a fault leaves behind.
    void* const registrations = RegistrationChain();
#endif
    Recovery* volatile self = &recovery;
    if (__builtin_setjmp(recovery.jump) == 0) {
        TlsSetValue(g_slot, self);
        std::atomic_signal_fence(std::memory_order_seq_cst);
        body(context);
        std::atomic_signal_fence(std::memory_order_seq_cst);
        TlsSetValue(g_slot, self->outer);
        StopWatchingSentMessages(*self);
        return true;
    }
#if !defined(_WIN64)
    SetRegistrationChain(registrations);
#endif
    TlsSetValue(g_slot, self->outer);
    StopWatchingSentMessages(*self);
    try {
        fault = Describe(*self);
    } catch (...) {
        fault.clear();
    }
    return false;
}

NestedDispatch::NestedDispatch() noexcept : recovery_(CurrentRecovery()) {
    if (recovery_) ++static_cast<Recovery*>(recovery_)->dispatching;
}

NestedDispatch::~NestedDispatch() {
    if (recovery_) --static_cast<Recovery*>(recovery_)->dispatching;
}

RestoredState::RestoredState(void* state, std::int32_t value) noexcept
    : recovery_(CurrentRecovery()), state_(state), value_(value) {
    if (!recovery_) return;
    Recovery& r = *static_cast<Recovery*>(recovery_);
    outer_ = r.restorers;
    r.restorers = this;
}

RestoredState::~RestoredState() {
    PutBack();
    if (recovery_) static_cast<Recovery*>(recovery_)->restorers = outer_;
}

void RestoredState::PutBack() const noexcept { std::memcpy(state_, &value_, sizeof value_); }

void InstallFaultGuard() {
    if (g_vectored) return;
    g_ntdll = GetModuleHandleW(L"ntdll.dll");
    if (g_slot == TLS_OUT_OF_INDEXES) g_slot = TlsAlloc();
    if (g_slot == TLS_OUT_OF_INDEXES) return;
    const UINT n = GetWindowsDirectoryW(g_windowsDir, MAX_PATH);
    g_windowsDirLength = n > 0 && n < MAX_PATH ? n : 0;
    if (g_windowsDirLength && g_windowsDir[g_windowsDirLength - 1] != L'\\') {
        g_windowsDir[g_windowsDirLength++] = L'\\';
        g_windowsDir[g_windowsDirLength] = 0;
    }
    g_vectored = AddVectoredExceptionHandler(1, OnFirstChance);
    g_previousFilter = SetUnhandledExceptionFilter(OnUnhandled);
    g_filterSet = true;
}

void RemoveFaultGuard() {
    if (g_vectored) RemoveVectoredExceptionHandler(g_vectored);
    g_vectored = nullptr;
    if (g_filterSet) {
        // Put the previous filter back unless another module has replaced ours since.
        const LPTOP_LEVEL_EXCEPTION_FILTER current = SetUnhandledExceptionFilter(g_previousFilter);
        if (current != OnUnhandled) SetUnhandledExceptionFilter(current);
        g_filterSet = false;
    }
    if (g_slot != TLS_OUT_OF_INDEXES) TlsFree(g_slot);
    g_slot = TLS_OUT_OF_INDEXES;
}

}  // namespace kl::support
