#include "system/step_trace.h"

#include <windows.h>

#include <cstdio>

namespace kl {
namespace {

constexpr char kTraceVariable[] = "KEYLOOM_STEP_TRACE";
constexpr int kMaxSteps = 32;

struct Step {
    const char* name;
    double ms;
};

struct Trace {
    bool checked = false;
    char file[MAX_PATH] = {};
    Step steps[kMaxSteps] = {};
    int count = 0;
};

Trace& State() {
    static Trace trace;
    return trace;
}

bool Enabled(Trace& t) {
    if (!t.checked) {
        t.checked = true;
        const DWORD n = GetEnvironmentVariableA(kTraceVariable, t.file, MAX_PATH);
        if (n == 0 || n >= MAX_PATH) t.file[0] = '\0';
    }
    return t.file[0] != '\0';
}

double NowMs() {
    LARGE_INTEGER frequency{}, now{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

}  // namespace

void TraceStep(const char* step) {
    Trace& t = State();
    if (!Enabled(t) || t.count >= kMaxSteps) return;
    t.steps[t.count++] = {step, NowMs()};
}

void WriteStepTrace() {
    Trace& t = State();
    if (!Enabled(t) || t.count == 0) return;
    if (FILE* out = std::fopen(t.file, "a")) {
        for (int i = 0; i < t.count; ++i) std::fprintf(out, "%s %.3f\n", t.steps[i].name, t.steps[i].ms);
        std::fclose(out);
    }
    t.count = 0;
}

}  // namespace kl
