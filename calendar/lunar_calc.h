// Chinese lunar calendar arithmetic for 1900 to 2100: conversions between
// Gregorian and lunar dates from the packed table of lunar years, the solar
// terms by the fixed-rate formula, and the names of years, months and days.
// Every function is pure; out-of-range input gives a neutral result.
#pragma once

#include <cstdint>
#include <string>

#include "calendar/date.h"

namespace hehun {

struct LunarDate {
  int32_t Year = 0;
  int32_t Month = 0;
  int32_t Day = 0;
  bool IsLeap = false;
  friend bool operator==(const LunarDate&, const LunarDate&) = default;
};

inline constexpr int kFirstLunarYear = 1900;
inline constexpr int kLastLunarYear = 2100;

int LunarMonthDays(int year, int month);
int LeapMonthOf(int year);
int LeapMonthDays(int year);
int LunarYearDays(int year);

// Lunar date of a day (the time of day is ignored); (0, 0, 0, false) before
// 1900-01-31 or from 2101-01-01 on.
LunarDate SolarToLunar(DateValue date);

// Gregorian date of a lunar date; 0001-01-01 when IsValidLunarDate rejects it.
DateValue LunarToSolar(const LunarDate& lunar);
bool IsValidLunarDate(const LunarDate& lunar);

// The day value 0001-01-01 that LunarToSolar returns for a rejected date.
DateValue NoSolarDate();

// Instant of solar term n (0 = 小寒 … 23 = 冬至) of a Gregorian year by the
// fixed-rate formula.
DateValue SolarTermInstant(int year, int n);

// Name of the solar term that falls on a whole date, or empty text.
std::string SolarTermOnDate(DateValue date);

std::string CycleYearName(int n);                    // 甲子(鼠年)
std::string LunarMonthName(int month, bool isLeap);  // 四月, 闰四月
std::string LunarDayName(int day);                   // 初一, 廿三

}  // namespace hehun
