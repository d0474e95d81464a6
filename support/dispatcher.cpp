#include "dispatcher.h"

#include <cstdio>
#include <exception>

#include "block_view.h"
#include "fault_guard.h"
#include "functions/function_table.h"
#include "params.h"
#include "text255.h"

namespace kl::support {
namespace {

constexpr char kSkipping[] = "Skipping execution of function ";
constexpr char kExecuting[] = "Executing function ";
constexpr char kWithParameter[] = " with parameter \"";
constexpr char kNoParameters[] = "No parameters";
constexpr char kNotFound[] = "Function not found";
constexpr char kException[] = "EXCEPTION ";
constexpr std::int32_t kExecutionStarted = 265;
constexpr std::int32_t kJournalPlaying = 2;

struct Call {
    SettingsBlock& block;
    FunctionHandler run;
    const Params& params;
    std::string error;  // the message of a C++ exception; empty when none was raised
    bool raised = false;
};

void RunCall(void* context) {
    Call& call = *static_cast<Call*>(context);
    try {
        call.run(call.block, call.params);
    } catch (const std::exception& e) {
        call.raised = true;
        try {
            call.error = e.what();
        } catch (...) {
        }
    } catch (...) {
        call.raised = true;
        call.error = "unknown error";
    }
}

// Runs the handler; a raised error, or a processor fault inside the function,
// is reported in the block and yields 0.
std::int32_t RunGuarded(SettingsBlock& block, FunctionHandler run, const Params& params) noexcept {
    Call call{block, run, params, {}, false};
    std::string fault;
    const bool returned = RunContainingFaults(RunCall, &call, fault);
    if (returned && !call.raised) return 1;
    ReportFunctionError(block, returned ? call.error : fault);
    return 0;
}

}  // namespace

void ReportFunctionError(SettingsBlock& block, const std::string& message) noexcept {
    try {
        SetText255(block.StatusText, std::string(kException) + message);
    } catch (...) {
        SetText255(block.StatusText, kException);
    }
    block.LastStatus = kStatusFunctionError;
}

std::string HexId(std::uint32_t id) {
    char text[12];
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(id));
    return text;
}

std::int32_t ExecuteFunctionById(std::uint32_t id, const char* parameter) noexcept {
    SettingsBlock* const b = Block();
    if (!b) return 0;
    SettingsBlock& block = *b;
    block.CurrentStatus = kExecutionStarted;

    if (block.HotkeysSuspended) {
        char text[64];
        std::snprintf(text, sizeof text, "%s%X!", kSkipping, static_cast<unsigned>(id));
        SetText255(block.StatusText, text);
        return 1;
    }
    block.HotkeysSuspended = kTrue;
    const std::int32_t modeBefore = block.JournalMode;
    bool faulted = false;

    std::int32_t result = 0;
    try {
        const Params params(parameter);
        if (params.isNull()) {
            SetText255(block.StatusText, kNoParameters);
        } else {
            std::string status = kExecuting;
            status += HexId(id);
            status += kWithParameter;
            status += params.text();
            status += "\".";
            SetText255(block.StatusText, status);  // cut at 255 characters
        }
        if (const FunctionHandler run = FindFunction(id)) {
            result = RunGuarded(block, run, params);
            faulted = result == 0;
        } else {
            SetText255(block.StatusText, kNotFound);
        }
    } catch (...) {
        // Only memory exhaustion while building the status or the parameters.
        SetText255(block.StatusText, "EXCEPTION out of memory");
        block.LastStatus = kStatusFunctionError;
        result = 0;
    }
    // A playback that the function has started holds the flag until it pauses
    // or ends, so that no other function overwrites the events being played.
    // Otherwise the flag goes back to its value before the call: clear.
    // A function that failed half-way leaves the flag clear in every case.
    if (faulted || modeBefore == kJournalPlaying || block.JournalMode != kJournalPlaying)
        block.HotkeysSuspended = kFalse;
    return result;
}

}  // namespace kl::support
