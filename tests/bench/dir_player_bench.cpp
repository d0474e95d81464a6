// How long one directory player step spends rebuilding and ordering its list:
// function 211 on a set whose position lies outside the list lists and sorts
// the folder, finds no current file and opens nothing.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "settings_block.h"
#include "testing/registry.h"
#include "testing/settings_map.h"
#include "testing/support_library.h"
#include "testing/temp_folder.h"

using namespace kl;
using namespace kl::testing;

int main() {
    CleanRegistry clean;
    SettingsMap map;
    Library lib("klsupport.dll");
    auto execute = lib.Get<int WINAPI(DWORD, const char*)>("ExecuteFunctionEx");
    lib.Get<BOOL WINAPI()>("LoadDefaultSettings")();
    const std::string set = "Software\\Corvane\\Keyloom\\DirPlay\\bench";
    for (const int files : {100, 1000, 3000}) {
        TempFolder folder;
        for (int i = 0; i < files; ++i)
            std::ofstream(folder / ("track " + std::to_string((i * 7919) % files) + ".kldpbench")) << i;
        for (const int mode : {0, 1, 2, 3}) {
            SetString(set, "Dir", folder.path());
            SetString(set, "PlayMode", std::to_string(mode));
            SetString(set, "Pos", "0");
            constexpr int kRuns = 10;
            LARGE_INTEGER f, t0, t1;
            QueryPerformanceFrequency(&f);
            QueryPerformanceCounter(&t0);
            for (int r = 0; r < kRuns; ++r) execute(211, "bench");
            QueryPerformanceCounter(&t1);
            const double ms = 1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) / f.QuadPart / kRuns;
            std::printf("dir player list of %5d files, play mode %d: %8.2f ms per step\n", files, mode, ms);
        }
    }
    return 0;
}
