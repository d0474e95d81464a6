// An exchange file: every item taken is within its ranges; written back into a file
// and read again, the hotkeys and options come back the same.
#include "model/exchange_items.h"
#include "model/report_lines.h"
#include "harness.h"

using namespace kl;

namespace {

const ExchangeOption kOptions[] = {{28, "Language"}, {1, "LoadDuringStartup"}, {16, "MKSpeed"}};

}  // namespace

KL_FUZZ_HARNESS(exchange_file) {
    const ExchangeRead read = ReadExchangeFile(input, kOptions, {});
    int hotkeys = 0;
    for (const ExchangeItem& item : read.items) {
        if (item.kind == kExchangeSetting) continue;
        ++hotkeys;
        const ExchangeHotkey& h = item.hotkey;
        KL_FUZZ_CHECK(IsHotkeyKeyCode(h.key) && h.modifier >= 0 && h.modifier <= 15);
        KL_FUZZ_CHECK(h.functionId >= 1 && h.functionId <= 279);
        KL_FUZZ_CHECK(h.parameter.size() <= 255 && h.description.size() <= 255);
        const ReportNames names{[](int n) { return std::to_string(n); }, [](int) { return std::string("f"); },
                                [](int, int) { return std::string("k"); }, [](int) { return std::string("p"); }};
        KL_FUZZ_CHECK(HotkeyReportLine(h.key, h.modifier, h.functionId, h.description, h.parameter, names).size() < 1200);
    }
    KL_FUZZ_CHECK(hotkeys <= kExchangeMaxHotkeys);
    std::vector<ExchangeItem> kept;
    for (ExchangeItem item : read.items) {
        if (item.kind == kExchangeConflict) item.kind = kExchangeHotkey;
        kept.push_back(std::move(item));
    }
    if (kept.empty()) return;
    IniText file;
    WriteExchangeItems(file, kept);
    const ExchangeRead back = ReadExchangeFile(file.Text(), kOptions, {});
    KL_FUZZ_CHECK(back.skipped.empty());
    KL_FUZZ_CHECK(back.items.size() == kept.size());
}
