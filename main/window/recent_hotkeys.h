// The recently used hotkeys of the tray menu (mnCustom): at most five, oldest first,
// one entry per hotkey ID. Kept in memory for the run of the program only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kl {

class RecentHotkeys {
public:
    static constexpr std::size_t kMaxEntries = 5;
    struct Entry {
        int id;
        std::string caption;  // the hotkey's description, at most 255 characters
    };

    // A hotkey executed again moves to the end; the oldest falls out beyond five.
    // False when the list is as it was (the same hotkey again).
    bool Add(int id, std::string_view description);
    const std::vector<Entry>& entries() const { return entries_; }
    // The hotkey ID of entry `index`, or 0 when there is none.
    int IdAt(std::size_t index) const { return index < entries_.size() ? entries_[index].id : 0; }

private:
    std::vector<Entry> entries_;
};

}  // namespace kl
