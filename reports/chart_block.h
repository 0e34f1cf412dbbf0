// The block of chart lines both reports print for a person: conception
// pillar, start of luck, ten gods, the eight characters, hidden stems,
// elements, nayin, luck pillars with ages and years, the flow-year and
// minor-luck tables; the shensha of the four pillars; the bone weight.
#pragma once

#include <string>
#include <string_view>

#include "bazi/chart.h"
#include "bazi/shensha.h"
#include "calendar/lunar_calc.h"
#include "refdb/refdb.h"
#include "refdb/line_sink.h"
#include "reports/birth_place_lines.h"

namespace hehun {

// Stem and branch of a year, e.g. 1984 → 甲子.
std::string FlowYearName(int year);
// 5 → "05岁", 12 → "12岁".
std::string AgeLabel(int age);
// The pillar `steps` away from the hour pillar, backward when the luck runs backward.
std::string MinorPillar(const BaziChart& chart, int steps);

// Writes the chart lines; sets the chart's day hidden stems from the day count.
// With a chart at a birthplace (`placed`, whose chart is `chart`), the lines
// of the place and times come first, and the 交运 span and the start day of
// each luck pillar follow the start-of-luck and luck-year lines.
void WriteChartBlock(LineSink& sink, BaziChart& chart, RefDb& db, DateValue birthDate, std::string_view yearText,
                     const LunarDate& lunar, const PlacedChart* placed = nullptr);
// The shensha lines of the four pillars, from the rule files as the session
// has read them (each file once per session).
void WriteShenshaLines(LineSink& sink, std::string_view heading, const BaziChart& chart, RefDb& db);
void WriteBoneWeightLines(LineSink& sink, std::string_view heading, RefDb& db, const LunarDate& lunar,
                          std::string_view hourNumber, int beforeJie);

}  // namespace hehun
