// The key names of keynames.txt: line k names virtual-key code k.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "model/result.h"

namespace kl {

inline constexpr char kKeyNamesFile[] = "keynames.txt";
inline constexpr char kIllegalKeyName[] = "ILLEGAL";

// A folder path with the trailing backslash that file names are appended to.
inline std::string WithSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
    return folder;
}

class KeyNames {
public:
    // `dataDir` ends with a backslash.
    explicit KeyNames(std::string dataDir) : dataDir_(WithSeparator(std::move(dataDir))) {}

    // A copy of the file's lines; they are read once and kept from then on.
    Result<std::vector<std::string>> KeyNameList();

    // The display name of a key code. Codes of 255 and above take the name of
    // line 255, a blank and the code in upper-case hexadecimal; codes without
    // a line (and negative ones) have an empty name.
    Result<std::string> KeyName(int code);

    // "name;code" for every line not named "ILLEGAL", sorted by text.
    Result<std::vector<std::string>> KeyPickList();

private:
    Result<const std::vector<std::string>*> Lines();

    std::string dataDir_;
    std::vector<std::string> cache_;
};

}  // namespace kl
