#include "functions/bookmarks.h"
#include "functions/function_table.h"
#include "functions/high_contrast.h"
#include "functions/mouse_keys.h"
#include "functions/pointer.h"
#include "functions/roll_up.h"
#include "functions/stopwatch.h"
#include "functions/window_commands.h"

namespace kl::support {
namespace {

constexpr FunctionEntry kWindowFunctions[] = {
    {32, CloseForegroundWindow},
    {33, RestoreTargetWindow},
    {34, TargetWindowOnTop},
    {35, MinimiseTargetWindow},
    {36, MaximiseTargetWindow},
    {37, MaximiseTargetWindow},
    {38, RollForegroundWindow},
    {64, CentrePointer},
    {65, PointerToFocus},
    {66, LeftClick},
    {67, RightClick},
    {68, MiddleClick},
    {69, PointerUp},
    {70, PointerDown},
    {71, PointerLeft},
    {72, PointerRight},
    {73, WheelDown},
    {74, WheelUp},
    {75, ToggleMouseKeys},
    {76, FocusUnderPointer},
    {77, MouseKeysOn},
    {78, MouseKeysOff},
    {80, SetBookmark},
    {81, GoToBookmark},
    {184, ToggleTaskbar},
    {185, TaskListCommand},
    {192, ScreenSaverCommand},
    {198, ToggleHighContrast},
    {224, StopwatchReset},
    {225, StopwatchStart},
    {226, StopwatchStop},
    {227, StopwatchPause},
    {228, StopwatchResume},
};

}  // namespace

std::span<const FunctionEntry> WindowFunctions() { return kWindowFunctions; }

}  // namespace kl::support
