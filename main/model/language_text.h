// The texts of a language file once its lines are read: no Win32 here, so the
// reader of outside input also builds and is fuzzed natively.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kl {

// ASCII letters compared without case.
bool EqualsNoCase(std::string_view a, std::string_view b);

// Text n of the lines, cut to 255 characters, with every "<progname>" (any
// case) replaced by programPath(), which is called only when the line holds a
// "<"; "" when there is no line n.
template <class ProgramPath>
std::string LanguageLine(const std::vector<std::string>& lines, int n, ProgramPath&& programPath);

// The replacement itself.
std::string ReplaceProgName(std::string_view text, std::string_view path);

inline constexpr std::size_t kLanguageTextMax = 255;

template <class ProgramPath>
std::string LanguageLine(const std::vector<std::string>& lines, int n, ProgramPath&& programPath) {
    if (n < 0 || static_cast<std::size_t>(n) >= lines.size()) return {};
    // The marker is replaced before the cut so that no half marker is left.
    const std::string& line = lines[static_cast<std::size_t>(n)];
    if (line.find('<') == std::string::npos) return line.substr(0, kLanguageTextMax);
    return ReplaceProgName(line, programPath()).substr(0, kLanguageTextMax);
}

}  // namespace kl
