// ExecuteFunctionEx and ExecuteFunction through the exports: status texts, the
// busy flag, unknown IDs, parameter cutting and the program-control functions.
#include "dispatch_fixture.h"
#include "testing/fresh_session.h"

using namespace kl;
using namespace kl::testing;

KL_REQUIRE_FRESH_SESSION();

namespace {

const std::string kQuote = "\"";

std::string Executing(const std::string& hex, const std::string& param) {
    return "Executing function " + hex + " with parameter " + kQuote + param + kQuote + ".";
}

}  // namespace

TEST(DispatchUnmapped, ReturnsZeroWithoutTheBlock) {
    Library lib("klsupport.dll");  // no mapping exists in this process now
    EXPECT_EQ(lib.Get<ExecuteFunctionExFn>("ExecuteFunctionEx")(1, ""), 0);
    EXPECT_EQ(lib.Get<ExecuteFunctionFn>("ExecuteFunction")(1), 0);
}

TEST_F(DispatchTest, StatusTextsNameTheIdInUpperCaseHex) {
    b().KeyloomEnabled = kFalse;
    EXPECT_EQ(execute_(1), 1);
    EXPECT_EQ(b().KeyloomEnabled, kTrue);
    EXPECT_EQ(Status(), Executing("1", ""));
    EXPECT_EQ(b().CurrentStatus, 265);
    EXPECT_EQ(b().HotkeysSuspended, 0);

    EXPECT_EQ(executeEx_(162, "abc"), 1);
    EXPECT_EQ(Status(), Executing("A2", "abc"));
    EXPECT_EQ(executeEx_(0xE5, "x\xFFy"), 1);
    EXPECT_EQ(Status(), Executing("E5", "x\xFFy"));

    EXPECT_EQ(executeEx_(176, nullptr), 1);
    EXPECT_EQ(Status(), "No parameters");
    EXPECT_EQ(b().WinKeyEnabled, kFalse);
}

TEST_F(DispatchTest, UnknownIdsAreNotFoundAndClearTheBusyFlag) {
    b().LastStatus = 7;
    for (std::uint32_t id : {0u, 5u, 15u, 79u, 280u, 0x1A2u, 0xFFFFFFFFu}) {
        b().CurrentStatus = 0;
        EXPECT_EQ(executeEx_(id, "p"), 0) << id;
        EXPECT_EQ(Status(), "Function not found") << id;
        EXPECT_EQ(b().CurrentStatus, 265);
        EXPECT_EQ(b().HotkeysSuspended, 0);
    }
    EXPECT_EQ(execute_(0), 0);
    EXPECT_EQ(b().LastStatus, 7);  // only a raised error marks LastStatus
}

TEST_F(DispatchTest, BusyFlagSkipsWithoutRunning) {
    b().HotkeysSuspended = kTrue;
    b().KeyloomEnabled = kFalse;
    EXPECT_EQ(execute_(1), 1);
    EXPECT_EQ(b().KeyloomEnabled, kFalse);
    EXPECT_EQ(Status(), "Skipping execution of function 1!");
    EXPECT_EQ(b().HotkeysSuspended, kTrue);
    EXPECT_EQ(b().CurrentStatus, 265);

    // Any nonzero value counts as busy, also the hook's 1; the ID need not exist.
    b().HotkeysSuspended = 1;
    EXPECT_EQ(executeEx_(0x1ABCu, nullptr), 1);
    EXPECT_EQ(Status(), "Skipping execution of function 1ABC!");
    EXPECT_EQ(b().HotkeysSuspended, 1);
}

