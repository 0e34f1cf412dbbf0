// Lunar calendar arithmetic: the listed cases, and a whole-range check
// against an independent month-start table built from the packed words.
#include <gtest/gtest.h>

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

TEST(LunarToSolar, RejectedDates) {
  const DateValue none = NoSolarDate();
  EXPECT_EQ(FormatDate(none), "0001-01-01");
  EXPECT_EQ(LunarToSolar({1900, 5, 1, false}), none);
  EXPECT_EQ(LunarToSolar({2100, 5, 1, false}), none);
  EXPECT_EQ(LunarToSolar({2020, 4, 30, true}), none);  // that leap month has 29 days
  EXPECT_EQ(LunarToSolar({2021, 4, 1, true}), none);   // no leap month in 2021
  EXPECT_EQ(LunarToSolar({2020, 4, 29, true}), D(2020, 6, 20));
  // Month 0 counts as month 1; day 0 is the day before the month's first day.
  EXPECT_EQ(LunarToSolar({2000, 0, 1, false}), D(2000, 2, 5));
  EXPECT_EQ(LunarToSolar({2000, 1, 0, false}), D(2000, 2, 4));
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
