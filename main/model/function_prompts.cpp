#include "model/function_prompts.h"

#include <string_view>

#include "model/text_fields.h"

namespace kl {
namespace {

constexpr std::size_t kLineMax = 255;
constexpr int kNameTextFirst = 340;
constexpr int kPromptTextFirst = 461;
constexpr char kFieldEnd = '\xFF';

// The text before the first `c`; the rest after it (empty when `c` is missing).
std::string_view Cut(std::string_view& rest, char c) {
    const std::size_t at = rest.find(c);
    const std::string_view piece = rest.substr(0, at);
    rest = at == std::string_view::npos ? std::string_view() : rest.substr(at + 1);
    return piece;
}

}  // namespace

std::vector<FunctionPrompts> PromptsForFunction(const std::vector<std::string>& catalogueLines,
                                                std::uint32_t functionId) {
    std::vector<FunctionPrompts> result;
    for (const std::string& line : catalogueLines) {
        std::string_view rest = std::string_view(line).substr(0, kLineMax);
        if (rest.empty()) continue;
        if (static_cast<std::uint32_t>(ToNumber(Cut(rest, ';'))) != functionId) continue;
        FunctionPrompts prompts;
        prompts.captionText = kNameTextFirst + ToNumber(Cut(rest, ';'));
        Cut(rest, ';');  // the category
        int count = ToNumber(Cut(rest, ';'));
        if (count > kMaxPrompts) count = kMaxPrompts;
        for (int i = 0; i < count; ++i) {
            std::string_view slot = Cut(rest, ';');
            prompts.promptTexts.push_back(kPromptTextFirst + ToNumber(Cut(slot, ':')));
        }
        result.push_back(std::move(prompts));
    }
    return result;
}

std::string JoinAnswers(const std::vector<std::string>& answers) {
    std::string text;
    for (const std::string& answer : answers) {
        text += answer;
        text += kFieldEnd;
    }
    return text;
}

}  // namespace kl
