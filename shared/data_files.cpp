#include "data_files.h"

#include "text_file.h"

namespace kl {

const std::vector<std::string>* DataFileLines::Lines(std::string& error) {
    if (!read_) {
        auto lines = ReadTextLines(path_);
        if (!lines) {
            error = CannotOpenFileText(path_);
            return nullptr;
        }
        lines_ = std::move(*lines);
        read_ = true;
    }
    return &lines_;
}

}  // namespace kl
