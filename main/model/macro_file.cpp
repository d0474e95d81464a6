#include "model/macro_file.h"

#include <cstdint>
#include <unordered_map>

#include "model/text_fields.h"

namespace kl {
namespace {

constexpr std::size_t kTextMax = 255;

// A 32-bit word written as an unsigned or a signed decimal number.
bool ReadWord(std::string_view text, std::uint32_t& out) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 10) return false;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (negative ? value > 2147483648LL : value > 4294967295LL) return false;
    out = static_cast<std::uint32_t>(negative ? -value : value);
    return true;
}

bool ReadEvent(std::string_view text, MacroEvent& e) {
    const std::vector<std::string_view> f = SplitFields(text);
    return f.size() == 5 && ReadWord(f[0], e.Message) && ReadWord(f[1], e.ParamL) && ReadWord(f[2], e.ParamH) &&
           ReadWord(f[3], e.Delay) && ReadWord(f[4], e.Window);
}

MacroFileRead Refused(std::string problem) {
    MacroFileRead r;
    r.problem = std::move(problem);
    return r;
}

}  // namespace

MacroFileRead ReadMacroFile(std::string_view contents) {
    if (contents.size() > kIniFileLimit) return Refused("The file is too large to be a macro file.");
    const IniText file(contents);
    const std::optional<std::string> count = file.Get(kMacroSection, "count");
    if (!file.HasSection(kMacroSection) || !count)
        return Refused("The file is not a macro file: it has no section [macro] with a \"count\".");
    const std::string_view countText = Trim(*count);
    if (!IsDigits(countText) || countText.size() > 5 || ToNumber(countText) > kMacroEventCapacity)
        return Refused("The macro file's \"count\" (" + std::string(countText.substr(0, 20)) +
                       ") is not a number of events from 0 to " + std::to_string(kMacroEventCapacity) + ".");
    MacroFileRead r;
    const int n = ToNumber(countText);
    // The first of each event key, looked up once.
    std::unordered_map<std::string, std::string> keys;
    for (auto& [key, value] : file.Values(kMacroSection))
        if (IsDigits(key) && key.size() <= 4) keys.emplace(key, std::move(value));
    r.macro.events.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const auto line = keys.find(std::to_string(i));
        if (line == keys.end() || !ReadEvent(line->second, r.macro.events[static_cast<std::size_t>(i)]))
            return Refused("Event " + std::to_string(i) + " of the macro file is " +
                           (line == keys.end() ? "missing" : "damaged") +
                           ": an event is five numbers separated by \";\".");
    }
    r.macro.name = std::string(Trim(file.Get(kMacroSection, "name", "")).substr(0, kTextMax));
    r.ok = true;
    return r;
}

void WriteMacroFile(IniText& file, const MacroFile& macro) {
    file.Set(kMacroSection, "name", macro.name);
    file.Set(kMacroSection, "count", std::to_string(macro.events.size()));
    for (std::size_t i = 0; i < macro.events.size(); ++i) {
        const MacroEvent& e = macro.events[i];
        file.Set(kMacroSection, std::to_string(i),
                 std::to_string(e.Message) + ";" + std::to_string(e.ParamL) + ";" + std::to_string(e.ParamH) + ";" +
                     std::to_string(e.Delay) + ";" + std::to_string(e.Window));
    }
}

namespace {

std::string Element(unsigned char c) {
    if (c == 9) return "<TAB>";
    if (c == 13) return "<CR>";
    if (c == 10) return {};
    if (c < 32) return "<#" + std::to_string(c) + ">";
    return std::string(1, static_cast<char>(c));
}

bool IsModifierKey(unsigned vk) { return vk == 0x10 || vk == 0x11 || vk == 0x12; }

}  // namespace

std::string MacroText(std::span<const MacroEvent> events, const KeyCharacters& characters) {
    std::string text, prefix;
    auto add = [&text](const std::string& token) {
        if (text.size() + token.size() > kTextMax) return false;
        text += token;
        return true;
    };
    for (const MacroEvent& e : events) {
        const unsigned vk = e.ParamL & 0xFF, scan = (e.ParamH >> 16) & 0xFF;
        switch (e.Message) {
        case 0x100:
        case 0x104:
            if (vk == 0x10) prefix += "SHIFT+";
            if (vk == 0x11) prefix += "CTRL+";
            if (vk == 0x12) prefix += "ALT+";
            if (prefix.size() > 60) prefix.resize(60);  // a held key repeats its down event
            break;
        case 0x101:
        case 0x102:
        case 0x105:
        case 0x106: {
            char out[2] = {};
            const int n = characters ? characters(vk, scan, out) : 0;
            bool fits = true;
            if (n <= 0) {
                if (IsModifierKey(vk))
                    prefix.clear();
                else
                    fits = add("<#" + std::to_string(vk) + ">");
            } else {
                const std::string element = Element(static_cast<unsigned char>(out[0]));
                fits = add(prefix.empty() || element.empty() ? element : "<" + prefix + element + ">");
                if (fits && n > 1) fits = add(std::string(1, out[1]));
            }
            if (!fits) return text;
            break;
        }
        default:
            break;
        }
    }
    return text;
}

}  // namespace kl
