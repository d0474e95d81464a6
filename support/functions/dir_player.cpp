// The directory player: hotkeys that step through the files of a folder or a
// list file, opening each with the program associated with it.
#include <windows.h>

#include <random>
#include <string>
#include <vector>

#include "functions/dir_player_close.h"
#include "functions/dir_player_list.h"
#include "functions/dir_player_set.h"
#include "functions/dir_player_window_folder.h"
#include "functions/function_table.h"
#include "functions/launch.h"
#include "functions/path_parts.h"
#include "text255.h"

namespace kl::support {
namespace {

using namespace dirplay;

std::string SetName(const Params& params) { return std::string(params.Trimmed(1)); }

std::vector<std::string> CurrentList(SettingsBlock& block, std::string_view name) {
    LoadSet(block, name);
    return BuildList(block, GetText255(block.DirPlayDir), block.DirPlayMode);
}

std::string CurrentFile(SettingsBlock& block, std::string_view name) {
    const auto list = CurrentList(block, name);
    const std::int32_t p = block.DirPlayPos;
    if (p < 1 || static_cast<std::size_t>(p) > list.size()) return {};
    return std::string(FirstField(list[static_cast<std::size_t>(p) - 1]));
}

void PlayCurrent(SettingsBlock& block, std::string_view name) {
    const std::string file = CurrentFile(block, name);
    if (FileExists(file))
        Launch(file, {}, SW_SHOWNORMAL);
    else
        SetText255(block.StatusText, "DirPlay: Nonexisting file \"" + file + "\"");
}

std::int32_t RandomPosition(std::size_t n) {
    static std::mt19937 generator(GetTickCount() ^ GetCurrentProcessId());
    if (n == 0) return 0;
    return static_cast<std::int32_t>(std::uniform_int_distribution<std::size_t>(1, n)(generator));
}

// Previous (-1) or next (+1), wrapping at the ends; random in play mode 4.
void Step(SettingsBlock& block, std::string_view name, int direction) {
    const auto list = CurrentList(block, name);
    const auto n = static_cast<std::int64_t>(list.size());
    std::int64_t q = static_cast<std::int64_t>(block.DirPlayPos) + direction;
    if (q < 1 || q > n) q = direction < 0 ? n : 1;
    if (block.DirPlayMode == kRandom) q = RandomPosition(list.size());
    SetPosition(block, name, static_cast<std::int32_t>(q));
    PlayCurrent(block, name);
}

void PlayFirstOf(SettingsBlock& block, std::string_view name) {
    SetPosition(block, name, 1);
    PlayCurrent(block, name);
}

void DefineAndPlay(SettingsBlock& block, const Params& params) {
    if (params.text().empty()) return;
    const std::string name = SetName(params);
    DefineSet(block, name, WithBackslash(params.Trimmed(3)), params.Number(2));
    PlayFirstOf(block, name);
}

void StopAndRewind(SettingsBlock& block, const Params& params) {
    const std::string name = SetName(params);
    ClosePlayerOf(CurrentFile(block, name));
    SetPosition(block, name, 1);
}

void ClosePlayer(SettingsBlock& block, const Params& params) {
    ClosePlayerOf(CurrentFile(block, SetName(params)));
}

void PlayCurrentOf(SettingsBlock& block, const Params& params) { PlayCurrent(block, SetName(params)); }
void PlayFirst(SettingsBlock& block, const Params& params) { PlayFirstOf(block, SetName(params)); }
void PlayPrevious(SettingsBlock& block, const Params& params) { Step(block, SetName(params), -1); }
void PlayNext(SettingsBlock& block, const Params& params) { Step(block, SetName(params), +1); }

void PlayLast(SettingsBlock& block, const Params& params) {
    const std::string name = SetName(params);
    const auto n = CurrentList(block, name).size();
    SetPosition(block, name, static_cast<std::int32_t>(n));
    PlayCurrent(block, name);
}

void PlayFolderOfWindow(SettingsBlock& block, const Params& params) {
    const std::string folder = FolderOfWindowTitle(GetForegroundWindow());
    if (folder.empty()) return;
    const std::string_view mode = params.Trimmed(1);
    DefineSet(block, kActiveSet, folder, mode.empty() ? 1 : ParseParamNumber(mode));
    PlayFirstOf(block, kActiveSet);
}

constexpr FunctionEntry kDirPlayerFunctions[] = {
    {208, DefineAndPlay}, {209, StopAndRewind}, {210, ClosePlayer},
    {211, PlayCurrentOf}, {212, PlayFirst},     {213, PlayPrevious},
    {214, PlayNext},      {215, PlayLast},      {216, PlayFolderOfWindow},
};

}  // namespace

std::span<const FunctionEntry> DirPlayerFunctions() { return kDirPlayerFunctions; }

}  // namespace kl::support
