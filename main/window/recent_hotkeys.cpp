#include "window/recent_hotkeys.h"

#include <algorithm>

namespace kl {

bool RecentHotkeys::Add(int id, std::string_view description) {
    const std::string_view caption = description.substr(0, 255);
    if (!entries_.empty() && entries_.back().id == id && entries_.back().caption == caption) return false;
    const auto same = std::find_if(entries_.begin(), entries_.end(), [id](const Entry& e) { return e.id == id; });
    if (same != entries_.end()) entries_.erase(same);
    if (entries_.size() >= kMaxEntries) entries_.erase(entries_.begin());
    entries_.push_back(Entry{id, std::string(caption)});
    return true;
}

}  // namespace kl
