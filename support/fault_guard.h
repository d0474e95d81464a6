// Containing a processor fault (access violation, illegal instruction,
// division by zero) raised while one function of the library runs, so that a
// fault in one function does not end the program that called it.
//
// A vectored exception handler sees the fault first. When the faulting thread
// is inside RunContainingFaults, the handler redirects the thread to the
// recovery point of the innermost call, which returns false. Destructors of
// the frames between are skipped: what they held is lost, not released, but
// each RestoredState of those frames is put back first.
//
// Only the function's own code is contained: no fault raised while the
// function waits in a call that dispatches messages or runs other modules'
// code (a NestedDispatch, or a message sent to a window of the thread), none
// while the thread holds the loader lock, none inside ntdll (the heap and the
// loader, with their locks). Those go on to the system's handling as they
// would without the guard.
//
// System libraries handle some faults themselves (probing a pointer): a fault
// inside a module of the Windows folder, other than the C runtime, is left to
// their own handlers first, and is contained by the unhandled-exception filter
// only when none of them takes it.
#pragma once

#include <cstdint>
#include <string>

namespace kl::support {

using FaultBody = void (*)(void* context);

// Runs body(context). True when it returned; false when a fault ended it,
// with `fault` describing it ("Access violation at address ... writing
// address ..."). `body` must not let a C++ exception escape.
bool RunContainingFaults(FaultBody body, void* context, std::string& fault) noexcept;

// Lives around a call that may dispatch messages (a message box, the shell, a
// message sent to a window) or run code of other modules: while one lives, a
// fault is not the function's own and is never contained.
class NestedDispatch {
public:
    NestedDispatch() noexcept;
    ~NestedDispatch();
    NestedDispatch(const NestedDispatch&) = delete;
    NestedDispatch& operator=(const NestedDispatch&) = delete;

private:
    void* recovery_;
};

// Puts a 32-bit state (a flag of the block, a counter) back to `value` when
// the scope ends. A contained fault skips the scope's end: the guard then puts
// it back itself, innermost first, before RunContainingFaults returns. Both ends
// are out of line, so that the record is complete in memory before anything
// can fault.
class RestoredState {
public:
    RestoredState(void* state, std::int32_t value) noexcept;
    ~RestoredState();
    RestoredState(const RestoredState&) = delete;
    RestoredState& operator=(const RestoredState&) = delete;

private:
    friend struct FaultGuardAccess;
    void PutBack() const noexcept;
    void* recovery_;
    RestoredState* outer_ = nullptr;
    void* state_;
    std::int32_t value_;
};

// Registers and removes the handlers (library attach and detach).
void InstallFaultGuard();
void RemoveFaultGuard();

}  // namespace kl::support
