// The chart of a report's person at a birthplace, and the lines a place adds
// to the chart block: 出生地, 北京时间 and 真太阳时 (with the daylight saving
// time taken off), the 交运 span and date, and the day each luck pillar
// begins. Without a place nothing is added and the chart is ComputeBazi's.
#pragma once

#include <string>

#include "bazi/placed_chart.h"
#include "refdb/line_sink.h"

namespace hehun {

// Computes the chart of a row's birth: at `placeText` (a place name or a
// longitude, see ParseBirthPlace; an unknown name throws UserError) or, when
// it is empty, exactly as ComputeBazi. Returns false for a refused date, as ComputeBazi.
bool ComputeReportChart(PlacedChart& out, RefDb& db, Messages& messages, int year, int month, int day, int hour,
                        int minute, std::string_view sex, const std::string& placeText, bool trueSolarTime);

// The day the day pillar belongs to (the true solar date with a place).
DateValue PillarDate(const PlacedChart& chart, DateValue clockDate);

// 出生地, 北京时间, 真太阳时: written before the chart lines.
void WriteBirthPlaceLines(LineSink& sink, const PlacedChart& chart);
// "交运：3年4个月12天起运，1993年9月13日交运".
std::string LuckSpanLine(const PlacedChart& chart);
// "交运日：" and the day each pillar of the 大运 line begins, the month pillar
// at birth.
std::string LuckDatesLine(const PlacedChart& chart);

}  // namespace hehun
