#include "fault_guard.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cwchar>

namespace kl::support {
namespace {

// The recovery point of one RunContainingFaults call on this thread.
struct Recovery {
    void* jump[5];  // __builtin_setjmp's buffer
    Recovery* outer;
    DWORD code;
    ULONG_PTR address;  // the faulting instruction
    ULONG_PTR access;   // access violations: 0 read, 1 write, 8 execute
    ULONG_PTR target;   // access violations: the address accessed
};

DWORD g_slot = TLS_OUT_OF_INDEXES;
PVOID g_vectored = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER g_previousFilter = nullptr;
bool g_filterSet = false;
wchar_t g_windowsDir[MAX_PATH + 1] = {};
std::size_t g_windowsDirLength = 0;

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

// A fault inside a system library may be one that the library catches itself.
// The C runtime catches none: a bad pointer passed to strlen is the caller's fault.
bool LeftToSystemHandlers(const void* address) {
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCWSTR>(address), &module))
        return false;  // no module: a jump into the void
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

[[noreturn]] __attribute__((noinline)) void ResumeAtRecovery() {
    Recovery* r = CurrentRecovery();
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
    if (!r || LeftToSystemHandlers(info->ExceptionRecord->ExceptionAddress)) return EXCEPTION_CONTINUE_SEARCH;
    return Redirect(*r, *info);
}

LONG WINAPI OnUnhandled(EXCEPTION_POINTERS* info) {
    Recovery* r = IsProcessorFault(*info->ExceptionRecord) ? CurrentRecovery() : nullptr;
    if (r) return Redirect(*r, *info);
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
        return true;
    }
#if !defined(_WIN64)
    SetRegistrationChain(registrations);
#endif
    TlsSetValue(g_slot, self->outer);
    try {
        fault = Describe(*self);
    } catch (...) {
        fault.clear();
    }
    return false;
}

void InstallFaultGuard() {
    if (g_vectored) return;
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
