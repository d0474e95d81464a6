#include "model/language.h"

#include <windows.h>

#include <algorithm>

#include "model/language_text.h"
#include "text_file.h"
#include "text_lines.h"

namespace kl {

namespace {

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

std::string Language::Text(int n) const { return LanguageLine(lines_, n, ProgramPath); }

}  // namespace kl
