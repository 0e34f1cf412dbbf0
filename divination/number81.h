// The traditional table of the 81 numbers (八十一数理): a verse, a grade and a
// character sketch for every positive whole number. Numbers 1 to 81 read
// their own entry; a larger number is reduced by 80 until it is 81 or less.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace hehun {

inline constexpr int kNumber81Count = 81;

// The stored text of number n's entry (n from 1 to 81): verse "|" grade "|"
// character text; the refusal text for any other n.
std::string_view Number81Entry(int n);

// What 0 and negative numbers give: the table counts from 1.
inline constexpr std::string_view kNumber81Refusal = "八十一数从1数起，请输入大于0的号码！";

// The table number (1 to 81) of a positive number: n itself up to 81, else n
// reduced by 80 until it is 81 or less (82 → 2, 100 → 20, 161 → 81,
// 12345678 → 78); 0 for n <= 0.
int Number81Of(std::int64_t n);

// The entry for a decimal integer text: the entry of Number81Of(n), or the
// refusal text when n <= 0. Throws ConversionError when the text is not a
// decimal integer within the signed 64-bit range.
std::string_view Number81Fortune(std::string_view numberText);

// Reads a signed 64-bit decimal integer (an optional sign, then digits);
// throws ConversionError naming the text otherwise.
std::int64_t ParseInt64Text(std::string_view text);

// The three fields of an entry text, split at the ASCII bars: state (the
// verse), grade, detail. Where a bar is missing, the part before it counts
// as empty and the part after it as the whole text, so that a text without
// bars lands wholly in the detail.
struct FortuneFields {
  std::string state, grade, detail;
};
FortuneFields SplitFortune(std::string_view entry);

}  // namespace hehun