TEST_F(DispatchTest, SecondCallFromInsideARunningFunctionIsSkipped) {
    NotifyWindow main;
    main.AttachTo(b());
    std::int32_t inner = -99;
    std::int32_t flagInside = 0;
    main.onNotify = [&](WPARAM, LPARAM) {
        flagInside = b().HotkeysSuspended;
        b().WinKeyEnabled = kTrue;
        inner = execute_(176);  // would switch the Windows key off if it ran
    };
    EXPECT_EQ(executeEx_(4, "3"), 1);  // notifies its own thread's window synchronously
    ASSERT_TRUE(main.PumpUntil([&] { return inner != -99; }));
    EXPECT_EQ(flagInside, kTrue);
    EXPECT_EQ(inner, 1);
    EXPECT_EQ(b().WinKeyEnabled, kTrue);
    EXPECT_EQ(Status(), "Skipping execution of function B0!");
    EXPECT_EQ(b().HotkeysSuspended, 0);
}

TEST_F(DispatchTest, LongParameterIsCutTo255BeforeSplitting) {
    NotifyWindow main;
    main.AttachTo(b());
    // 255 characters make the number 42; the 256th would make it 429.
    const std::string param = std::string(253, '0') + "42" + "9" + std::string(44, 'x');
    ASSERT_EQ(param.size(), 300u);
    EXPECT_EQ(executeEx_(4, param.c_str()), 1);
    ASSERT_TRUE(main.PumpUntil([&] { return !main.received.empty(); }));
    EXPECT_EQ(main.received.back().wParam, 42u);
    EXPECT_EQ(main.received.back().lParam, -6);

    const std::string status = Status();
    EXPECT_EQ(status.size(), 255u);
    EXPECT_EQ(status, (Executing("4", param.substr(0, 255))).substr(0, 255));
}

TEST_F(DispatchTest, ProfileNumberFieldRules) {
    NotifyWindow main;
    main.AttachTo(b());
    const std::pair<const char*, std::int32_t> cases[] = {
        {"12\xFF" "34", 12}, {"$1F", 31}, {"-5", -5}, {"-$10", -16}, {"abc", 0}, {"", 0},
        {"\xFF" "9", 0},     {"99999999999", 0}, {"$FFFFFFFF", -1}, {"12x", 0},
    };
    for (const auto& [param, expected] : cases) {
        main.received.clear();
        EXPECT_EQ(executeEx_(4, param), 1);
        ASSERT_TRUE(main.PumpUntil([&] { return !main.received.empty(); })) << param;
        EXPECT_EQ(static_cast<std::int32_t>(main.received.back().wParam), expected) << param;
    }
}

TEST_F(DispatchTest, OptionToggles) {
    EXPECT_EQ(execute_(2), 1);
    EXPECT_EQ(b().KeyloomEnabled, kFalse);
    EXPECT_EQ(execute_(1), 1);
    EXPECT_EQ(b().KeyloomEnabled, kTrue);

    EXPECT_EQ(execute_(176), 1);
    EXPECT_EQ(b().WinKeyEnabled, kFalse);
    EXPECT_EQ(execute_(178), 1);
    EXPECT_EQ(b().WinKeyEnabled, kTrue);
    EXPECT_EQ(execute_(178), 1);
    EXPECT_EQ(b().WinKeyEnabled, kFalse);
    EXPECT_EQ(execute_(177), 1);
    EXPECT_EQ(b().WinKeyEnabled, kTrue);
    b().WinKeyEnabled = 1;  // the hook's truth value is true as well
    EXPECT_EQ(execute_(178), 1);
    EXPECT_EQ(b().WinKeyEnabled, kFalse);
}

