// Program names as the settings hold them, and a program filter slot of any
// content behind a whole header: names come out folded, once and packable, and
// reading the slot never leaves the mapping.
#include <cstring>
#include <memory>

#include "model/program_sets.h"
#include "harness.h"
#include "program_filter.h"

using namespace kl;

KL_FUZZ_HARNESS(program_filter) {
    const std::vector<std::string> names = ProgramNames(input);
    for (std::size_t i = 0; i < names.size(); ++i) {
        KL_FUZZ_CHECK(!names[i].empty() && names[i].size() <= kProgramNameMax);
        for (const char c : names[i]) {
            KL_FUZZ_CHECK(c != ';' && c != '\\' && c != '/');
            KL_FUZZ_CHECK(FoldProgramChar(static_cast<unsigned char>(c)) == static_cast<unsigned char>(c));
        }
        for (std::size_t j = 0; j < i; ++j) KL_FUZZ_CHECK(names[j] != names[i]);
    }
    const std::string packed = PackProgramSet(names);
    const ProgramSetBytes set{reinterpret_cast<const std::uint8_t*>(packed.data()),
                              static_cast<std::uint32_t>(packed.size())};
    KL_FUZZ_CHECK(ProgramSetWellFormed(set));
    for (const std::string& name : names)
        KL_FUZZ_CHECK(ProgramSetHolds(set, name.data(), static_cast<std::uint32_t>(name.size())));

    // The input as the start of the active slot, the rest zero.
    auto map = std::make_unique<ProgramFilterMap>();
    map->Magic = kProgramFilterMagic;
    map->Version = kProgramFilterVersion;
    map->TotalSize = sizeof(ProgramFilterMap);
    map->Active = input.size() % 2;
    ProgramFilterSlot& slot = map->Slots[map->Active];
    std::memcpy(&slot, input.data(), input.size() < sizeof slot ? input.size() : sizeof slot);
    slot.Sequence &= ~1u;
    ProgramFilterRead read;
    KL_FUZZ_CHECK(BeginProgramFilterRead(map.get(), sizeof(ProgramFilterMap), read) == FilterReadStart::Taken);
    ProgramSlotValid(*read.slot);
    ProgramIsOff(*read.slot, "a.exe", 5);
    for (int i = 0; i < kProgramFilterRows; ++i) {
        const ProgramFilterRow* row = FindProgramRow(*read.slot, i, static_cast<std::int32_t>(i + 1));
        KL_FUZZ_CHECK(!row || (row >= read.slot->Rows && row < read.slot->Rows + kProgramFilterRows));
        FilterRowRank(*read.slot, row, "a.exe", 5);
    }
    KL_FUZZ_CHECK(ProgramFilterReadHeld(read));
}
