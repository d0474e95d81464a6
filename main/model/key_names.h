// The key names of keynames.txt: line k names virtual-key code k.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "data_files.h"
#include "model/result.h"

namespace kl {

class KeyNames {
public:
    explicit KeyNames(std::string dataDir) : file_(std::move(dataDir), kKeyNamesFile) {}

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

    DataFileLines file_;
};

}  // namespace kl