TEST_F(DispatchTest, NotificationsReachTheMainWindowWithTheRegisteredMessage) {
    NotifyWindow main;
    main.AttachTo(b());
    struct Case { std::uint32_t id; WPARAM wParam; LPARAM lParam; };
    const Case cases[] = {
        {3, 0, 515}, {4, 0, -6}, {18, 0, -5}, {98, 0, -4}, {193, 0, -1}, {194, 0, -1}, {229, 0, -3},
    };
    for (const Case& c : cases) {
        main.received.clear();
        EXPECT_EQ(executeEx_(c.id, ""), 1) << c.id;
        ASSERT_TRUE(main.PumpUntil([&] { return !main.received.empty(); })) << c.id;
        EXPECT_EQ(main.received.size(), 1u) << c.id;
        EXPECT_EQ(main.received[0].wParam, c.wParam) << c.id;
        EXPECT_EQ(main.received[0].lParam, c.lParam) << c.id;
    }
    // 144 passes the foreground window, which may still change after an earlier test's window closed.
    main.received.clear();
    const WPARAM before = reinterpret_cast<WPARAM>(GetForegroundWindow());
    EXPECT_EQ(execute_(144), 1);
    const WPARAM after = reinterpret_cast<WPARAM>(GetForegroundWindow());
    ASSERT_TRUE(main.PumpUntil([&] { return !main.received.empty(); }));
    EXPECT_TRUE(main.received[0].wParam == before || main.received[0].wParam == after);
    EXPECT_EQ(main.received[0].lParam, -1);

    main.received.clear();
    EXPECT_EQ(execute_(162), 1);
    EXPECT_EQ(execute_(163), 1);
    main.Pump();
    EXPECT_TRUE(main.received.empty());
}

TEST_F(DispatchTest, NoNotificationWithoutAValidWindowAndMessage) {
    NotifyWindow main;
    main.AttachTo(b());
    b().NotifyMessage = 0;
    EXPECT_EQ(execute_(18), 1);
    main.AttachTo(b());
    b().MainWindow = 0;
    EXPECT_EQ(execute_(18), 1);
    EXPECT_EQ(execute_(3), 1);  // no main window: nothing at all
    b().MainWindow = 0x7FFFFFF0;  // names no window
    EXPECT_EQ(execute_(18), 1);
    main.Pump();
    EXPECT_TRUE(main.received.empty());
}

TEST_F(DispatchTest, ShowMainWindowActivatesAVisibleWindowWithoutNotifying) {
    NotifyWindow main;
    main.AttachTo(b());
    main.Show();
    ShowWindow(main.hwnd(), SW_MINIMIZE);
    main.Pump();
    EXPECT_EQ(execute_(3), 1);
    main.Pump();
    EXPECT_TRUE(main.received.empty());
    EXPECT_FALSE(IsIconic(main.hwnd()));
}

TEST_F(DispatchTest, WindowsKeyCombinationsReachTheFocusedWindow) {
    NotifyWindow target;
    target.Show();
    ASSERT_TRUE(target.PumpUntil([&] { return GetForegroundWindow() == target.hwnd(); }));
    const std::pair<std::uint32_t, WPARAM> cases[] = {{179, 'D'}, {180, 'E'}, {181, 'F'}, {182, 'M'}, {183, 'R'}};
    for (const auto& [id, key] : cases) {
        target.keys.clear();
        b().KeyloomEnabled = kTrue;
        EXPECT_EQ(execute_(id), 1);
        EXPECT_EQ(b().KeyloomEnabled, kTrue);
        ASSERT_TRUE(target.PumpUntil([&] { return target.keys.size() >= 4; })) << id;
        ASSERT_EQ(target.keys.size(), 4u);
        EXPECT_EQ(target.keys[0].second, static_cast<WPARAM>(VK_LWIN)) << id;
        EXPECT_EQ(target.keys[1].second, key) << id;
        EXPECT_EQ(target.keys[2].second, key) << id;
        EXPECT_EQ(target.keys[3].second, static_cast<WPARAM>(VK_LWIN)) << id;
        EXPECT_TRUE(target.keys[0].first == WM_KEYDOWN || target.keys[0].first == WM_SYSKEYDOWN);
        EXPECT_TRUE(target.keys[3].first == WM_KEYUP || target.keys[3].first == WM_SYSKEYUP);
    }
    b().KeyloomEnabled = kFalse;  // the option comes back as it was
    EXPECT_EQ(execute_(179), 1);
    EXPECT_EQ(b().KeyloomEnabled, kFalse);
    target.PumpUntil([&] { return target.keys.size() >= 8; });
}
