// The parameter model: fields split at 0xFF, numbers, the 255-character cut.
#include <string>

#include "harness.h"
#include "params.h"

using namespace kl::support;

KL_FUZZ_HARNESS(params) {
    const std::string text(input);
    for (const Params& p : {Params(text.c_str()), Params(input)}) {
        KL_FUZZ_CHECK(p.text().size() <= kParamMax);
        for (int i = 0; i <= kParamFields + 1; ++i) {
            KL_FUZZ_CHECK(p.Field(i).find(kFieldSeparator) == std::string_view::npos);
            KL_FUZZ_CHECK(p.Trimmed(i).size() <= p.Field(i).size());
            p.Number(i);
        }
    }
    ParseParamNumber(input);
}
