// The parameter string of a function: the first 255 characters of the text,
// holding up to four positional fields, each ended or separated by 0xFF.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kl::support {

inline constexpr char kFieldSeparator = '\xFF';
inline constexpr std::size_t kParamMax = 255;
inline constexpr int kParamFields = 4;

class Params {
public:
    Params() = default;
    // A null pointer reads as the empty parameter (isNull() tells it apart).
    explicit Params(const char* raw);
    explicit Params(std::string_view raw);

    bool isNull() const { return null_; }
    // The whole parameter, cut to 255 characters.
    std::string_view text() const { return text_; }
    // Field 1 to 4; a field that is not present is empty.
    std::string_view Field(int index) const;
    // The field without leading and trailing blanks.
    std::string_view Trimmed(int index) const;
    // The field as a signed 32-bit number ("$" selects hexadecimal); 0 when empty or not a number.
    std::int32_t Number(int index) const;

private:
    std::string text_;
    bool null_ = true;
};

// Signed 32-bit number in the usual decimal rules, "$" (after an optional sign)
// selecting hexadecimal; 0 when the text is not a number.
std::int32_t ParseParamNumber(std::string_view text);

std::string_view TrimBlanks(std::string_view text);

}  // namespace kl::support
