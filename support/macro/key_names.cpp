#include "macro/key_names.h"

#include <stdexcept>

namespace kl::support {

std::int32_t KeyNamesFile::operator()(std::string_view name) {
    return LookupKeyName(name, [this](std::string_view upper) {
        std::string error;
        const std::vector<std::string>* lines = file_.Lines(error);
        if (!lines) throw std::runtime_error(error);
        return FindKeyName(*lines, upper);
    });
}

}  // namespace kl::support
