// QQ号缘分: the 81-number method applied to a pair of QQ numbers. The two
// numbers are added and the sum is looked up in the 81-number table exactly
// as the number dialog looks up one number; the entry's verse and grade
// are shown with a one-line reading of the pair by that grade.
#pragma once

#include <string>
#include <string_view>

#include "refdb/messages.h"
#include "refdb/line_sink.h"

namespace hehun {

// The input rule of the QQ numbers here: 5 to 11 digits.
inline constexpr int kQqMinDigits = 5;
inline constexpr int kQqMaxDigits = 11;

// The message for a bad typed QQ number (`who`: "第一个QQ号码"), empty for
// a good one.
std::string CheckQqNumber(std::string_view typed, std::string_view who);

// The one-line reading of a pair for an 81-number grade ("吉", "凶",
// "吉带凶", "凶带吉"); empty for another text.
std::string_view PairGradeReadingOf(std::string_view grade);

// What the dialog and the command line run: checks both numbers, shows the
// message and returns false for a bad one, otherwise writes the lines.
bool QqPairReport(std::string_view first, std::string_view second, Messages& messages, LineSink& out);

}  // namespace hehun
