// What the tray menu's Functions list holds: one submenu per function category, in
// the order of the category names, each listing its functions in the text order of
// their catalogue lines (so by the text of their IDs).
#pragma once

#include <string>
#include <vector>

#include "model/catalogue.h"

namespace kl {

struct FunctionMenuItem {
    int functionId;
    std::string caption;
};
struct FunctionMenuCategory {
    int category;
    std::string caption;
    std::vector<FunctionMenuItem> items;
};

// Categories 3 (windows) and 5 (mouse) act on what is under the pointer or in front and
// get no submenu; within "all functions" (category 0) their functions and those of the
// reserved categories 9 and 10 are left out as well. An unreadable catalogue gives the
// categories without items.
std::vector<FunctionMenuCategory> BuildFunctionMenu(Catalogue& catalogue, const LanguageText& text);

}  // namespace kl
