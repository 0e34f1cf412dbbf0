// The calendar text library of the month viewer: lunar codes and names,
// festivals, solar terms, zodiac labels and star signs, checked on known days
// and over every day of its table against the lunar core and the solar-term
// instants of the reference database.
#include "calendar/date_cn.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <set>
#include <tuple>

#include "calendar/date.h"
#include "refdb/ganzhi.h"
#include "calendar/lunar_calc.h"
#include "refdb/refdb.h"

namespace hehun {
namespace {

DateValue D(int y, int m, int d) { return EncodeDate(y, m, d); }

TEST(DateCn, LunarCodesAndNames) {
  struct Case {
    DateValue date;
    int code;
    const char* month;
    const char* day;
  };
  const Case cases[] = {
      {D(2000, 1, 1), 1125, "冬月", "廿五"},
      {D(1901, 1, 1), 1111, "冬月", "十一"},
      {D(2020, 1, 1), 1207, "腊月", "初七"},
      {D(2020, 1, 25), 101, "正月", "初一"},
      {D(2020, 5, 23), -401, "闰四", "初一"},  // first day of the leap fourth month
      {D(2020, 6, 20), -429, "闰四", "廿九"},
      {D(2020, 6, 21), 501, "五月", "初一"},
      {D(2013, 6, 8), 430, "四月", "三十"},  // the lunar core has the first of the fifth month
      {D(2033, 12, 22), -1101, "闰冬", "初一"},
      {D(2034, 1, 1), -1111, "闰冬", "十一"},  // a year that opens in a leap month
      {D(2034, 1, 20), 1201, "腊月", "初一"},
      {D(1984, 12, 31), 1110, "冬月", "初十"},
      {D(2050, 12, 31), 1118, "冬月", "十八"},
      {D(2000, 2, 5) + 0.99, 101, "正月", "初一"},  // only the calendar day counts
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(FormatDate(c.date));
    EXPECT_EQ(CnLunarCode(c.date), c.code);
    EXPECT_EQ(CnLunarMonthName(c.date), c.month);
    EXPECT_EQ(CnLunarDayName(c.date), c.day);
  }
}

TEST(DateCn, LunarFestivals) {
  const std::pair<DateValue, const char*> cases[] = {
      {D(2023, 1, 21), "除夕"},  {D(2023, 1, 22), "春节"},   {D(2023, 2, 5), "元宵节"},
      {D(2023, 6, 22), "端午节"}, {D(2023, 8, 22), "七夕节"}, {D(2023, 9, 29), "中秋节"},
      {D(2023, 10, 23), "重阳节"}, {D(2024, 1, 18), "腊八节"}, {D(2025, 1, 28), "除夕"},  // 腊月廿九: a short 腊月
      {D(2023, 1, 20), ""},       {D(2023, 1, 23), ""},       {D(2023, 2, 6), ""},
      {D(2009, 6, 27), ""},  // fifth day of a leap fifth month: no 端午
      {D(2020, 6, 25), "端午节"},
  };
  for (const auto& [date, name] : cases) EXPECT_EQ(CnLunarFestival(date), name) << FormatDate(date);
  EXPECT_EQ(CnLunarCode(D(2009, 6, 27)), -505);
}

TEST(DateCn, SolarTermsOfKnownDays) {
  const std::pair<DateValue, const char*> cases[] = {
      {D(2000, 1, 6), "小寒"},  {D(2000, 1, 21), "大寒"}, {D(2000, 2, 4), "立春"}, {D(2000, 2, 5), ""},
      {D(2000, 12, 21), "冬至"}, {D(1901, 1, 6), "小寒"}, {D(2024, 2, 4), "立春"}, {D(2000, 1, 15), ""},
      // The fixed 2050 row keeps 白露 on 8 September; the astronomical model
      // puts it at 2050-09-07 18:00 Beijing time.
      {D(2050, 9, 8), "白露"},  {D(2050, 9, 7), ""},
  };
  for (const auto& [date, name] : cases) EXPECT_EQ(CnSolarTermName(date), name) << FormatDate(date);
}

TEST(DateCn, FixedTermRowsComeOutAsGiven) {
  const std::pair<int, const char*> rows[] = {{1901, "96B496A69797787979697877"},
                                              {1984, "96B4A5B5A6A6878888788787"},
                                              {2000, "96B4A5B5A6A6878888788786"},
                                              {2050, "A5C3A5B5A6A6878878788787"}};
  for (const auto& [year, hex] : rows) {
    std::string rebuilt;
    for (int m = 1; m <= 12; ++m) {
      int first = 0, second = 0;
      for (int d = 1; d <= DaysInMonth(year, m); ++d) {
        const std::string name = CnSolarTermName(D(year, m, d));
        if (name == kSolarTermNames[2 * (m - 1)]) first = d;
        if (name == kSolarTermNames[2 * (m - 1) + 1]) second = d;
      }
      char buf[4];
      std::snprintf(buf, sizeof buf, "%X%X", 15 - first, second - 15);
      rebuilt += buf;
    }
    EXPECT_EQ(rebuilt, hex) << year;
  }
}

TEST(DateCn, ZodiacLabelTurnsWithTheLunarYear) {
  const std::pair<DateValue, const char*> cases[] = {
      {D(2000, 2, 10), "辰龙"}, {D(2000, 1, 10), "卯兔"}, {D(2000, 2, 4), "卯兔"},
      {D(2000, 2, 5), "辰龙"},  {D(1972, 6, 1), "子鼠"},  {D(2000, 12, 31), "辰龙"},
      {D(2023, 1, 21), "寅虎"}, {D(2023, 1, 22), "卯兔"}, {D(1901, 1, 1), "子鼠"},
  };
  for (const auto& [date, label] : cases) EXPECT_EQ(CnZodiacLabel(date), label) << FormatDate(date);
}

TEST(DateCn, GregorianFestivals) {
  const std::tuple<int, DateValue, const char*> cases[] = {
      {1, D(2024, 5, 20), "劳动节"},  {4, D(2024, 5, 1), "青年节"},   {12, D(2024, 5, 1), "母亲节"},
      {5, D(2024, 5, 1), ""},         {19, D(2024, 5, 1), ""},        {16, D(2024, 6, 1), "父亲节"},
      {9, D(2024, 6, 1), ""},         {28, D(2024, 11, 1), "感恩节"}, {21, D(2024, 11, 1), ""},
      {8, D(2024, 11, 1), "记者日"},  {1, D(2024, 1, 1), "元旦节"},   {14, D(2020, 2, 1), "情人节"},
      {8, D(2024, 3, 1), "妇女节"},   {1, D(2024, 4, 1), "愚人节"},   {1, D(2024, 6, 1), "儿童节"},
      {1, D(2024, 7, 1), "建党节"},   {1, D(2024, 8, 1), "建军节"},   {10, D(2024, 9, 1), "教师节"},
      {1, D(2024, 10, 1), "国庆节"},  {6, D(2024, 10, 1), "老人节"},  {31, D(2024, 10, 1), "万圣节"},
      {25, D(2024, 12, 1), "圣诞节"}, {2, D(2024, 1, 1), ""},         {0, D(2024, 5, 1), ""},
      {32, D(2024, 10, 1), ""},       {14, D(2021, 5, 1), ""},        {9, D(2021, 5, 1), "母亲节"},
  };
  for (const auto& [day, date, name] : cases) EXPECT_EQ(SolarFestivalName(day, date), name) << day << " " << FormatDate(date);
}

TEST(DateCn, StarSignBoundaries) {
  const std::pair<DateValue, const char*> cases[] = {
      {D(2024, 8, 23), "处女座"}, {D(2024, 8, 22), "狮子座"}, {D(2024, 4, 20), "金牛座"},
      {D(2024, 4, 19), "白羊座"}, {D(2024, 1, 19), "摩羯座"}, {D(2024, 1, 20), "水瓶座"},
      {D(2024, 2, 29), "双鱼座"}, {D(2024, 12, 22), "摩羯座"}, {D(2024, 12, 21), "射手座"},
      {D(2024, 10, 23), "天秤座"}, {D(2024, 10, 24), "天蝎座"}, {D(1850, 6, 22), "巨蟹座"},
  };
  for (const auto& [date, sign] : cases) EXPECT_EQ(CnStarSign(date), sign) << FormatDate(date);
  EXPECT_EQ(CnStarSignOfDay(23, D(2024, 8, 1)), "处女座");
  EXPECT_EQ(CnStarSignOfDay(32, D(2024, 8, 1)), "");
}

TEST(DateCn, DateNumbers) {
  EXPECT_EQ(CnDayOfYear(D(2000, 1, 1)), 1);
  EXPECT_EQ(CnDayOfYear(D(2000, 3, 1)), 61);
  EXPECT_EQ(CnDayOfYear(D(2001, 3, 1)), 60);
  EXPECT_EQ(CnDayOfYear(D(2000, 12, 31)), 366);
  EXPECT_EQ(CnYearOf(D(2013, 6, 8) + 0.5), 2013);
  EXPECT_EQ(CnMonthOf(D(2013, 6, 8)), 6);
  EXPECT_EQ(CnDayOf(D(2013, 6, 8)), 8);
}

TEST(DateCn, OutsideTheTableEverythingLunarIsEmpty) {
  const DateValue dates[] = {D(1900, 12, 31), D(2051, 1, 1), D(1, 1, 1), -1e300, 1e300,
                             std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()};
  for (DateValue date : dates) {
    EXPECT_EQ(CnLunarCode(date), 0);
    EXPECT_EQ(CnLunarMonthName(date), "");
    EXPECT_EQ(CnLunarDayName(date), "");
    EXPECT_EQ(CnLunarFestival(date), "");
    EXPECT_EQ(CnZodiacLabel(date), "");
    EXPECT_EQ(CnSolarTermName(date), "");
  }
  EXPECT_EQ(CnStarSign(1e300), "");
  EXPECT_EQ(SolarFestivalName(1, std::numeric_limits<double>::quiet_NaN()), "");
  EXPECT_EQ(SolarFestivalName(25, D(2060, 12, 1)), "圣诞节");  // needs no table
  EXPECT_EQ(CnYearOf(1e300), 0);
}

// Every day of 1901-2050 against SolarToLunar of the lunar core. The tables
// differ only where one of four lunar months begins a day apart; every such
// month must show up, and nothing else may.
TEST(DateCn, AgreesWithTheLunarCoreExceptFourMonths) {
  const std::set<std::pair<int, int>> known = {{1906, 4}, {1914, 10}, {1989, 7}, {2013, 5}};
  std::set<std::pair<int, int>> seen;
  for (DateValue d = D(1901, 1, 1); d <= D(2050, 12, 31); d += 1) {
    const LunarDate l = SolarToLunar(d);
    const int expected = (l.Month * 100 + l.Day) * (l.IsLeap ? -1 : 1);
    const int code = CnLunarCode(d);
    if (code == expected) continue;
    // A month that begins a day later here shows its first day (by the core)
    // as the last day of the month before.
    const LunarDate next = SolarToLunar(d + 1);
    const std::pair<int, int> month = l.Day == 1 ? std::pair{l.Year, l.Month} : std::pair{next.Year, next.Month};
    EXPECT_TRUE(known.count({l.Year, l.Month}) || known.count(month))
        << FormatDate(d) << ": " << code << " here, " << expected << " in the lunar core";
    seen.insert(known.count({l.Year, l.Month}) ? std::pair{l.Year, l.Month} : month);
  }
  EXPECT_EQ(seen, known);
}

// Every day of 1901-2050: a solar term exactly on the calendar day (Beijing
// time) of its instant in the reference database, 24 a year in term order;
// the one exception is the fixed 2050 row's 白露.
TEST(DateCn, SolarTermDaysMatchTheReferenceInstants) {
  RefDb db;
  std::map<std::string, std::string> stored;  // "yyyy-MM-dd" → term name
  for (const Row& row : db.All(Swallow{}, RefFile::kTgcode,
                               "SELECT JQ, SJ FROM JQ WHERE YearA BETWEEN 1901 AND 2050 ORDER BY rowid"))
    stored[row.Text("SJ").substr(0, 10)] = row.Text("JQ");
  ASSERT_EQ(stored.size(), 150u * 24);
  stored.erase("2050-09-07");
  stored["2050-09-08"] = "白露";

  for (int year = kFirstCnYear; year <= kLastCnYear; ++year) {
    int n = 0;
    for (DateValue d = D(year, 1, 1); d <= D(year, 12, 31); d += 1) {
      const std::string name = CnSolarTermName(d);
      const auto it = stored.find(FormatDate(d));
      EXPECT_EQ(name, it == stored.end() ? "" : it->second) << FormatDate(d);
      if (name.empty()) continue;
      EXPECT_EQ(name, kSolarTermNames[n % 24]) << FormatDate(d);
      ++n;
    }
    EXPECT_EQ(n, 24) << year;
  }
}

}  // namespace
}  // namespace hehun
