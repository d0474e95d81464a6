#include "model/program_lists.h"

#include <algorithm>

#include "model/program_sets.h"
#include "model/program_control_texts.h"
#include "program_filter.h"

namespace kl {
namespace {

std::string Text(const LanguageText& text, int n, const char* fallback) {
    std::string s = text ? text(n) : std::string();
    return s.empty() ? std::string(fallback) : s;
}

}  // namespace

std::vector<std::string> DistinctProgramNames(const std::vector<std::string>& paths) {
    std::vector<std::string> names;
    for (const std::string& path : paths) {
        if (path.size() > 0xFFFFFFFFu) continue;
        char folded[kProgramNameMax];
        const std::uint32_t n = FoldedProgramFileName(path.data(), static_cast<std::uint32_t>(path.size()), folded);
        if (n == 0) continue;
        std::string name(folded, n);
        if (name.find(';') != std::string::npos) continue;
        names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

std::string AddProgramNames(std::string_view list, const std::vector<std::string>& names) {
    std::string result(list);
    std::vector<std::string> held = ProgramNames(list);
    for (const std::string& name : names) {
        const std::vector<std::string> folded = ProgramNames(name);
        if (folded.size() != 1 || name.find(';') != std::string::npos) continue;
        if (std::find(held.begin(), held.end(), folded.front()) != held.end()) continue;
        held.push_back(folded.front());
        while (!result.empty() && (result.back() == ' ' || result.back() == ';')) result.pop_back();
        if (!result.empty()) result += ';';
        result += name;
    }
    return result;
}

std::string ProgramsCell(const HotkeyPrograms& programs, const LanguageText& text) {
    if (programs.mode == ProgramsMode::Everywhere) return {};
    std::string cell = programs.mode == ProgramsMode::OnlyIn ? Text(text, program_texts::kOnlyPrefix, "only:")
                                                             : Text(text, program_texts::kExceptPrefix, "except:");
    const std::vector<std::string> names = ProgramNames(programs.programs);
    for (std::size_t i = 0; i < names.size(); ++i) cell += (i == 0 ? " " : "; ") + names[i];
    return cell;
}

}  // namespace kl
