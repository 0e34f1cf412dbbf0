// 缘分测试, the folk name-stroke affinity test: the stroke counts of the
// two names' characters are written one after another as digits, then each
// row adds neighbouring digits keeping the units digit, until two digits
// remain. They read as the 缘分指数 out of 100; "00" reads as 100 (a full
// score, as the folk versions count it).
//
// The strokes are those of the characters as typed: the total strokes of
// the simplified (mainland standard) form, Unihan kTotalStrokes, which is
// what the folk versions count.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "refdb/messages.h"
#include "refdb/line_sink.h"

namespace hehun {

inline constexpr int kAffinityNameMaxChars = 4;

struct AffinityResult {
  std::vector<std::string> firstChars, secondChars;
  std::vector<int> firstStrokes, secondStrokes;
  std::vector<std::vector<int>> rows;  // the first row is the digits of the strokes
  int index = 0;                       // 1 to 100
  std::string bandTitle, bandReading;
};

// The digit rows from the first row down to the row of two digits. A first
// row of two digits is the only row.
std::vector<std::vector<int>> AffinityRows(const std::vector<int>& strokes);

// The index of the last row: its two digits as a number, 0 0 read as 100.
int AffinityIndex(const std::vector<int>& lastRow);

// The test for two checked names (their characters all have records).
AffinityResult ComputeAffinity(const std::vector<std::string>& first, const std::vector<std::string>& second);

// What the dialog and the command line run: checks both typed names (only
// Chinese characters, 1 to 4 each), shows the message and returns false
// for a bad one, otherwise writes the result lines.
bool NameAffinityReport(std::string_view first, std::string_view second, Messages& messages, LineSink& out);

}  // namespace hehun
