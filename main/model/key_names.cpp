#include "model/key_names.h"

#include <cstdio>

#include "model/text_fields.h"

namespace kl {

Result<const std::vector<std::string>*> KeyNames::Lines() {
    using Out = Result<const std::vector<std::string>*>;
    std::string error;
    const std::vector<std::string>* lines = file_.Lines(error);
    if (!lines) return Out::Failure(error);
    Out out;
    out.value = lines;
    return out;
}

Result<std::vector<std::string>> KeyNames::KeyNameList() {
    using Out = Result<std::vector<std::string>>;
    auto lines = Lines();
    if (!lines) return Out::Failure(lines.error);
    Out out;
    out.value = *lines.value;
    return out;
}

Result<std::string> KeyNames::KeyName(int code) {
    using Out = Result<std::string>;
    auto lines = Lines();
    if (!lines) return Out::Failure(lines.error);
    Out out;
    if (code < 0) return out;
    const std::size_t k = code < 255 ? static_cast<std::size_t>(code) : 255;
    if (lines.value->size() <= k) return out;
    out.value = std::string(Field((*lines.value)[k], 2));
    if (k == 255) {
        char hex[16];
        std::snprintf(hex, sizeof hex, " %X", static_cast<unsigned>(code));
        out.value += hex;
    }
    return out;
}

Result<std::vector<std::string>> KeyNames::KeyPickList() {
    using Out = Result<std::vector<std::string>>;
    auto lines = Lines();
    if (!lines) return Out::Failure(lines.error);
    Out out;
    for (const std::string& line : *lines.value) {
        const std::string_view name = Field(line, 2);
        // Lines without a name (blank lines of a hand-edited file) cannot be picked either.
        if (Trim(name).empty() || Trim(name) == kIllegalKeyName) continue;
        out.value.push_back(std::string(name) + ";" + std::to_string(NumberField(line, 1)));
    }
    SortNoCase(out.value);
    return out;
}

}  // namespace kl
