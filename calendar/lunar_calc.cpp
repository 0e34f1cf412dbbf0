#include "calendar/lunar_calc.h"

#include <cmath>
#include <iterator>

#include "refdb/ganzhi.h"

namespace hehun {

namespace {

// One word for each lunar year 1900..2100, built from data/calendar.
constexpr uint16_t kLunarYearWords[] = {
#include "lunar_year_table.inc"
};
static_assert(std::size(kLunarYearWords) == kLastLunarYear - kFirstLunarYear + 1);

constexpr int64_t kSolarTermMinutes[] = {
#include "solar_term_minutes.inc"
};
static_assert(std::size(kSolarTermMinutes) == kSolarTermNames.size());

// Years outside the table read as an empty word: no leap month, short months.
uint16_t WordOf(int year) {
  if (year < kFirstLunarYear || year > kLastLunarYear) return 0;
  return kLunarYearWords[year - kFirstLunarYear];
}

// 1900-01-31, the first day of lunar 1900, and 2101-01-01, the end of the table.
constexpr double kFirstTableDay = 32;
constexpr double kEndTableDay = 73416;

}  // namespace

int LunarMonthDays(int year, int month) {
  int shift = (month < 2 ? 1 : month) - 1;
  if (shift > 15) return 29;
  return (WordOf(year) & (0x8000u >> shift)) ? 30 : 29;
}

int LeapMonthOf(int year) {
  int nibble = WordOf(year) & 0xF;
  return nibble == 0xF ? 0 : nibble;
}

int LeapMonthDays(int year) {
  if (LeapMonthOf(year) == 0) return 0;
  return (WordOf(year + 1) & 0xF) == 0xF ? 30 : 29;
}

int LunarYearDays(int year) {
  int days = 348;
  for (unsigned mask = 0x8000; mask > 0x8; mask >>= 1)
    if (WordOf(year) & mask) ++days;
  return days + LeapMonthDays(year);
}

LunarDate SolarToLunar(DateValue date) {
  if (date < kFirstTableDay || date >= kEndTableDay) return {};
  int rest = static_cast<int>(std::floor(date) - kFirstTableDay);
  int year = kFirstLunarYear;
  int length = 0;
  while (rest > 0) {
    length = LunarYearDays(year);
    rest -= length;
    ++year;
  }
  if (rest < 0) {
    rest += length;
    --year;
  }
  const int leap = LeapMonthOf(year);
  bool isLeap = false;
  int month = 0;
  while (rest >= 0) {
    ++month;
    length = LunarMonthDays(year, month);
    rest -= length;
    if (rest >= 0 && month == leap) {
      length = LeapMonthDays(year);
      rest -= length;
      if (rest < 0) isLeap = true;
    }
  }
  rest += length;
  return {year, month, rest + 1, isLeap};
}

DateValue NoSolarDate() { return EncodeDate(1, 1, 1); }

bool IsValidLunarDate(const LunarDate& d) {
  // Month 0 or a day of 0 or below is no date: without the lower bounds such a
  // date would convert to a day of the month before.
  if (d.Year < 1901 || d.Year > 2099 || d.Month < 1 || d.Month > 12 || d.Day < 1 || d.Day > 30) return false;
  if (!d.IsLeap) return d.Day <= LunarMonthDays(d.Year, d.Month);
  return d.Month == LeapMonthOf(d.Year) && d.Day <= LeapMonthDays(d.Year);
}

DateValue LunarToSolar(const LunarDate& d) {
  if (!IsValidLunarDate(d)) return NoSolarDate();
  const int leap = LeapMonthOf(d.Year);
  long sum = 0;
  for (int i = 1; i < d.Month; ++i) {
    sum += LunarMonthDays(d.Year, i);
    if (i == leap) sum += LeapMonthDays(d.Year);
  }
  sum += d.Day - 1;
  if (d.Month == leap && d.IsLeap) sum += LunarMonthDays(d.Year, d.Month);
  for (int y = 2000; y < d.Year; ++y) sum += LunarYearDays(y);
  for (int y = d.Year; y < 2000; ++y) sum -= LunarYearDays(y);
  return EncodeDate(2000, 2, 5) + static_cast<double>(sum);
}

DateValue SolarTermInstant(int year, int n) {
  if (n < 0 || n >= static_cast<int>(std::size(kSolarTermMinutes))) return 0;
  // Whole milliseconds after 1900-01-06 02:05:00.
  const double ms = std::round((year - 1900) * 31556925974.7 + static_cast<double>(kSolarTermMinutes[n]) * 60000.0);
  const int64_t base = static_cast<int64_t>(EncodeDate(1900, 1, 6)) * 86400000LL + (2 * 60 + 5) * 60000LL;
  return static_cast<double>(base + static_cast<int64_t>(ms)) / 86400000.0;
}

std::string SolarTermOnDate(DateValue date) {
  const Ymd ymd = DecodeDate(date);
  const int k = 2 * (ymd.month - 1);
  if (std::floor(SolarTermInstant(ymd.year, k)) == date) return std::string(kSolarTermNames[k]);
  if (std::floor(SolarTermInstant(ymd.year, k + 1)) == date) return std::string(kSolarTermNames[k + 1]);
  return {};
}

std::string CycleYearName(int n) {
  return std::string(kCalendarStems[Mod(n, 10)]) + std::string(kCalendarBranches[Mod(n, 12)]) + "(" +
         std::string(kZodiacAnimals[Mod(n, 12)]) + "年)";
}

std::string LunarMonthName(int month, bool isLeap) {
  std::string name;
  if (month >= 1 && month <= 10)
    name = kChineseNumerals[month];
  else if (month == 11 || month == 12)
    name = std::string(kChineseNumerals[10]) + std::string(kChineseNumerals[month - 10]);
  if (isLeap) name = "闰" + name;
  return name + "月";
}

std::string LunarDayName(int day) {
  if (day >= 1 && day <= 10) return std::string(kLunarDayPrefixes[0]) + std::string(kChineseNumerals[day]);
  if (day >= 11 && day <= 19) return std::string(kChineseNumerals[10]) + std::string(kChineseNumerals[day - 10]);
  if (day == 20) return "二十";
  if (day >= 21 && day <= 29) return std::string(kLunarDayPrefixes[2]) + std::string(kChineseNumerals[day - 20]);
  if (day == 30) return "三十";
  return {};
}

}  // namespace hehun
