#include "hotkey_index.h"

namespace kl {
namespace {

std::string_view TrimBlanks(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= ' ') ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
    return text.substr(first, last - first);
}

// Calls `piece` with every non-blank piece of a list as it is written.
template <class Piece>
void ForEachNonBlankPiece(std::string_view list, Piece&& piece) {
    while (!list.empty()) {
        const auto semi = list.find(';');
        const std::string_view text = list.substr(0, semi);
        list = semi == std::string_view::npos ? std::string_view{} : list.substr(semi + 1);
        if (!TrimBlanks(text).empty()) piece(text);
    }
}

}  // namespace

std::int32_t IndexId(std::string_view piece) {
    const std::string_view digits = TrimBlanks(piece);
    if (digits.empty() || digits.size() > 10) return 0;
    std::int64_t n = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return 0;
        n = n * 10 + (c - '0');
    }
    return n <= 2147483647 ? static_cast<std::int32_t>(n) : 0;
}

std::vector<std::string_view> IndexPieces(std::string_view list) {
    std::vector<std::string_view> pieces;
    ForEachNonBlankPiece(list, [&](std::string_view piece) { pieces.push_back(piece); });
    return pieces;
}

bool IndexHolds(std::string_view list, int id) {
    bool holds = false;
    ForEachIndexId(list, [&](std::int32_t n) {
        holds = n == id;
        return !holds;
    });
    return holds;
}

std::string IndexWithout(std::string_view list, int id) {
    std::string kept;
    ForEachNonBlankPiece(list, [&](std::string_view piece) {
        if (id != 0 && IndexId(piece) == id) return;
        kept.append(piece);
        kept += ';';
    });
    return kept;
}

int IndexSlot(int keyCode) { return keyCode > 255 ? 255 : keyCode; }

}  // namespace kl
