// Running a function from the tray menu's Functions list asks for its
// parameters: what to ask is read from the function's catalogue lines.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kl {

struct FunctionPrompts {
    int captionText = 0;           // language text of the function's name
    std::vector<int> promptTexts;  // language text of each question, in order
};

// The parameter text holds at most four fields, so no more are asked for.
inline constexpr int kMaxPrompts = 4;

// One entry per catalogue line ("ID;name number;category;count;slot...") whose
// ID is `functionId`, in file order. Each slot is "prompt number:..."; the
// question is text 461 + prompt number, the caption text 340 + name number.
// Lines are read as at most 255 characters; numbers that are not decimal read 0.
std::vector<FunctionPrompts> PromptsForFunction(const std::vector<std::string>& catalogueLines,
                                                std::uint32_t functionId);

// The answers as the function receives them: each ends with the field separator
// (character 255) of the parameter text.
std::string JoinAnswers(const std::vector<std::string>& answers);

}  // namespace kl
