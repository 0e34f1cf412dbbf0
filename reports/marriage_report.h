// The folder reports/ stands on almanac/, divination/, knowledge/ and
// everything below: the marriage and personal reports and the lines of the
// quick matchings, each a function writing lines to a sink.
//
// The marriage report (八字合婚): reads the man's and the woman's birth rows,
// computes both charts and writes the whole report, line by line, into the
// report sink, with the per-person parts collected in six hidden lists and
// printed side by side in the comparison sections.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "bazi/chart_view.h"

#include "calendar/birth_row.h"
#include "refdb/line_sink.h"
#include "refdb/messages.h"
#include "refdb/refdb.h"

namespace hehun {

// The report area: the lines written so far can be cleared (the report
// clears it once the man's row has been read).
class ReportArea : public LineList {};

// The six hidden lists of the main window.
struct MarriageHiddenLists {
  LineList shenshaMan, shenshaWoman;          // Memoshenshanan, Memoshenshanv
  LineList boneWeightMan, boneWeightWoman;    // MemoCGnan, MemoCGnv
  LineList personalityMan, personalityWoman;  // Memoxgnan, Memoxgnv
};

// How a report ended.
enum class ReportEnd {
  kComplete,
  kManRowRefused,    // a message was shown; nothing was written
  kWomanRowRefused,  // the man's half stays in the report area
};

// One matching verdict the report reaches, for the badges of the window.
struct MarriageVerdict {
  std::string label;  // 生肖 命宫 五行 纳音 神煞 合婚
  std::string value;  // e.g. "六合 上等"
  int level = 0;      // 1 good, 0 middling, −1 poor
  std::string note;   // the section of the report it comes from
};

struct ReportResult {
  ReportEnd end = ReportEnd::kComplete;
  // For a refused row: true when the name was empty (the window then puts
  // the keyboard focus into that row's name box).
  bool nameMissing = false;
  // The charts as the report computed them (each once a row was read and
  // its chart computed) and, for a complete report, the six verdicts.
  std::optional<ChartView> manChart, womanChart;
  std::vector<MarriageVerdict> verdicts;
};

// Runs the whole marriage report. Validation messages go to `messages`
// (ShowInfo); a date that cannot be converted throws ConversionError naming
// the field, a silent stop throws SilentAbort, an unreadable database where
// the error is not swallowed throws DatabaseError: the lines already written
// stay in `area`. `today` is the date ages count from.
ReportResult RunMarriageReport(const BirthRowTexts& man, const BirthRowTexts& woman, ReportArea& area,
                               MarriageHiddenLists& hidden, Messages& messages, RefDb& db, const Ymd& today);

}  // namespace hehun
