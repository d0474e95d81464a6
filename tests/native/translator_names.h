// The key names the translator harnesses look up, as a small keynames.txt.
#pragma once

#include "macro/key_names.h"

namespace kl::fuzz {

inline const support::KeyNameLookup& TestKeyNames() {
    static const support::KeyNameLookup lookup = [](std::string_view name) {
        return support::LookupKeyName(name, [](std::string_view upper) {
            return support::FindKeyName("13;ENTER\n16;SHIFT\n17;CTRL\n18;ALT\n37;LEFT\n46;DEL\n65;A\n66;B\n91;WIN\n",
                                        upper);
        });
    };
    return lookup;
}

}  // namespace kl::fuzz
