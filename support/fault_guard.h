// Containing a processor fault (access violation, illegal instruction,
// division by zero) raised while one function of the library runs, so that a
// fault in one function does not end the program that called it.
//
// A vectored exception handler sees the fault first. When the faulting thread
// is inside RunContainingFaults, the handler redirects the thread to the
// recovery point of the innermost call, which returns false. Destructors of
// the frames between are skipped: what they held is lost, not released.
//
// System libraries handle some faults themselves (probing a pointer): a fault
// inside a module of the Windows folder, other than the C runtime, is left to
// their own handlers first, and is contained by the unhandled-exception filter
// only when none of them takes it.
#pragma once

#include <string>

namespace kl::support {

using FaultBody = void (*)(void* context);

// Runs body(context). True when it returned; false when a fault ended it,
// with `fault` describing it ("Access violation at address ... writing
// address ..."). `body` must not let a C++ exception escape.
bool RunContainingFaults(FaultBody body, void* context, std::string& fault) noexcept;

// Registers and removes the handlers (library attach and detach).
void InstallFaultGuard();
void RemoveFaultGuard();

}  // namespace kl::support
