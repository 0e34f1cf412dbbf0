// The 81-number fortune table: a verse, a grade and a character sketch for
// every whole number, chosen by the number's remainder modulo 81.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace hehun {

inline constexpr int kNumber81Count = 81;

// The stored text of entry r (0 to 80): verse "|" grade "|" character text.
std::string_view Number81Entry(int r);

// What negative numbers give: the remainder falls outside the table.
inline constexpr std::string_view kNumber81Refusal = "对不起,此号不在分解之类。";

// The entry for a decimal integer text: entry (n mod 81), the remainder taken
// with the sign of n, so that 0, 81, 162 ... give entry 0 and negative
// numbers the refusal text. Throws ConversionError when the text is not a
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
