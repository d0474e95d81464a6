#include "block_view.h"

#include "committed_view.h"
#include "win_handles.h"

namespace kl::support {
namespace {

UniqueHandle g_mapping;
MappedView g_view;

}  // namespace

SettingsBlock* Block() { return g_view.as<SettingsBlock>(); }

SettingsBlock* MapBlock() {
    if (g_view) return Block();
    UniqueHandle mapping(OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, kSettingsMapName));
    if (!mapping) return nullptr;
    MappedView view(MapViewOfFile(mapping.get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
    if (!view) return nullptr;
    // A mapping of the right name made by another program may be smaller than the
    // block or only reserved (SEC_RESERVE): the first field access would fault.
    if (!ViewCommittedFor(view.get(), kSettingsBlockSize)) return nullptr;
    g_mapping = std::move(mapping);
    g_view = std::move(view);
    Block()->BlockSize = kSettingsBlockSize;
    return Block();
}

void UnmapBlock() {
    g_view.reset();
    g_mapping.reset();
}

}  // namespace kl::support
