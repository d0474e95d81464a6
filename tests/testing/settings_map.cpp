#include "testing/settings_map.h"

#include <gtest/gtest.h>

namespace kl::testing {

SettingsMap::SettingsMap() {
    mapping_.reset(OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, kSettingsMapName));
    if (!mapping_)
        mapping_.reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                          kSettingsBlockSize, kSettingsMapName));
    if (mapping_) view_.reset(MapViewOfFile(mapping_.get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
    if (!view_) ADD_FAILURE() << "cannot map the settings block";
}

}  // namespace kl::testing
