// The chart of a birth at a birthplace: the clock time read through the
// place's time zone (daylight saving time taken off), the year and month
// pillars and the start of luck by the exact instant against the solar
// terms (Beijing time), the day and hour pillars (and the 23:00 子-hour rule)
// by the true solar time at the place. Without a place: the clock time is
// Beijing time and nothing is corrected, exactly as ComputeBazi.
#pragma once

#include <string_view>

#include "bazi/chart.h"
#include "bazi/luck_start.h"
#include "calendar/birth_time.h"

namespace hehun {

struct PlacedChart {
  BaziChart chart;
  bool has_place = false;
  BirthPlace place;
  BirthTime time;                // how the clock time was read (also without a place)
  bool solar_time_used = false;  // the day and hour pillars follow the true solar time
  DateTimeParts pillar_time;     // the time the day and hour pillars follow
  LuckSpan luck;                 // 交运 to the day
};

// Fills `out` for a Gregorian clock time. The checks, the refused short-month
// dates (notice, returns false) and the ConversionError of ComputeBazi apply;
// a clock time the place never showed throws ConversionError (see
// ReadBirthTime). `place` may be null.
bool ComputeChartAtPlace(PlacedChart& out, RefDb& db, Messages& messages, int year, int month, int day, int hour,
                         int minute, std::string_view sex, const BirthPlace* place, bool useTrueSolarTime = true);

// "2000-01-01 12:00".
std::string MinuteText(DateValue value);
std::string MinuteText(const DateTimeParts& parts);

}  // namespace hehun
