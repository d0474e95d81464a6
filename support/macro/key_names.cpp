#include "macro/key_names.h"

#include <windows.h>

#include <stdexcept>

#include "win_handles.h"

namespace kl::support {

namespace {

std::string ReadWholeFile(const std::string& path) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw std::runtime_error("Cannot open file \"" + path + "\".");
    std::string text;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) text.append(chunk, got);
    return text;
}

}  // namespace

std::int32_t KeyNamesFile::operator()(std::string_view name) {
    return LookupKeyName(name, [this](std::string_view upper) {
        if (!text_) text_ = ReadWholeFile(dataDir_ + "keynames.txt");
        return FindKeyName(*text_, upper);
    });
}

}  // namespace kl::support
