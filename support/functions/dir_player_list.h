// The play list of a DirPlay set: the files of a folder or the lines of a
// list file, ordered by the play mode. Rebuilt for every step.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings_block.h"

namespace kl::support::dirplay {

enum PlayMode : std::int32_t {
    kByName = 1,
    kNewestFirst = 2,
    kByNumber = 3,
    kRandom = 4,
};

// The list for `source` (a folder, or a list file with or without a trailing
// backslash). When neither exists the list is empty and StatusText says so.
std::vector<std::string> BuildList(SettingsBlock& block, std::string_view source, std::int32_t mode);

// Orders the lines as the play mode asks (modes other than 1 to 3 keep the order).
void OrderList(std::vector<std::string>& lines, std::int32_t mode);

// The file of a list line: the text before its first 0xFF.
std::string_view FirstField(std::string_view line);

}  // namespace kl::support::dirplay
