#include "calendar/date_cn.h"

#include <cmath>
#include <cstdint>
#include <iterator>

#include "refdb/ganzhi.h"

namespace hehun {

namespace {

// One record per Gregorian year 1901-2050, bytes B0 B1 B2 B3 from the high
// byte down: B0 bit 7 gives the month of slot 0 (12 set, 11 clear) and bits
// 6-0 the lunar day of 1 January; B1 B2 bit 15 - i the length of slot i
// (30 set, 29 clear); B3 the leap month of the lunar year beginning in Y.
constexpr uint32_t kCnYearTable[] = {
#include "cn_year_table.inc"
};
static_assert(std::size(kCnYearTable) == kLastCnYear - kFirstCnYear + 1);

// Twelve bytes per year 1901-2050, January first: the month's first solar
// term falls on day 15 - (T >> 4), its second on day 15 + (T & 0x0F).
constexpr uint8_t kCnTermDayTable[] = {
#include "cn_term_day_table.inc"
};
static_assert(std::size(kCnTermDayTable) == (kLastCnYear - kFirstCnYear + 1) * 12);

// The calendar day of a date value, or false for a value that is no date of
// the years 1 to 9999 (not a number, infinite, or far out of range).
bool DayOf(DateValue date, Ymd& ymd) {
  if (!std::isfinite(date) || date < EncodeDate(1, 1, 1) || date >= EncodeDate(9999, 12, 31) + 1) return false;
  ymd = DecodeDate(date);
  return true;
}

bool InTable(const Ymd& d) { return d.year >= kFirstCnYear && d.year <= kLastCnYear; }

int DayOfYear(const Ymd& d) {
  return static_cast<int>(EncodeDate(d.year, d.month, d.day) - EncodeDate(d.year, 1, 1)) + 1;
}

// 0 = Sunday … 6 = Saturday (day number 0, 1899-12-30, was a Saturday).
int Weekday(int year, int month, int day) {
  return Mod(static_cast<int>(EncodeDate(year, month, day)) + 6, 7);
}

// True when `day` of the month is the n-th (1-based) given weekday of it.
bool IsNthWeekday(int year, int month, int day, int weekday, int n) {
  return Weekday(year, month, day) == weekday && (day - 1) / 7 == n - 1;
}

int CodeOf(const Ymd& d) {
  if (!InTable(d)) return 0;
  const uint32_t record = kCnYearTable[d.year - kFirstCnYear];
  const int b0 = static_cast<int>(record >> 24);
  const int lengths = static_cast<int>((record >> 8) & 0xFFFF);
  const int leap = static_cast<int>(record & 0xFF);
  const auto length = [&](int slot) { return (lengths >> (15 - slot)) & 1 ? 30 : 29; };

  const int e = DayOfYear(d) - 1;
  const int first = b0 & 0x80 ? 12 : 11;
  const int start = b0 & 0x7F;
  if (e <= length(0) - start) {
    // Slot 0 is a leap month when the last day of the previous year was in one.
    const bool slot0Leap = d.year > kFirstCnYear && CodeOf({d.year - 1, 12, 31}) < 0;
    const int code = first * 100 + start + e;
    return slot0Leap ? -code : code;
  }

  // Walk the slots. The leap month of B3 belongs to the lunar year that begins
  // in this Gregorian year, so it is looked for only once 正月 has begun.
  int end = length(0) - start;
  int month = first;
  bool isLeap = false;
  bool newYear = false;
  int slot = 1;
  for (;; ++slot) {
    if (!isLeap && newYear && month == leap) {
      isLeap = true;
    } else {
      month = month % 12 + 1;
      isLeap = false;
      if (month == 1) newYear = true;
    }
    if (e <= end + length(slot) || slot == 15) break;
    end += length(slot);
  }
  const int code = month * 100 + (e - end);
  return isLeap ? -code : code;
}

std::string MonthName(int code) {
  const int m = code / 100;
  if (m < 0) return "闰" + std::string(kCnMonthNames[-m]);
  if (m == 0) return "";
  return std::string(kCnMonthNames[m]) + "月";
}

std::string StarSign(const Ymd& d) {
  struct Split {
    int lastOfFirst;
    std::string_view first;
    std::string_view second;
    int lastDay;
  };
  static constexpr std::array<Split, 12> kSigns = {{
      {19, "摩羯座", "水瓶座", 31},
      {18, "水瓶座", "双鱼座", 29},
      {20, "双鱼座", "白羊座", 31},
      {19, "白羊座", "金牛座", 30},
      {20, "金牛座", "双子座", 31},
      {21, "双子座", "巨蟹座", 30},
      {22, "巨蟹座", "狮子座", 31},
      {22, "狮子座", "处女座", 31},
      {22, "处女座", "天秤座", 30},
      {23, "天秤座", "天蝎座", 31},
      {21, "天蝎座", "射手座", 30},
      {21, "射手座", "摩羯座", 31},
  }};
  if (d.month < 1 || d.month > 12) return "";
  const Split& s = kSigns[d.month - 1];
  if (d.day >= 1 && d.day <= s.lastOfFirst) return std::string(s.first);
  if (d.day > s.lastOfFirst && d.day <= s.lastDay) return std::string(s.second);
  return "";
}

}  // namespace

int CnLunarCode(DateValue date) {
  Ymd d;
  return DayOf(date, d) ? CodeOf(d) : 0;
}

std::string CnLunarMonthName(DateValue date) { return MonthName(CnLunarCode(date)); }

std::string CnLunarDayName(DateValue date) {
  const int code = CnLunarCode(date);
  if (code == 0) return "";
  return std::string(kCnDayNames[std::abs(code) % 100]);
}

std::string CnLunarFestival(DateValue date) {
  const int code = CnLunarCode(date);
  if (code == 0) return "";
  const int day = std::abs(code) % 100;
  const std::string month = MonthName(code);
  struct Festival {
    int day;
    std::string_view month;
    std::string_view name;
  };
  static constexpr Festival kFestivals[] = {
      {1, "正月", "春节"},   {5, "五月", "端午节"}, {7, "七月", "七夕节"}, {8, "腊月", "腊八节"},
      {9, "九月", "重阳节"}, {15, "八月", "中秋节"}, {15, "正月", "元宵节"},
  };
  for (const Festival& f : kFestivals)
    if (day == f.day && month == f.month) return std::string(f.name);
  // The last day of the lunar year: the next day begins 正月.
  if (month != "正月" && CnLunarMonthName(DateOf(date) + 1) == "正月") return "除夕";
  return "";
}

std::string CnZodiacLabel(DateValue date) {
  Ymd d;
  if (!DayOf(date, d) || !InTable(d)) return "";
  int k = Mod(d.year - 1972, 12);  // 1972 is a 子鼠 year
  if (d.month <= 3) {
    // Before the lunar new year the label is still the previous year's.
    const std::string month = CnLunarMonthName(date);
    if (month.find("腊") != std::string::npos || month.find("冬") != std::string::npos) k = Mod(k - 1, 12);
  }
  return std::string(kCalendarBranches[k]) + std::string(kZodiacAnimals[k]);
}

std::string CnSolarTermName(DateValue date) {
  Ymd d;
  if (!DayOf(date, d) || !InTable(d)) return "";
  const int t = kCnTermDayTable[(d.year - kFirstCnYear) * 12 + (d.month - 1)];
  if (d.day < 15 && d.day == 15 - (t >> 4)) return std::string(kSolarTermNames[2 * (d.month - 1)]);
  if (d.day >= 15 && d.day == 15 + (t & 0x0F)) return std::string(kSolarTermNames[2 * (d.month - 1) + 1]);
  return "";
}

std::string SolarFestivalName(int day, DateValue date) {
  Ymd d;
  if (!DayOf(date, d) || day < 1 || day > DaysInMonth(d.year, d.month)) return "";
  constexpr int kSunday = 0, kThursday = 4;
  switch (d.month) {
    case 1:
      if (day == 1) return "元旦节";
      break;
    case 2:
      if (day == 14) return "情人节";
      break;
    case 3:
      if (day == 8) return "妇女节";
      break;
    case 4:
      if (day == 1) return "愚人节";
      break;
    case 5:
      if (day == 1) return "劳动节";
      if (day == 4) return "青年节";
      if (IsNthWeekday(d.year, 5, day, kSunday, 2)) return "母亲节";
      break;
    case 6:
      if (day == 1) return "儿童节";
      if (IsNthWeekday(d.year, 6, day, kSunday, 3)) return "父亲节";
      break;
    case 7:
      if (day == 1) return "建党节";
      break;
    case 8:
      if (day == 1) return "建军节";
      break;
    case 9:
      if (day == 10) return "教师节";
      break;
    case 10:
      if (day == 1) return "国庆节";
      if (day == 6) return "老人节";
      if (day == 31) return "万圣节";
      break;
    case 11:
      if (day == 8) return "记者日";
      if (IsNthWeekday(d.year, 11, day, kThursday, 4)) return "感恩节";
      break;
    case 12:
      if (day == 25) return "圣诞节";
      break;
  }
  return "";
}

std::string CnStarSign(DateValue date) {
  Ymd d;
  return DayOf(date, d) ? StarSign(d) : "";
}

std::string CnStarSignOfDay(int day, DateValue date) {
  Ymd d;
  if (!DayOf(date, d)) return "";
  d.day = day;
  return StarSign(d);
}

int CnYearOf(DateValue date) {
  Ymd d;
  return DayOf(date, d) ? d.year : 0;
}

int CnMonthOf(DateValue date) {
  Ymd d;
  return DayOf(date, d) ? d.month : 0;
}

int CnDayOf(DateValue date) {
  Ymd d;
  return DayOf(date, d) ? d.day : 0;
}

int CnDayOfYear(DateValue date) {
  Ymd d;
  return DayOf(date, d) ? DayOfYear(d) : 0;
}

}  // namespace hehun
