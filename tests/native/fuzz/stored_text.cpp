// What klsupport reads from the registry: numbers, index lists and the
// scrambled "Function" value.
#include <string>

#include "char_substitution.h"
#include "harness.h"
#include "stored_text.h"

using namespace kl;

KL_FUZZ_HARNESS(stored_text) {
    ParseNumber(input);
    ParseTruth(input);
    if (const auto plain = UnscrambleFunction(input)) KL_FUZZ_CHECK(ScrambleFunction(*plain) == input);
    KL_FUZZ_CHECK(UnscrambleFunction(ScrambleFunction(input)) == std::string(input));
    if (const auto value = DecodeFunctionValue(input)) KL_FUZZ_CHECK(value->parameters.size() < input.size());
    ForEachIndexPiece(input, [](std::string_view piece) {
        KL_FUZZ_CHECK(!piece.empty() && piece.find(';') == std::string_view::npos);
        ParseNumber(piece);
        return true;
    });
}
