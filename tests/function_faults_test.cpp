// A processor fault inside a function is contained by the dispatcher: the
// caller gets 0 and "EXCEPTION <fault>", the busy flag is clear and the next
// function runs. The fault is raised by the session seam's handler, called in
// the middle of "Log off" (48), so it happens inside a real function's frames.
#include <cstring>

#include "funcs_fixture.h"

using namespace kl;
using namespace kl::testing;

namespace {

int g_kind = 0;
bool g_probeResult = false;
char* volatile g_nowhere = nullptr;  // a global: the compiler cannot know it stays null

BOOL WINAPI FaultingSessionCall(UINT, UINT) {
    volatile int zero = 0;
    char* const nowhere = g_nowhere;
    switch (g_kind) {
        case 0:  // in this program's own code
            *static_cast<volatile char*>(nowhere) = 'x';
            break;
        case 1: {  // inside the C runtime
            void* (*volatile fill)(void*, int, std::size_t) = &std::memset;
            fill(nowhere, 0, 4);
            break;
        }
        case 2:
            return 10 / zero;
        case 3:  // inside a system library that does not catch it
            return MultiByteToWideChar(CP_ACP, 0, "abc", 3, reinterpret_cast<LPWSTR>(nowhere + 64), 3);
        case 4:  // a system library's probe that catches its own fault
            g_probeResult = IsBadReadPtr(nowhere + 16, 4);
            break;
        default:
            break;
    }
    return TRUE;
}

class FunctionFaultTest : public FunctionTest {
protected:
    using SetHandlerFn = void WINAPI(BOOL(WINAPI*)(UINT, UINT));
    SetHandlerFn* setHandler_ = lib_.Get<SetHandlerFn>("SetSessionActionHandler");

    void SetUp() override {
        FunctionTest::SetUp();
        ASSERT_NE(setHandler_, nullptr);
        setHandler_(FaultingSessionCall);
    }
    void TearDown() override { setHandler_(nullptr); }

    // Faults in "Log off", checks what the dispatcher left behind; the status text.
    std::string ExpectContained(int kind, const std::string& fault) {
        g_kind = kind;
        b().LastStatus = 0;
        EXPECT_EQ(Run(48), 0) << kind;
        const std::string status = Status();
        EXPECT_EQ(status.rfind("EXCEPTION " + fault, 0), 0u) << status;
        EXPECT_EQ(b().LastStatus, -1);
        EXPECT_EQ(b().HotkeysSuspended, 0);
        b().KeyloomEnabled = 0;
        EXPECT_EQ(Run(1), 1);  // the next function runs as usual
        EXPECT_EQ(b().KeyloomEnabled, kTrue);
        EXPECT_EQ(b().HotkeysSuspended, 0);
        return status;
    }
};

TEST_F(FunctionFaultTest, FaultsInsideAFunctionEndOnlyThatFunction) {
    std::string status = ExpectContained(0, "Access violation at address ");
    EXPECT_NE(status.find(" writing address 0"), std::string::npos) << status;
    status = ExpectContained(1, "Access violation at address ");
    EXPECT_NE(status.find(" writing address 0"), std::string::npos) << status;
    ExpectContained(2, "Division by zero at address ");
    // Left to the system library's own handlers first, then contained as unhandled.
    status = ExpectContained(3, "Access violation at address ");
    EXPECT_NE(status.find(" writing address "), std::string::npos) << status;
    EXPECT_EQ(status.substr(status.size() - 3), "040") << status;
    // The same again: every contained fault leaves the guard ready for the next.
    ExpectContained(0, "Access violation at address ");
}

TEST_F(FunctionFaultTest, AFaultThatASystemLibraryHandlesItselfIsNotReported) {
    g_kind = 4;
    g_probeResult = false;
    EXPECT_EQ(Run(48), 1);
    EXPECT_TRUE(g_probeResult);
    EXPECT_EQ(Status().rfind("Executing function 30", 0), 0u) << Status();
}

}  // namespace
