#include "functions/player_commands.h"

#include <string>

#include "block_view.h"
#include "dispatcher.h"
#include "fault_guard.h"
#include "functions/activate.h"
#include "functions/media_player.h"

namespace kl::support {

namespace {

using T = PlayerTarget;

constexpr Keystroke Char(char c, BYTE modifier = 0) { return {c, 0, modifier}; }
constexpr Keystroke Key(BYTE vk, BYTE modifier = 0) { return {0, vk, modifier}; }

constexpr PlayerCommand kCommands[] = {
    {256, 40300, T::Playlist, {}, 0, 1, false},  // activate
    {257, 40045, T::Main, {Char('X')}, 1, 1, false},
    {258, 40046, T::Main, {Char('C')}, 1, 1, false},
    {259, 40047, T::Main, {Char('V')}, 1, 1, false},
    {260, 40048, T::Main, {Char('B')}, 1, 1, false},
    {261, 40044, T::Main, {Char('Z')}, 1, 1, false},
    {262, 40147, T::None, {}, 0, 1, false},
    {263, 40157, T::None, {}, 0, 1, false},
    {264, 40148, T::Main, {Key(VK_RIGHT)}, 1, 1, false},
    {265, 40144, T::Main, {Key(VK_LEFT)}, 1, 1, false},
    {266, 40154, T::Playlist, {Key(VK_HOME), Key(VK_RETURN)}, 2, 1, false},
    {267, 40158, T::Playlist, {Key(VK_END), Key(VK_RETURN)}, 2, 1, false},
    {268, 40058, T::Volume, {Key(VK_UP)}, 1, 5, false},
    {269, 40059, T::Volume, {Key(VK_DOWN)}, 1, 5, false},
    {270, 40022, T::Main, {Char('R')}, 1, 1, false},
    {271, 40023, T::Main, {Char('S')}, 1, 1, false},
    {272, 40001, T::Main, {Key(VK_F4, VK_MENU)}, 1, 1, false},
    {273, 40019, T::Main, {Char('A', VK_CONTROL)}, 1, 1, false},
    {274, 40302, T::Main, {Char('F')}, 1, 1, true},
    {275, 40029, T::Main, {Char('L')}, 1, 1, false},
    {276, 40301, T::Main, {Char('L', VK_SHIFT)}, 1, 1, true},
    {277, 40155, T::Main, {Char('L', VK_CONTROL)}, 1, 1, false},
    {278, 40188, T::Main, {Char('3', VK_MENU)}, 1, 1, false},
    {279, 40165, T::Main, {Char('D', VK_CONTROL)}, 1, 1, false},
};

// The second kind's playlist: the last child of the first child of its
// "Playlist" root window.
HWND PlaylistWindow() {
    HWND root = FindWindowA("BaseWindow_RootWnd", "Playlist");
    HWND first = root ? GetWindow(root, GW_CHILD) : nullptr;
    HWND child = first ? GetWindow(first, GW_CHILD) : nullptr;
    return child ? GetWindow(child, GW_HWNDLAST) : nullptr;
}

HWND VolumeWindow() {
    HWND normal = FindWindowA("BaseWindow_RootWnd", "normal");
    return normal ? GetParent(normal) : nullptr;
}

HWND TargetWindow(const Player& player, PlayerTarget target) {
    switch (target) {
        case T::Main: return player.window;
        case T::Playlist: return PlaylistWindow();
        case T::Volume: return VolumeWindow();
        case T::None: break;
    }
    return nullptr;
}

void RunOnSecondKind(const Player& player, const PlayerCommand& command) {
    HWND target = TargetWindow(player, command.target);
    if (!target) return;
    if (command.id == kPlayerActivate) {
        Activate(target);
        SetForegroundWindow(target);
        SetFocus(target);
        return;
    }
    for (int r = 0; r < command.repeat; ++r)
        for (int k = 0; k < command.keyCount; ++k) PostKeystroke(target, command.keys[k]);
}

void RunOnPlayer(const Player& player, const PlayerCommand& command) {
    if (!player.window) return;
    if (player.kind == PlayerKind::Second) {
        RunOnSecondKind(player, command);
    } else if (!command.secondKindOnly) {
        if (command.id == kPlayerActivate)
            Activate(player.window);
        else
            PostMessageA(player.window, WM_COMMAND, command.command, 0);
    }
}

struct Waited {
    const Player& player;
    const PlayerCommand& command;
};

// A command that waited for the player's start runs from the start's timer,
// outside the dispatcher: guarded and reported as a function is.
void RunWaited(const Player& player, std::uint32_t id) {
    const PlayerCommand* command = FindPlayerCommand(id);
    if (!command) return;
    Waited waited{player, *command};
    std::string fault;
    const auto body = [](void* context) {
        const Waited& w = *static_cast<const Waited*>(context);
        RunOnPlayer(w.player, w.command);
    };
    if (RunContainingFaults(body, &waited, fault)) return;
    if (SettingsBlock* b = Block()) ReportFunctionError(*b, fault);
}

}  // namespace

const PlayerCommand* FindPlayerCommand(std::uint32_t id) {
    for (const auto& c : kCommands)
        if (c.id == id) return &c;
    return nullptr;
}

void RunPlayerCommand(const PlayerCommand& command) {
    if (command.secondKindOnly) return RunOnPlayer(FindPlayer(), command);
    // While a start is under way, a command waits behind those that came first.
    const Player player = PlayerStartPending() ? Player{} : FindPlayer();
    if (player.window)
        RunOnPlayer(player, command);
    else
        StartPlayerThen(RunWaited, command.id);  // runs once the player is up
}

}  // namespace kl::support
