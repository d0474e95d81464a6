// The other side of the block-sharing test: opens the shared block, checks what the
// test wrote and answers with values of its own. Built for both architectures, so
// that a 32-bit and a 64-bit process meet in one mapping. The exit code is 0 when
// every value matched, the number of the first mismatch otherwise, 100 without block.
#include <windows.h>

#include "testing/block_exchange.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, kl::kSettingsMapName);
    if (!mapping) return 100;
    auto* block = static_cast<kl::SettingsBlock*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    int result = 100;
    if (block) {
        result = kl::testing::CheckTestSide(*block);
        if (result == 0) kl::testing::WritePeerSide(*block);
        UnmapViewOfFile(block);
    }
    CloseHandle(mapping);
    return result;
}
