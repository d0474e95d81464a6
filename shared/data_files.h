// The data files beside the program that both binaries read: keynames.txt (line k
// names virtual-key code k: "code;name[;...]") and functions.txt (the catalogue).
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace kl {

inline constexpr char kKeyNamesFile[] = "keynames.txt";
inline constexpr char kFunctionsFile[] = "functions.txt";
// The name of a key code that cannot be chosen.
inline constexpr char kIllegalKeyName[] = "ILLEGAL";

// A folder path with the trailing backslash that file names are appended to.
inline std::string WithSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
    return folder;
}

// The lines of one data file, read at the first request and kept from then on: a
// change to the file takes effect with the next reader (the next start).
class DataFileLines {
public:
    DataFileLines(std::string dataDir, const char* fileName)
        : path_(WithSeparator(std::move(dataDir)) + fileName) {}

    // The lines; null, with `error` set to "Cannot open file ...", while the file
    // cannot be read (each request tries again).
    const std::vector<std::string>* Lines(std::string& error);

    const std::string& Path() const { return path_; }

private:
    std::string path_;
    std::vector<std::string> lines_;
    bool read_ = false;
};

}  // namespace kl
