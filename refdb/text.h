// Small text helpers shared by the whole core: trimming as the reports need
// it and walking UTF-8 text character by character.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace hehun {

// Removes blanks and control characters (bytes up to 0x20) at both ends.
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

// Splits UTF-8 text into its characters (each a UTF-8 sequence).
std::vector<std::string> Utf8Chars(std::string_view s);

// The UTF-8 sequence of one code point.
std::string Utf8Encode(char32_t code);

// Number of characters of UTF-8 text.
int Utf8Length(std::string_view s);

// The character at a zero-based position, or empty text past the end.
std::string Utf8CharAt(std::string_view s, int index);

// Characters [from, from + count) of UTF-8 text; shorter at the end.
std::string Utf8Mid(std::string_view s, int from, int count);

bool Contains(std::string_view text, std::string_view part);

// Replaces every occurrence of `from` by `to`.
std::string ReplaceAll(std::string text, std::string_view from, std::string_view to);

// A typed text as a message quotes it: between Chinese quotation marks, cut
// to its first 24 characters and "…" when longer, so that a long pasted text
// does not flood the message box.
std::string QuoteTyped(std::string_view typed);

}  // namespace hehun
