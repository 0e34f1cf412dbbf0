// The folder almanac/ stands on bazi/ and below, beside divination/ and
// knowledge/: the almanac day view and the wedding-day search.
//
// The almanac day view: one day of the table `huangdao` of BookFile.dll as
// the page 本日黄历 and `hehun-cli almanac` show it.
#pragma once

#include <string>

#include "refdb/messages.h"
#include "refdb/refdb.h"
#include "refdb/line_sink.h"

namespace hehun {

// The years the almanac table holds.
inline constexpr int kFirstAlmanacYear = 1901;
inline constexpr int kLastAlmanacYear = 2100;

// The three date choices as typed or chosen.
struct AlmanacChoice {
  std::string year, month, day;
};

enum class AlmanacOutcome {
  kShown,    // the headline and the 19 lines were written
  kRefused,  // an empty or invalid choice; its message was shown
  kNoDay,    // the table has no row for that day; nothing is shown
};

// Checks the choice (empty year, month or day; a text that is not a valid
// date, a year outside kFirstAlmanacYear to kLastAlmanacYear), looks the day up and, when found, sets `headline` to the date text
// as typed, two blanks and the day's summary, and appends the ten labelled
// lines with an empty line between each pair to `out`. Errors of the
// reference database throw DatabaseError.
AlmanacOutcome ViewAlmanacDay(const AlmanacChoice& choice, Messages& messages, RefDb& db, std::string& headline,
                              LineSink& out);

// The fixed glossary of almanac terms beside the result, one entry a line.
const char* AlmanacGlossary();

}  // namespace hehun
