#include "core/text_file.h"

#include "core/text_lines.h"

namespace kl {

Result<std::vector<std::string>> ReadLines(const std::string& path) {
    using Lines = Result<std::vector<std::string>>;
    std::string contents;
    if (!ReadWholeFile(path, contents)) return Lines::Failure("Cannot open file \"" + path + "\".");
    Lines result;
    result.value = SplitTextLines(contents);
    return result;
}

}  // namespace kl
