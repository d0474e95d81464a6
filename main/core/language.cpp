#include "core/language.h"

#include <windows.h>

#include <algorithm>

#include "core/text_lines.h"

namespace kl {

namespace {

constexpr std::string_view kProgName = "<progname>";

bool IsDirectory(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !IsDirectory(attributes);
}

std::string ProgramPath() {
    char path[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, n < MAX_PATH ? n : MAX_PATH);
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

std::string ReplaceProgName(std::string_view text) {
    const std::string path = ProgramPath();
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '<' && EqualsNoCase(text.substr(i, kProgName.size()), kProgName)) {
            out += path;
            i += kProgName.size();
        } else {
            out += text[i++];
        }
    }
    return out;
}

std::string_view Cut(std::string_view text) {
    return text.substr(0, std::min(text.size(), Language::kMaxText));
}

}  // namespace

const char* LanguageErrorText(LanguageStatus status) {
    switch (status) {
        case LanguageStatus::NoFileName: return "No language file specified.";
        case LanguageStatus::NoDataDirectory: return "No data directory specified.";
        case LanguageStatus::FileMissing: return "Language file does not exist.";
        default: return "";
    }
}

void Language::SetDataDirectory(std::string_view directory) {
    std::string dir(TrimSpaces(directory));
    if (!dir.empty() && dir.back() != '\\' && !(dir.size() == 2 && dir[1] == ':')) dir += '\\';
    dataDirectory_ = std::move(dir);
}

void Language::SetLanguageFile(std::string_view name) {
    fileName_ = name.empty() ? std::string() : std::string(name) + "." + extension_;
}

void Language::SetExtension(std::string_view extension) { extension_ = extension; }

LanguageStatus Language::Load() {
    if (fileName_.empty()) return LanguageStatus::NoFileName;
    if (dataDirectory_.empty()) return LanguageStatus::NoDataDirectory;
    const std::string path = dataDirectory_ + fileName_;
    if (!FileExists(path)) return LanguageStatus::FileMissing;
    std::string contents;
    if (!ReadWholeFile(path, contents)) return LanguageStatus::Unreadable;
    std::vector<std::string> lines = SplitTextLines(contents);
    if (lines.empty()) return LanguageStatus::Unreadable;
    lines_ = std::move(lines);
    loadedFileName_ = fileName_;
    return LanguageStatus::Loaded;
}

std::vector<std::string> Language::ListLanguages() const {
    std::vector<std::string> names;
    // Without a data directory nothing could be loaded either; the current
    // directory is not searched.
    if (dataDirectory_.empty()) return names;
    const std::string pattern = dataDirectory_ + "*." + extension_;
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        // Only files whose own extension matches: a folder cannot be loaded,
        // and a long name such as "x.lanx" matches the pattern through its
        // short name but would not load as "x.lan".
        if (IsDirectory(found.dwFileAttributes)) continue;
        const std::string_view file = TrimSpaces(found.cFileName);
        const std::size_t dot = file.rfind('.');
        if (dot == std::string_view::npos || !EqualsNoCase(file.substr(dot + 1), extension_)) continue;
        const std::string_view name = file.substr(0, dot);
        if (!name.empty()) names.emplace_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return lstrcmpiA(a.c_str(), b.c_str()) < 0;
    });
    return names;
}

std::string Language::Text(int n) const {
    if (n < 0 || static_cast<std::size_t>(n) >= lines_.size()) return {};
    // The marker is replaced before the cut so that no half marker is left.
    const std::string& line = lines_[static_cast<std::size_t>(n)];
    if (line.find('<') == std::string::npos) return std::string(Cut(line));
    return std::string(Cut(ReplaceProgName(line)));
}

}  // namespace kl
