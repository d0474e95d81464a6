#include "model/program_sets.h"

#include <algorithm>

#include "program_filter.h"

namespace kl {
namespace {

std::string_view Trimmed(std::string_view piece) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!piece.empty() && blank(piece.front())) piece.remove_prefix(1);
    while (!piece.empty() && blank(piece.back())) piece.remove_suffix(1);
    if (piece.size() >= 2 && piece.front() == '"' && piece.back() == '"') {
        piece = piece.substr(1, piece.size() - 2);
        while (!piece.empty() && blank(piece.front())) piece.remove_prefix(1);
        while (!piece.empty() && blank(piece.back())) piece.remove_suffix(1);
    }
    return piece;
}

}  // namespace

std::vector<std::string> ProgramNames(std::string_view list) {
    std::vector<std::string> names;
    while (!list.empty()) {
        const std::size_t end = std::min(list.find(';'), list.size());
        const std::string_view piece = Trimmed(list.substr(0, end));
        list.remove_prefix(end < list.size() ? end + 1 : end);
        if (piece.size() > 0xFFFFFFFFu) continue;
        char folded[kProgramNameMax];
        const std::uint32_t n = FoldedProgramFileName(piece.data(), static_cast<std::uint32_t>(piece.size()), folded);
        if (n == 0) continue;
        std::string name(folded, n);
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(std::move(name));
    }
    return names;
}

std::string PackProgramSet(const std::vector<std::string>& names) {
    std::string set;
    for (const std::string& name : names) {
        if (name.empty() || name.size() > kProgramNameMax) continue;
        set.push_back(static_cast<char>(static_cast<unsigned char>(name.size())));
        set += name;
    }
    return set;
}

}  // namespace kl
