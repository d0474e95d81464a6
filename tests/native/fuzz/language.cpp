// A language file: its lines and the texts fetched by number.
#include <string>

#include "model/language_text.h"
#include "text_lines.h"
#include "harness.h"

using namespace kl;

KL_FUZZ_HARNESS(language) {
    const auto lines = SplitTextLines(input);
    std::size_t bytes = 0;
    for (const std::string& line : lines) {
        KL_FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
        bytes += line.size();
    }
    KL_FUZZ_CHECK(bytes <= input.size());
    const int last = static_cast<int>(lines.size() < 600 ? lines.size() : 600);
    for (int n = -1; n <= last; ++n) {
        const std::string text = LanguageLine(lines, n, [] { return std::string("C:\\Program Files\\Keyloom\\keyloom.exe"); });
        KL_FUZZ_CHECK(text.size() <= kLanguageTextMax);
    }
    TrimSpaces(input);
}
