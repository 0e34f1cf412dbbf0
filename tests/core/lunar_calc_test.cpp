// Lunar calendar arithmetic: the listed cases, and a whole-range check
// against an independent month-start table built from the packed words.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "calendar/date.h"
#include "calendar/lunar_calc.h"

namespace hehun {
namespace {

DateValue D(int y, int m, int d) { return EncodeDate(y, m, d); }

TEST(SolarToLunar, KnownDates) {
  struct Case {
    Ymd solar;
    LunarDate lunar;
  } cases[] = {
      {{1900, 1, 31}, {1900, 1, 1, false}},  {{1984, 2, 2}, {1984, 1, 1, false}},
      {{2000, 2, 5}, {2000, 1, 1, false}},   {{2020, 1, 25}, {2020, 1, 1, false}},
      {{2023, 1, 22}, {2023, 1, 1, false}},  {{1949, 10, 1}, {1949, 8, 10, false}},
      {{2020, 5, 23}, {2020, 4, 1, true}},   {{2023, 3, 22}, {2023, 2, 1, true}},
      {{2017, 7, 23}, {2017, 6, 1, true}},   {{2033, 12, 22}, {2033, 11, 1, true}},
      {{2100, 12, 31}, {2100, 12, 1, false}}, {{1900, 1, 30}, {0, 0, 0, false}},
      {{2101, 1, 1}, {0, 0, 0, false}},
  };
  for (const auto& c : cases) {
    const LunarDate got = SolarToLunar(D(c.solar.year, c.solar.month, c.solar.day));
    EXPECT_EQ(got.Year, c.lunar.Year) << FormatYmd(c.solar);
    if (c.lunar.Year == 0) {
      EXPECT_EQ(got, LunarDate{}) << FormatYmd(c.solar);
      continue;
    }
    EXPECT_EQ(got, c.lunar) << FormatYmd(c.solar) << " gave " << got.Year << "-" << got.Month << "-" << got.Day
                            << (got.IsLeap ? " leap" : "");
  }
  // The 2017 leap sixth month has 30 days.
  EXPECT_EQ(LeapMonthDays(2017), 30);
  // A time of day converts like its whole date.
  EXPECT_EQ(SolarToLunar(EncodeDateTime(2000, 2, 5, 23, 59)), (LunarDate{2000, 1, 1, false}));
}

TEST(LunarTable, PackedWordRules) {
  EXPECT_EQ(LeapMonthOf(1984), 10);
  EXPECT_EQ(LeapMonthDays(1984), 29);
  EXPECT_EQ(LeapMonthOf(1906), 4);
  EXPECT_EQ(LeapMonthDays(1906), 30);
  EXPECT_EQ(LeapMonthOf(1907), 0);  // 0xF nibble: no leap month of its own
  EXPECT_EQ(LunarMonthDays(2000, 0), LunarMonthDays(2000, 1));
}

// The 201 words of a packed-year file ("YEAR WORD WORD …" rows, # comments).
std::vector<unsigned> ReadYearWords(const std::string& path) {
  std::ifstream in(path);
  std::vector<unsigned> words;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream row(line);
    int year = 0;
    row >> year;
    EXPECT_EQ(year, 1900 + static_cast<int>(words.size())) << path;
    std::string word;
    while (row >> word) words.push_back(static_cast<unsigned>(std::stoul(word, nullptr, 16)));
  }
  return words;
}

TEST(LunarTable, DataFileAndCompiledTableEqualThePublishedWords) {
  const std::string root = HEHUN_SOURCE_DIR;
  const auto published = ReadYearWords(root + "/tests/data/lunar_year_words.txt");
  ASSERT_EQ(published.size(), 201u);
  EXPECT_EQ(ReadYearWords(root + "/data/calendar/lunar_years.txt"), published);
  // The compiled table answers every month length and leap month as the words say.
  for (int y = 1900; y <= 2100; ++y) {
    const unsigned w = published[y - 1900];
    for (int m = 1; m <= 12; ++m)
      ASSERT_EQ(LunarMonthDays(y, m), (w & (0x8000u >> (m - 1))) ? 30 : 29) << y << "-" << m;
    const int leap = (w & 0xF) == 0xF ? 0 : static_cast<int>(w & 0xF);
    ASSERT_EQ(LeapMonthOf(y), leap) << y;
    const bool longLeap = y < 2100 && (published[y - 1900 + 1] & 0xF) == 0xF;
    ASSERT_EQ(LeapMonthDays(y), leap == 0 ? 0 : (longLeap ? 30 : 29)) << y;
  }
}

TEST(LunarToSolar, RejectedDates) {
  const DateValue none = NoSolarDate();
  EXPECT_EQ(FormatDate(none), "0001-01-01");
  EXPECT_EQ(LunarToSolar({1900, 5, 1, false}), none);
  EXPECT_EQ(LunarToSolar({2100, 5, 1, false}), none);
  EXPECT_EQ(LunarToSolar({2020, 4, 30, true}), none);  // that leap month has 29 days
  EXPECT_EQ(LunarToSolar({2021, 4, 1, true}), none);   // no leap month in 2021
  EXPECT_EQ(LunarToSolar({2020, 4, 29, true}), D(2020, 6, 20));
  // A month outside 1 to 12 or a day below 1 is no date, leap flag or not.
  for (const LunarDate& bad : {LunarDate{2000, 0, 1, false}, LunarDate{2000, 1, 0, false},
                               LunarDate{1990, 5, -3, false}, LunarDate{1990, 13, 1, false},
                               LunarDate{2020, 0, 1, true}, LunarDate{2020, 4, 0, true},
                               LunarDate{2020, 4, -1, true}, LunarDate{2020, -8, 1, true}})
    EXPECT_EQ(LunarToSolar(bad), none) << bad.Year << "-" << bad.Month << "-" << bad.Day << " " << bad.IsLeap;
  EXPECT_EQ(LunarToSolar({1990, 5, 1, false}), D(1990, 5, 24));
  EXPECT_EQ(LunarToSolar({1990, 1, 1, false}), D(1990, 1, 27));
}

// Month starts of every lunar year walked forward from 1900-01-31, with no
// code shared with the converter: the leap month follows its namesake.
struct MonthStart {
  DateValue start;
  int year, month, length;
  bool leap;
};

std::vector<MonthStart> IndependentMonths() {
  std::vector<MonthStart> months;
  DateValue day = D(1900, 1, 31);
  for (int y = 1900; y <= 2100; ++y) {
    for (int m = 1; m <= 12; ++m) {
      const int len = LunarMonthDays(y, m);
      months.push_back({day, y, m, len, false});
      day += len;
      if (LeapMonthOf(y) == m) {
        months.push_back({day, y, m, LeapMonthDays(y), true});
        day += LeapMonthDays(y);
      }
    }
  }
  return months;
}

TEST(LunarCalendar, WholeRangeAgreesAndInverts) {
  const auto months = IndependentMonths();
  size_t k = 0;
  for (DateValue d = D(1900, 1, 31); d < D(2101, 1, 1); d += 1) {
    while (k + 1 < months.size() && months[k + 1].start <= d) ++k;
    const MonthStart& m = months[k];
    const LunarDate expected{m.year, m.month, static_cast<int>(d - m.start) + 1, m.leap};
    const LunarDate got = SolarToLunar(d);
    ASSERT_EQ(got, expected) << FormatDate(d);
    if (d >= D(1901, 2, 19) && d <= D(2099, 12, 31)) {
      ASSERT_EQ(LunarToSolar(got), d) << FormatDate(d);
    }
  }
}

TEST(SolarTerms, FixedRateFormula) {
  EXPECT_EQ(SolarTermOnDate(D(2024, 2, 4)), "立春");
  EXPECT_EQ(SolarTermOnDate(D(2024, 2, 5)), "");
  EXPECT_EQ(SolarTermOnDate(EncodeDateTime(2024, 2, 4, 12, 0)), "");
  EXPECT_EQ(FormatDateTime(SolarTermInstant(1900, 0)), "1900-01-06 02:05:00");
}

TEST(CalendarNames, YearsMonthsDays) {
  EXPECT_EQ(CycleYearName(120), "甲子(鼠年)");
  EXPECT_EQ(CycleYearName(121), "乙丑(牛年)");
  EXPECT_EQ(CycleYearName(59), "癸亥(猪年)");
  EXPECT_EQ(LunarMonthName(1, false), "一月");
  EXPECT_EQ(LunarMonthName(11, false), "十一月");
  EXPECT_EQ(LunarMonthName(12, true), "闰十二月");
  EXPECT_EQ(LunarMonthName(13, false), "月");
  EXPECT_EQ(LunarMonthName(0, true), "闰月");
  EXPECT_EQ(LunarDayName(1), "初一");
  EXPECT_EQ(LunarDayName(10), "初十");
  EXPECT_EQ(LunarDayName(15), "十五");
  EXPECT_EQ(LunarDayName(20), "二十");
  EXPECT_EQ(LunarDayName(23), "廿三");
  EXPECT_EQ(LunarDayName(30), "三十");
  EXPECT_EQ(LunarDayName(31), "");
  EXPECT_EQ(LunarDayName(0), "");
}

}  // namespace
}  // namespace hehun
