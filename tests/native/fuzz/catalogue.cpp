// Lines of functions.txt and keynames.txt: fields, numbers, parameter slots.
#include "model/parameter_slots.h"
#include "model/text_fields.h"
#include "text_lines.h"
#include "harness.h"

using namespace kl;

KL_FUZZ_HARNESS(catalogue) {
    int count = 0;
    for (const std::string& line : SplitTextLines(input)) {
        if (++count > 2000) break;
        const auto fields = SplitFields(line);
        KL_FUZZ_CHECK(!fields.empty());
        for (int n = 0; n <= 6; ++n) {
            KL_FUZZ_CHECK(Field(line, n).size() <= line.size());
            NumberField(line, n);
        }
        const auto slots = ParameterSlots(line);
        KL_FUZZ_CHECK(slots.size() <= 3);
        for (const ParameterSlot& slot : slots) {
            IsTextKind(slot.kind);
            IsListKind(slot.kind);
        }
        IsDigits(Trim(line));
        ToNumber(line, -1);
    }
}
