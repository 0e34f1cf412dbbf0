// The personal report of the page 八字及星座: a Bazi report or a star-sign
// report for one person, built in a hidden list and handed over whole.
#pragma once

#include <string>

#include "bazi/chart_view.h"
#include "calendar/date.h"
#include "refdb/messages.h"
#include "refdb/refdb.h"
#include "refdb/line_sink.h"

namespace hehun {

struct PersonalInput {
  std::string name;        // Xing2
  std::string secondName;  // NameB2, normally empty
  std::string sex;         // "男" or "女"
  int calendarIndex = 0;   // 0 公历, 1 农历
  std::string year, month, day, hour, minute;
  std::string place;          // 出生地; empty: Beijing time, no correction
  bool trueSolarTime = true;  // 真太阳时
};

enum class PersonalMode { kBazi, kStarSign };

// Mode chosen by the caption of the analysis button: "八字分析" is the Bazi
// report, anything else the star-sign report.
PersonalMode PersonalModeOfCaption(std::string_view caption);

// Runs the report. Returns false after a validation message (ShowInfo), with
// `out` untouched. On success `out` holds the whole report. Conversion
// errors, silent stops and database errors throw as for the marriage report,
// leaving `out` untouched. With `chart`, a Bazi report also leaves there the
// chart view of the chart it computed (untouched otherwise).
bool RunPersonalReport(const PersonalInput& input, PersonalMode mode, LineList& out, Messages& messages, RefDb& db,
                       const Ymd& today, ChartView* chart = nullptr);

}  // namespace hehun
