#include "model/function_menu.h"

#include <algorithm>

#include "model/text_fields.h"

namespace kl {
namespace {

bool LeftOut(int category) { return category == 3 || category == 5 || category == 9 || category == 10; }

}  // namespace

std::vector<FunctionMenuCategory> BuildFunctionMenu(Catalogue& catalogue, const LanguageText& text) {
    std::vector<std::string> categories = catalogue.CategoryList();
    SortNoCase(categories);
    std::vector<FunctionMenuCategory> menu;
    for (const std::string& entry : categories) {
        const std::size_t at = entry.rfind(';');
        const int category = ToNumber(at == std::string::npos ? std::string_view() : std::string_view(entry).substr(at + 1));
        if (category == 3 || category == 5) continue;
        FunctionMenuCategory submenu{category, text ? text(kCategoryTextFirst + category) : std::string(), {}};
        auto lines = catalogue.FunctionCatalogue(category);
        SortNoCase(lines.value);
        for (const std::string& line : lines.value) {
            if (Trim(line).empty() || LeftOut(NumberField(line, 3))) continue;
            const int nameNumber = NumberField(line, 2);
            const int number = kFunctionTextFirst + nameNumber;
            std::string caption = nameNumber >= 0 && number <= kFunctionTextLast && text ? text(number) : std::string();
            submenu.items.push_back({NumberField(line, 1), std::move(caption)});
        }
        menu.push_back(std::move(submenu));
    }
    return menu;
}

}  // namespace kl
