#include "functions/dir_player_list.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "functions/path_parts.h"
#include "params.h"
#include "text255.h"
#include "win_handles.h"

namespace kl::support::dirplay {
namespace {

constexpr char kSeparator = '\xFF';

class FindHandle {
public:
    explicit FindHandle(HANDLE h) : h_(h) {}
    ~FindHandle() { if (h_ != INVALID_HANDLE_VALUE) FindClose(h_); }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};

std::string WithoutTrailingBackslash(std::string_view path) {
    std::string out(path);
    while (!out.empty() && out.back() == '\\') out.pop_back();
    return out;
}

std::vector<std::string> ListFolder(std::string_view folder) {
    std::vector<std::string> files;
    const std::string base = WithoutTrailingBackslash(folder) + "\\";
    WIN32_FIND_DATAA found{};
    FindHandle search(FindFirstFileA((base + "*").c_str(), &found));
    if (!search.valid()) return files;
    do {
        const std::string_view name = found.cFileName;
        if (name == "." || name == ".." || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        files.push_back(base + std::string(name));
    } while (FindNextFileA(search.get(), &found));
    return files;
}

// The file's bytes; empty when it cannot be read. Read with the system's calls: the C++
// streams would bring the runtime's whole locale machinery into the library.
std::string ReadWholeFile(const std::string& file) {
    std::string text;
    const UniqueHandle h(CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h) return text;
    char chunk[16384];
    DWORD got = 0;
    while (ReadFile(h.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) text.append(chunk, got);
    return text;
}

// One line per text line, ended by CR, LF or CR LF; a last line without an end counts.
std::vector<std::string> ReadLines(const std::string& file) {
    const std::string text = ReadWholeFile(file);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                          b.data(), static_cast<int>(b.size())) == CSTR_LESS_THAN;
}

// The file's local last-write time as a packed date (high word) and time (low
// word), padded to ten digits so that the text order is the time order; "0"
// when the file is missing.
std::string TimeKey(std::string_view line) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    const std::string file(FirstField(line));
    if (!GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data)) return "0000000000";
    FILETIME local{};
    WORD date = 0, time = 0;
    if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToDosDateTime(&local, &date, &time))
        return "0000000000";
    char key[16];
    std::snprintf(key, sizeof key, "%010lu", static_cast<unsigned long>((static_cast<DWORD>(date) << 16) | time));
    return key;
}

// The number at the start of the line, at least six digits, zero-padded.
std::string NumberKey(std::string_view line) {
    const std::int32_t n = ParseParamNumber(FirstField(line));
    char key[16];
    std::snprintf(key, sizeof key, "%06ld", static_cast<long>(n));
    return key;
}

template <class KeyOf>
void SortByKey(std::vector<std::string>& lines, KeyOf keyOf) {
    for (auto& line : lines) line = keyOf(line) + kSeparator + line;
    std::stable_sort(lines.begin(), lines.end(), LessIgnoringCase);
    for (auto& line : lines) line.erase(0, line.find(kSeparator) + 1);
}

}  // namespace

std::string_view FirstField(std::string_view line) { return line.substr(0, line.find(kSeparator)); }

void OrderList(std::vector<std::string>& lines, std::int32_t mode) {
    switch (mode) {
        case kByName:
            std::stable_sort(lines.begin(), lines.end(), LessIgnoringCase);
            break;
        case kNewestFirst:
            SortByKey(lines, TimeKey);
            std::reverse(lines.begin(), lines.end());
            break;
        case kByNumber:
            SortByKey(lines, NumberKey);
            break;
        default:
            break;
    }
}

std::vector<std::string> BuildList(SettingsBlock& block, std::string_view source, std::int32_t mode) {
    const std::string path(TrimBlanks(source));
    if (path.empty()) return {};
    std::vector<std::string> lines;
    if (FolderExists(path) || FolderExists(WithoutTrailingBackslash(path))) {
        lines = ListFolder(path);
    } else if (const std::string file = WithoutTrailingBackslash(path); FileExists(file)) {
        lines = ReadLines(file);
    } else {
        SetText255(block.StatusText, "Unable to obtain DirPlay file list from \"" + path + "\"");
        return {};
    }
    OrderList(lines, mode);
    return lines;
}

}  // namespace kl::support::dirplay
