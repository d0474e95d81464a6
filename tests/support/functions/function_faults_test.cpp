// A processor fault inside a function is contained by the dispatcher: the
// caller gets 0 and "EXCEPTION <fault>", the busy flag is clear and the next
// function runs. The fault is raised by the session seam's handler, called in
// the middle of "Log off" (48), so it happens inside a real function's frames.
// A fault in a window procedure that a function's box or message dispatches is
// not the function's: it goes on to the program's own handling.
#include <cstring>

#include "funcs_fixture.h"
#include "handle_words.h"

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
        case 5:  // a library whose DllMain faults, under the loader's lock
            return LoadLibraryA((TestExeDir() + "fault_on_load.dll").c_str()) != nullptr;
        default:
            break;
    }
    return TRUE;
}

DWORD WINAPI LoadAnotherLibrary(void*) {
    HMODULE m = LoadLibraryA("version.dll");
    if (m) FreeLibrary(m);
    return m != nullptr;
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

// Writes a byte to `where`: one instruction, then the return, so that a handler
// can resume the caller after the fault.
extern "C" void PokeByte(char* where) __asm__("kl_poke_byte");
__asm__(".text\n.globl kl_poke_byte\nkl_poke_byte:\n"
#if defined(_WIN64)
        "  movb $1, (%rcx)\n  ret\n"
#else
        "  movl 4(%esp), %eax\n  movb $1, (%eax)\n  ret\n"
#endif
);

// The program's own handling of a fault in PokeByte, registered after the
// library's guard: the poke is skipped as if it had returned.
class PokeHandler {
public:
    PokeHandler() : handle_(AddVectoredExceptionHandler(0, &Handle)) { faults_ = 0; }
    ~PokeHandler() { RemoveVectoredExceptionHandler(handle_); }
    PokeHandler(const PokeHandler&) = delete;
    PokeHandler& operator=(const PokeHandler&) = delete;
    static int faults() { return faults_; }

private:
    static LONG CALLBACK Handle(EXCEPTION_POINTERS* info) {
        const auto at = reinterpret_cast<ULONG_PTR>(info->ExceptionRecord->ExceptionAddress);
        const auto poke = reinterpret_cast<ULONG_PTR>(&PokeByte);
        if (info->ExceptionRecord->ExceptionCode != EXCEPTION_ACCESS_VIOLATION || at < poke || at >= poke + 8)
            return EXCEPTION_CONTINUE_SEARCH;
        ++faults_;
        CONTEXT& c = *info->ContextRecord;
#if defined(_WIN64)
        c.Rip = *reinterpret_cast<DWORD64*>(c.Rsp);
        c.Rsp += 8;
#else
        c.Eip = *reinterpret_cast<DWORD*>(c.Esp);
        c.Esp += 4;
#endif
        return EXCEPTION_CONTINUE_EXECUTION;
    }
    static inline int faults_ = 0;
    PVOID handle_;
};

// A window of the test's own thread whose procedure faults on `faultOn`; on
// WM_APP it then answers the thread's message box with No.
UINT g_faultOn = 0;

BOOL CALLBACK AnswerNo(HWND w, LPARAM) {
    char cls[16] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (std::strcmp(cls, "#32770") == 0) PostMessageA(w, WM_COMMAND, IDNO, 0);
    return TRUE;
}

LRESULT CALLBACK FaultingProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == g_faultOn) {
        PokeByte(g_nowhere);
        if (m == WM_APP) EnumThreadWindows(GetCurrentThreadId(), &AnswerNo, 0);
    }
    return DefWindowProcA(w, m, wp, lp);
}

HWND FaultingWindow(UINT faultOn) {
    g_faultOn = faultOn;
    WNDCLASSA wc{};
    wc.lpfnWndProc = &FaultingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "KeyloomFaultingWindow";
    RegisterClassA(&wc);
    return CreateWindowA(wc.lpszClassName, "Faulting", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200, nullptr,
                         nullptr, wc.hInstance, nullptr);
}

}  // namespace

TEST_F(FunctionFaultTest, AFaultInAWindowProcedureThatTheBoxDispatchesIsNotTheFunctions) {
    PokeHandler handler;
    const HWND window = FaultingWindow(WM_APP);
    ASSERT_NE(window, nullptr);
    b().MainWindow = WordFromHandle(window);  // the box's owner
    g_kind = 0;
    PostMessageA(window, WM_APP, 0, 0);  // dispatched by the box's own loop

    b().LastStatus = 0;
    EXPECT_EQ(Run(49), 1);  // "Shut down" asks first; the window answers No
    EXPECT_EQ(handler.faults(), 1);
    EXPECT_EQ(Status().rfind("Executing function 31", 0), 0u) << Status();
    EXPECT_EQ(b().LastStatus, 0);
    EXPECT_EQ(b().HotkeysSuspended, 0);
    EXPECT_TRUE(IsWindowEnabled(window)) << "the box ended and gave its owner back";
    // A fault of the function itself is contained as before.
    ExpectContained(0, "Access violation at address ");
    DestroyWindow(window);
}

TEST_F(FunctionFaultTest, AFaultInAWindowProcedureThatAFunctionSendsToIsNotTheFunctions) {
    PokeHandler handler;
    const HWND window = FaultingWindow(WM_SIZE);
    ASSERT_NE(window, nullptr);
    SetForegroundWindow(window);
    ASSERT_EQ(GetForegroundWindow(), window);
    // Maximising the foreground window sends it WM_SIZE from inside the function.
    EXPECT_EQ(Run(36), 1);
    EXPECT_GE(handler.faults(), 1);
    EXPECT_TRUE(IsZoomed(window));
    EXPECT_EQ(Status().rfind("Executing function 24", 0), 0u) << Status();
    DestroyWindow(window);
}

TEST_F(FunctionFaultTest, AFaultUnderTheLoaderLockIsLeftToTheLoader) {
    g_kind = 5;
    b().LastStatus = 0;
    EXPECT_EQ(Run(48), 1);  // the loader fails the load itself
    EXPECT_EQ(Status().rfind("Executing function 30", 0), 0u) << Status();
    EXPECT_EQ(b().LastStatus, 0);
    // The lock was given back: another thread can load a library.
    HANDLE loader = CreateThread(nullptr, 0, &LoadAnotherLibrary, nullptr, 0, nullptr);
    ASSERT_NE(loader, nullptr);
    EXPECT_EQ(WaitForSingleObject(loader, 10000), WAIT_OBJECT_0) << "the loader's lock stayed held";
    CloseHandle(loader);
}
