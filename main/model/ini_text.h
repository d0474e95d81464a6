// Initialisation files ("[section]", "key=value" lines) read and written as text,
// the way the system's profile-string services treat them, without their limits:
// a value is read back whole, however long.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace kl {

// Files larger than this are not read: neither a macro nor an exchange file comes near.
inline constexpr std::size_t kIniFileLimit = 4u << 20;

class IniText {
public:
    IniText() = default;
    // Any text: lines that are neither a section, a key nor a comment are kept
    // for writing back and otherwise ignored.
    explicit IniText(std::string_view contents);

    // The value of the first `key` in the first section named `section` (both
    // compared without case), trimmed, with one pair of enclosing quotes removed.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    std::string Get(std::string_view section, std::string_view key, std::string_view fallback) const;
    // The keys of the first section of that name, in file order.
    std::vector<std::string> Keys(std::string_view section) const;
    // Its keys and values (as Get reads them), in file order.
    std::vector<std::pair<std::string, std::string>> Values(std::string_view section) const;
    bool HasSection(std::string_view section) const;

    // Replaces the key's value, or adds the key at the end of its section (the
    // section at the end of the file). A value that would not read back as it
    // stands (blanks at either end, enclosing quotes) is written in quotes; line
    // ends inside a value become blanks.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    // The text with CR LF line ends.
    std::string Text() const;

private:
    struct Line {
        std::string text;
        std::string key;      // empty for sections, comments and other lines
        std::string section;  // the section name for a section line
        bool isSection = false;
    };
    // Index of the first section line of that name, or npos.
    std::size_t FindSection(std::string_view section) const;
    // Index of the key's line in the section starting at `at`, or npos.
    std::size_t FindKey(std::size_t at, std::string_view key) const;

    std::vector<Line> lines_;
    // The first line of each section by its name in lower case; rebuilt after a change.
    mutable std::unordered_map<std::string, std::size_t> sections_;
    mutable bool indexed_ = false;
};

}  // namespace kl
