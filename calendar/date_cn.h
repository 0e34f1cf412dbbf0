// The calendar text library of the month viewer: for a Gregorian date, the
// lunar month and day names, lunar and Gregorian festivals, the solar term of
// the day, the zodiac label of the lunar year and the Western star sign.
//
// It carries its own tables for 1901 to 2050 (a record of the lunar months
// touching each Gregorian year, and the calendar days of the solar terms) and
// does not use the lunar calendar core; the two agree on every day except in
// four lunar months (1906 month 4, 1914 month 10, 1989 month 7 and 2013
// month 5), which begin one day apart.
//
// Every function is pure; only the calendar day of a date value counts. For
// dates outside 1901 to 2050 the lunar code is 0 and every text that depends
// on the tables (lunar month, day, festival, zodiac label, solar term) is
// empty. Gregorian festivals and star signs need no table and are given for
// any date of the years 1 to 9999.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "calendar/date.h"

namespace hehun {

inline constexpr int kFirstCnYear = 1901;
inline constexpr int kLastCnYear = 2050;

// Index 1 to 12 (index 0 unused).
inline constexpr std::array<std::string_view, 13> kCnMonthNames = {"",   "正", "二", "三", "四", "五", "六",
                                                                   "七", "八", "九", "十", "冬", "腊"};
// Index 1 to 30 (index 0 unused).
inline constexpr std::array<std::string_view, 31> kCnDayNames = {
    "",     "初一", "初二", "初三", "初四", "初五", "初六", "初七", "初八", "初九", "初十",
    "十一", "十二", "十三", "十四", "十五", "十六", "十七", "十八", "十九", "二十",
    "廿一", "廿二", "廿三", "廿四", "廿五", "廿六", "廿七", "廿八", "廿九", "三十"};

// Lunar month and day of a date: Month * 100 + Day for a regular month,
// -(Month * 100 + Day) for a leap month, 0 outside 1901 to 2050.
// Example: 1125 is 十一月廿五, -412 the twelfth day of the leap fourth month.
int CnLunarCode(DateValue date);

// 正月 … 十月, 冬月, 腊月; a leap month is "闰" and the month's name without
// 月 (闰四).
std::string CnLunarMonthName(DateValue date);
// 初一 … 三十.
std::string CnLunarDayName(DateValue date);
// 春节, 元宵节, 端午节, 七夕节, 中秋节, 重阳节, 腊八节, 除夕, or empty.
std::string CnLunarFestival(DateValue date);
// Branch and animal of the lunar year, e.g. 辰龙.
std::string CnZodiacLabel(DateValue date);
// The solar term that falls on the day (Beijing time), or empty.
std::string CnSolarTermName(DateValue date);

// Gregorian festival of day `day` of the year and month of `date`, or empty.
std::string SolarFestivalName(int day, DateValue date);

// Western star sign by this library's own boundaries (20 April is 金牛座).
std::string CnStarSign(DateValue date);
// The star sign of day `day` of the year and month of `date`.
std::string CnStarSignOfDay(int day, DateValue date);

// Year, month and day numbers of a date, and its day of the year
// (1 January = 1).
int CnYearOf(DateValue date);
int CnMonthOf(DateValue date);
int CnDayOf(DateValue date);
int CnDayOfYear(DateValue date);

}  // namespace hehun
