// The parameter descriptors of a catalogue line: "label:kind,argument,...",
// one per slot after the slot count (field 4), at most three slots.
#pragma once

#include <string_view>
#include <vector>

namespace kl {

enum ParameterKind : int {
    kKindText = 0,          // optional text; argument: maximum length (0: no limit)
    kKindTextList = 1,      // list of language texts 461 + first .. 461 + last
    kKindYesNo = 2,         // language texts 7 and 8
    kKindShowState = 3,     // language texts 265 to 267
    kKindPath = 4,          // text with the Select button; argument: maximum length
    kKindDirPlaySet = 5,    // "Active" and the set names of the DirPlay hotkeys
    kKindCDDrive = 6,       // the CD-ROM drives
    kKindPlayMode = 7,      // language texts 331 to 335
    kKindProfile = 8,       // the profiles, the default profile first
    kKindRequiredText = 9,  // text that must not be empty; argument: maximum length
};

struct ParameterSlot {
    int label = 0;               // language text 461 + label
    int kind = -1;               // -1 when the descriptor has no ":"
    std::vector<int> arguments;  // the numbers after the kind
};

bool IsTextKind(int kind);
bool IsListKind(int kind);

// The slots of a catalogue line, in slot order. A slot count above 3 is read
// as 3; missing descriptors give fewer slots. Numbers are trimmed; anything
// that is not a number counts as 0.
std::vector<ParameterSlot> ParameterSlots(std::string_view catalogueLine);

}  // namespace kl
