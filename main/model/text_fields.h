// Fields of ";"-separated lines and the number rule of the data files.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kl {

// Leading and trailing blanks (spaces and control characters) removed.
std::string_view Trim(std::string_view text);

// The pieces between ";" (a text without ";" is one field; "" is one empty field).
std::vector<std::string_view> SplitFields(std::string_view line, char separator = ';');

// Field n of a line, counting from 1; empty when the line has fewer fields.
std::string_view Field(std::string_view line, int n, char separator = ';');

// The whole trimmed text as a signed decimal 32-bit number; anything else
// (empty, other characters, out of range) gives `fallback`.
int ToNumber(std::string_view text, int fallback = 0);

// The number of field n (0 when missing or not a number).
int NumberField(std::string_view line, int n, char separator = ';');

// True for a non-empty text of the digits 0 to 9 only.
bool IsDigits(std::string_view text);

}  // namespace kl

namespace kl {

// Case-insensitive comparison in the user's locale, as lists sort their texts.
int CompareTextNoCase(std::string_view a, std::string_view b);

// Sorts texts case-insensitively; equal texts keep their order.
void SortNoCase(std::vector<std::string>& texts);

}  // namespace kl
