#include "model/ini_text.h"

#include "text_lines.h"

namespace kl {
namespace {

constexpr std::size_t npos = static_cast<std::size_t>(-1);

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

std::string LowerText(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = Lower(c);
    return out;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Blanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool Quoted(std::string_view v) {
    return v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front();
}

}  // namespace

IniText::IniText(std::string_view contents) {
    for (std::string& raw : SplitTextLines(contents)) {
        Line line;
        const std::string_view t = Blanks(raw);
        if (!t.empty() && t.front() == '[') {
            const std::size_t close = t.find(']');
            line.isSection = true;
            line.section = std::string(Blanks(close == std::string_view::npos ? t.substr(1) : t.substr(1, close - 1)));
        } else if (!t.empty() && t.front() != ';' && t.find('=') != std::string_view::npos) {
            line.key = std::string(Blanks(t.substr(0, t.find('='))));
        }
        line.text = std::move(raw);
        lines_.push_back(std::move(line));
    }
}

std::size_t IniText::FindSection(std::string_view section) const {
    if (!indexed_) {
        sections_.clear();
        for (std::size_t i = 0; i < lines_.size(); ++i)
            if (lines_[i].isSection) sections_.emplace(LowerText(lines_[i].section), i);
        indexed_ = true;
    }
    const auto at = sections_.find(LowerText(section));
    return at == sections_.end() ? npos : at->second;
}

std::size_t IniText::FindKey(std::size_t at, std::string_view key) const {
    for (std::size_t i = at + 1; i < lines_.size() && !lines_[i].isSection; ++i)
        if (!lines_[i].key.empty() && SameName(lines_[i].key, key)) return i;
    return npos;
}

bool IniText::HasSection(std::string_view section) const { return FindSection(section) != npos; }

namespace {

std::string ValueOf(std::string_view line) {
    std::string_view value = Blanks(line.substr(line.find('=') + 1));
    if (Quoted(value)) value = value.substr(1, value.size() - 2);
    return std::string(value);
}

}  // namespace

std::optional<std::string> IniText::Get(std::string_view section, std::string_view key) const {
    const std::size_t s = FindSection(section);
    if (s == npos) return std::nullopt;
    const std::size_t k = FindKey(s, key);
    if (k == npos) return std::nullopt;
    return ValueOf(lines_[k].text);
}

std::vector<std::pair<std::string, std::string>> IniText::Values(std::string_view section) const {
    std::vector<std::pair<std::string, std::string>> values;
    const std::size_t s = FindSection(section);
    if (s == npos) return values;
    for (std::size_t i = s + 1; i < lines_.size() && !lines_[i].isSection; ++i)
        if (!lines_[i].key.empty()) values.emplace_back(lines_[i].key, ValueOf(lines_[i].text));
    return values;
}

std::string IniText::Get(std::string_view section, std::string_view key, std::string_view fallback) const {
    std::optional<std::string> v = Get(section, key);
    return v ? *v : std::string(fallback);
}

std::vector<std::string> IniText::Keys(std::string_view section) const {
    std::vector<std::string> keys;
    const std::size_t s = FindSection(section);
    if (s == npos) return keys;
    for (std::size_t i = s + 1; i < lines_.size() && !lines_[i].isSection; ++i)
        if (!lines_[i].key.empty()) keys.push_back(lines_[i].key);
    return keys;
}

void IniText::Set(std::string_view section, std::string_view key, std::string_view value) {
    std::string v(value);
    for (char& c : v)
        if (c == '\r' || c == '\n') c = ' ';
    if (!v.empty() && (IsBlank(v.front()) || IsBlank(v.back()) || Quoted(v))) v = '"' + v + '"';
    Line line;
    line.key = std::string(key);
    line.text = line.key + "=" + v;
    const std::size_t s = FindSection(section);
    if (s == npos) {
        Line head;
        head.isSection = true;
        head.section = std::string(section);
        head.text = "[" + head.section + "]";
        lines_.push_back(std::move(head));
        lines_.push_back(std::move(line));
        indexed_ = false;
        return;
    }
    if (const std::size_t k = FindKey(s, key); k != npos) {
        lines_[k] = std::move(line);
        return;
    }
    // After the section's last key, before the blank lines that end it.
    std::size_t end = s + 1;
    for (std::size_t i = s + 1; i < lines_.size() && !lines_[i].isSection; ++i)
        if (!Blanks(lines_[i].text).empty()) end = i + 1;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(end), std::move(line));
    indexed_ = false;
}

std::string IniText::Text() const {
    std::string out;
    for (const Line& line : lines_) {
        out += line.text;
        out += "\r\n";
    }
    return out;
}

}  // namespace kl
