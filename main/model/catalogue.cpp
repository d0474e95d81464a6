#include "model/catalogue.h"

#include <algorithm>
#include <utility>

#include "model/registry_helpers.h"
#include "model/text_fields.h"
#include "text_file.h"
#include "registry_names.h"

namespace kl {

bool IsFunctionAllowed(int functionId) {
    return registry::ReadText(reg::kAllowedKey, std::to_string(functionId), "1") == "1";
}

Catalogue::Catalogue(std::string dataDir, LanguageText text)
    : dataDir_(WithSeparator(std::move(dataDir))), text_(std::move(text)), keys_(dataDir_) {}

std::string Catalogue::Text(int number) const { return text_ ? text_(number) : std::string(); }

std::string Catalogue::FunctionTitle(int nameNumber) const {
    // Name numbers outside the Functions section would pick up unrelated texts.
    const int number = kFunctionTextFirst + nameNumber;
    if (nameNumber < 0 || number > kFunctionTextLast) return {};
    return Text(number);
}

Result<std::vector<std::string>> Catalogue::FunctionCatalogue(int category) {
    using Out = Result<std::vector<std::string>>;
    Out out;
    if (functions_.empty()) {
        const std::string path = dataDir_ + kFunctionsFile;
        auto read = ReadTextLines(path);
        if (!read) return Out::Failure(CannotOpenFileText(path));
        for (std::string& line : *read) {
            const std::string_view trimmed = Trim(line);
            if (trimmed.empty() || trimmed.front() == '{') continue;
            const int id = NumberField(trimmed, 1);
            if (id < 0 || !IsFunctionAllowed(id)) continue;
            out.value.push_back(std::move(line));
        }
        // Only a request for all functions fills the cache.
        if (category <= 0) functions_ = out.value;
    } else {
        out.value = functions_;
    }
    if (category <= 0) return out;
    std::vector<std::string> chosen;
    for (std::string& line : out.value)
        if (NumberField(line, 3) == category) chosen.push_back(std::move(line));
    out.value = std::move(chosen);
    return out;
}

int Catalogue::CategoryOf(int functionId) {
    auto all = FunctionCatalogue(0);
    if (!all.ok()) return -1;
    for (const std::string& line : all.value)
        if (IsDigits(Trim(Field(line, 1))) && NumberField(line, 1) == functionId) return NumberField(line, 3);
    return -1;
}

Result<std::string> Catalogue::FunctionName(int functionId) {
    using Out = Result<std::string>;
    auto all = FunctionCatalogue(0);
    if (!all) return Out::Failure(all.error);
    Out out;
    for (const std::string& line : all.value) {
        if (NumberField(line, 1) == functionId) {
            out.value = FunctionTitle(NumberField(line, 2));
            break;
        }
    }
    return out;
}

std::vector<std::string> Catalogue::SortedByName(const std::vector<std::string>& lines) const {
    std::vector<std::pair<std::string, std::size_t>> keyed;  // "name;line" and the length of "name;"
    keyed.reserve(lines.size());
    for (const std::string& line : lines) {
        const std::string_view number = Trim(Field(line, 2));
        std::string name = number.empty() ? std::string() : FunctionTitle(ToNumber(number));
        name += ';';
        const std::size_t prefix = name.size();
        keyed.emplace_back(name + line, prefix);
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return CompareTextNoCase(a.first, b.first) < 0; });
    std::vector<std::string> sorted;
    sorted.reserve(keyed.size());
    for (auto& [text, prefix] : keyed) sorted.push_back(text.substr(prefix));
    return sorted;
}

std::vector<std::string> Catalogue::CategoryList() const {
    std::vector<std::string> list;
    for (int number = kCategoryTextFirst; number <= kCategoryTextLast; ++number) {
        const int category = number - kCategoryTextFirst;
        if (category == 9 || category == 10) continue;
        list.push_back(Text(number) + ";" + std::to_string(category));
    }
    return list;
}

std::vector<std::string> Catalogue::ModifierList() const {
    std::vector<std::string> list;
    for (int m = 0; m < kModifierCount; ++m) list.push_back(Text(kModifierTextFirst + m));
    return list;
}

std::string Catalogue::ModifierName(int modifierSet) const {
    // Only the 17 names of the modifier list; other numbers belong to other sections.
    if (modifierSet < 0 || modifierSet >= kModifierCount) return {};
    return Text(kModifierTextFirst + modifierSet);
}

Result<std::string> Catalogue::HotkeyText(int keyCode, int modifierSet) {
    auto key = keys_.KeyName(keyCode);
    if (key) key.value = ModifierName(modifierSet) + "+" + key.value;
    return key;
}

}  // namespace kl
