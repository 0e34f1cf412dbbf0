// The start of the luck pillars (起运) to the day. Two conventions live
// here, each under its own name:
//  - the whole-year start age the reports have always printed
//    (BaziChart::StartAge: the distance to the 节 in days divided by three,
//    rounded up, within 1 to 10), and
//  - the span to the day, "three days make a year": the exact distance in
//    minutes from the birth instant to the 节 the luck counts to, read at
//    3 days = 1 year, 1 day = 4 months, 2 hours = 10 days, 12 minutes =
//    1 day; the luck begins (交运) on the birth date plus that span, and each
//    luck pillar ten years after the one before.
#pragma once

#include <string>
#include <vector>

#include "bazi/chart.h"
#include "calendar/date.h"

namespace hehun {

struct LuckSpan {
  int years = 0, months = 0, days = 0;
  Ymd start;  // 交运: the day the first luck pillar begins
};

// The span of "three days make a year" for a distance in days (minutes
// counted whole), from the birth date.
LuckSpan ThreeDaysMakeAYear(double distanceDays, const Ymd& birthDate);

// "3年4个月12天起运，1993年9月13日交运".
std::string LuckSpanText(const LuckSpan& span);
// "1993年9月13日".
std::string ChineseDateText(const Ymd& date);

struct LuckPillar {
  std::string ganzhi;
  Ymd start;
};

// The luck pillars after the month pillar, forward or backward as the chart
// runs, the first beginning at 交运 and each ten years after the one before.
std::vector<LuckPillar> LuckPillarsFrom(const BaziChart& chart, const LuckSpan& span, int count = 10);

}  // namespace hehun
