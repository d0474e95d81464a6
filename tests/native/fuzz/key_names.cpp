// keynames.txt as the event language reads it: the first line is the name
// looked up, the rest the file.
#include "harness.h"
#include "macro/key_names.h"

using namespace kl::support;

KL_FUZZ_HARNESS(key_names) {
    const auto eol = input.find('\n');
    const std::string_view name = input.substr(0, eol);
    const std::string_view file = eol == std::string_view::npos ? std::string_view() : input.substr(eol + 1);
    LookupKeyName(name, [&](std::string_view upper) {
        KL_FUZZ_CHECK(!upper.empty() && UpperTrim(upper) == upper);
        return FindKeyName(file, upper);
    });
}
