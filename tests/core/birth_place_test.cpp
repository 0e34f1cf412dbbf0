// Births at a place: the tz database's daylight saving time (China 1986–1991
// and abroad), the true solar time against an astronomical reference, the
// day and hour pillars moved by it, and the start of luck to the day.
#include <gtest/gtest.h>

#include <libnova/nutation.h>

#include <cmath>
#include <string>

#include "bazi/luck_start.h"
#include "bazi/placed_chart.h"
#include "calendar/birth_time.h"
#include "calendar/places.h"
#include "refdb/messages.h"
#include "refdb/refdb.h"
#include "tools/solar_terms.h"

namespace hehun {
namespace {

// The equation of time from the full theory (Meeus 28.1): the Sun's mean
// longitude less the right ascension of its apparent place, the apparent
// longitude from VSOP87 with precession, nutation and aberration (the
// reference-data build's solar model).
double ReferenceEquationOfTimeMinutes(DateValue ut) {
  constexpr double kRad = 3.14159265358979323846 / 180;
  const double jd = ut + 2415018.5;
  const double jde = jd + tools::DeltaTSeconds(1900 + ut / 365.2425) / 86400;
  const double tau = (jde - 2451545.0) / 365250;  // Julian millennia
  const double l0 = std::fmod(280.4664567 + tau * (360007.6982779 + tau * (0.03032028 + tau / 49931 -
                                                                            tau * tau / 15300 - tau * tau * tau / 2e6)),
                              360);
  ln_nutation nutation;
  ln_get_nutation(jde, &nutation);
  const double t = (jde - 2451545.0) / 36525;
  const double eps = 23.4392911111 - t * (0.0130041667 + t * (1.6389e-7 - t * 5.0361e-7)) + nutation.obliquity;
  const double lambda = tools::ApparentSolarLongitude(jde) * kRad;
  const double alpha = std::atan2(std::cos(eps * kRad) * std::sin(lambda), std::cos(lambda)) / kRad;
  double e = l0 - 0.0057183 - alpha + nutation.longitude * std::cos(eps * kRad);
  e = std::remainder(e, 360.0);
  return e * 4;
}

TEST(EquationOfTime, AgreesWithTheFullTheoryWithinSeconds) {
  double worst = 0;
  for (DateValue ut = EncodeDate(1900, 1, 1); ut < EncodeDate(2100, 12, 31); ut += 17.37) {
    const double diff = std::fabs(EquationOfTimeMinutes(ut) - ReferenceEquationOfTimeMinutes(ut));
    worst = std::max(worst, diff);
  }
  EXPECT_LT(worst, 0.25) << "worst difference in minutes";
  // Meeus, example 28.b: 1992 October 13, 0h TD: +13 min 42.6 s.
  EXPECT_NEAR(EquationOfTimeMinutes(EncodeDate(1992, 10, 13)), 13.71, 0.05);
}

TEST(TrueSolarTime, IsUniversalTimePlusLongitudeAndEquationOfTime) {
  // Chengdu's longitude with a fixed UTC+8 offset: 12:00 is 04:00 UT.
  const BirthTime t = ReadBirthTime(1995, 3, 1, 12, 0, BirthPlaceAtLongitude(104.07));
  const double expected = EncodeDateTime(1995, 3, 1, 4, 0) + 104.07 / 360 +
                          ReferenceEquationOfTimeMinutes(EncodeDateTime(1995, 3, 1, 4, 0)) / 1440;
  EXPECT_NEAR((t.true_solar - expected) * 1440, 0, 0.25);
  EXPECT_FALSE(t.dst);
}

struct DstCase {
  const char* place;
  int y, m, d, h, mi;
  bool dst;
  int utcOffsetMinutes;
  const char* beijing;
};

TEST(BirthTime, DaylightSavingTimeComesFromTheTzDatabase) {
  const DstCase cases[] = {
      {"北京", 1986, 5, 4, 1, 30, false, 480, "1986-05-04 01:30"},   // the first change was at 02:00
      {"北京", 1986, 7, 1, 10, 0, true, 540, "1986-07-01 09:00"},
      {"成都", 1988, 4, 16, 12, 0, false, 480, "1988-04-16 12:00"},  // began 17 April 1988
      {"成都", 1988, 4, 17, 12, 0, true, 540, "1988-04-17 11:00"},
      {"广州", 1991, 9, 14, 12, 0, true, 540, "1991-09-14 11:00"},
      {"广州", 1991, 9, 15, 12, 0, false, 480, "1991-09-15 12:00"},  // ended 15 September 1991
      {"上海", 1992, 7, 1, 12, 0, false, 480, "1992-07-01 12:00"},    // none after 1991
      {"纽约", 2000, 7, 4, 12, 0, true, -240, "2000-07-05 00:00"},
      {"纽约", 2000, 1, 4, 12, 0, false, -300, "2000-01-05 01:00"},
      {"悉尼", 2000, 1, 15, 12, 0, true, 660, "2000-01-15 09:00"},     // the southern summer
      {"香港", 1975, 7, 1, 12, 0, true, 540, "1975-07-01 11:00"},
      {"吉隆坡", 1990, 7, 1, 12, 0, false, 480, "1990-07-01 12:00"},
  };
  for (const DstCase& c : cases) {
    const BirthTime t = ReadBirthTime(c.y, c.m, c.d, c.h, c.mi, BirthPlaceOf(ResolvePlace(c.place)));
    EXPECT_EQ(t.dst, c.dst) << c.place << " " << c.y << "-" << c.m << "-" << c.d;
    EXPECT_EQ(t.utc_offset_minutes, c.utcOffsetMinutes) << c.place << " " << c.y << "-" << c.m << "-" << c.d;
    EXPECT_EQ(MinuteText(t.beijing), c.beijing) << c.place;
    EXPECT_EQ(DaylightSavingNote(t).empty(), !c.dst) << c.place;
  }
}

TEST(BirthTime, SkippedAndRepeatedClockTimesAreExplained) {
  const BirthPlace beijing = BirthPlaceOf(ResolvePlace("北京"));
  try {
    ReadBirthTime(1988, 4, 17, 2, 30, beijing);
    ADD_FAILURE() << "a skipped clock time was accepted";
  } catch (const ConversionError& e) {
    EXPECT_NE(std::string(e.what()).find("并不存在"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("02:00直接拨到03:00"), std::string::npos) << e.what();
  }
  const BirthTime repeated = ReadBirthTime(1988, 9, 11, 1, 30, beijing);
  EXPECT_TRUE(repeated.repeated);
  EXPECT_TRUE(repeated.dst);
  EXPECT_NE(DaylightSavingNote(repeated).find("出现两次"), std::string::npos);
}

// Births whose day or hour pillar the true solar time moves. Expected
// pillars by hand: 2000-01-01 is a 戊午 day, so 1999-12-31 is 丁巳; a 丁 day's
// 亥 hour is 辛亥; a 戊 day's 子 hour is 壬子, its 丑 hour 癸丑, its 巳 hour
// 丁巳, its 午 hour 戊午.
struct PillarCase {
  const char* place;  // nullptr: no place, Beijing time
  int y, m, d, h, mi;
  const char* pillars;
};

TEST(PlacedChart, DayAndHourPillarsFollowTheTrueSolarTime) {
  const PillarCase cases[] = {
      {nullptr, 2000, 1, 1, 1, 0, "己卯 丙子 戊午 癸丑"},
      // Kashgar (76°E): 01:00 Beijing time is about 22:00 the evening before.
      {"喀什市", 2000, 1, 1, 1, 0, "己卯 丙子 丁巳 辛亥"},
      // Beijing clock 23:20 keeps its day and takes the next day's 子 hour …
      {nullptr, 1999, 12, 31, 23, 20, "己卯 丙子 丁巳 壬子"},
      // … but in Chengdu (104°E) it is 22:15 solar time: still the 亥 hour.
      {"成都", 1999, 12, 31, 23, 20, "己卯 丙子 丁巳 辛亥"},
      // Harbin (126.6°E) runs ahead: 10:45 Beijing time is 11:08 solar time.
      {"哈尔滨", 2000, 1, 1, 10, 45, "己卯 丙子 戊午 戊午"},
      {nullptr, 2000, 1, 1, 10, 45, "己卯 丙子 戊午 丁巳"},
  };
  CapturedMessages messages;
  RefDb db;
  for (const PillarCase& c : cases) {
    BirthPlace place;
    if (c.place) place = BirthPlaceOf(ResolvePlace(c.place));
    PlacedChart pc;
    ASSERT_TRUE(ComputeChartAtPlace(pc, db, messages, c.y, c.m, c.d, c.h, c.mi, "男", c.place ? &place : nullptr));
    const BaziChart& b = pc.chart;
    EXPECT_EQ(b.YearStem + b.YearBranch + " " + b.MonthStem + b.MonthBranch + " " + b.DayStem + b.DayBranch + " " +
                  b.HourStem + b.HourBranch,
              c.pillars)
        << (c.place ? c.place : "北京时间") << " " << MinuteText(pc.time.clock) << " solar "
        << MinuteText(pc.time.true_solar);
  }
}

TEST(PlacedChart, WithoutPlaceMatchesTheChartOfToday) {
  CapturedMessages messages;
  RefDb db;
  for (int h = 0; h < 24; h += 5) {
    PlacedChart pc;
    BaziChart plain;
    ASSERT_TRUE(ComputeChartAtPlace(pc, db, messages, 1984, 2, 4, h, 10, "女", nullptr));
    ASSERT_TRUE(ComputeBazi(plain, db, messages, 1984, 2, 4, h, 0, 10, "女"));
    EXPECT_EQ(pc.chart.LuckPillars, plain.LuckPillars);
    EXPECT_EQ(pc.chart.HourStem + pc.chart.HourBranch, plain.HourStem + plain.HourBranch);
    EXPECT_EQ(pc.chart.StartAge, plain.StartAge);
    EXPECT_FALSE(pc.has_place);
  }
}

TEST(LuckStart, ThreeDaysMakeAYear) {
  struct Case {
    double minutes;
    Ymd birth;
    int years, months, days;
    Ymd start;
  };
  const Case cases[] = {
      // 10 days 3 h 7 min = 14587 min: 3 years (12960), 4 months (1440), 15 days (180), 7 min left.
      {14587, {1990, 5, 29}, 3, 4, 15, {1993, 10, 14}},
      {4320, {2000, 1, 31}, 1, 0, 0, {2001, 1, 31}},
      {11.9, {2000, 1, 31}, 0, 0, 0, {2000, 1, 31}},
      {12, {2000, 2, 28}, 0, 0, 1, {2000, 2, 29}},
      // 1 month on from 31 January ends on the last of February, then the days.
      {360 + 24, {2001, 1, 31}, 0, 1, 2, {2001, 3, 2}},
      // 43199 min: 9 years, 11 months (3960), 29 days (348).
      {30 * 1440 - 1, {1990, 6, 15}, 9, 11, 29, {2000, 6, 13}},
  };
  for (const Case& c : cases) {
    const LuckSpan s = ThreeDaysMakeAYear(c.minutes / 1440, c.birth);
    EXPECT_EQ(s.years, c.years) << c.minutes;
    EXPECT_EQ(s.months, c.months) << c.minutes;
    EXPECT_EQ(s.days, c.days) << c.minutes;
    EXPECT_EQ(s.start, c.start) << c.minutes;
  }
  EXPECT_EQ(LuckSpanText({3, 4, 12, {1993, 9, 13}}), "3年4个月12天起运，1993年9月13日交运");
}

TEST(LuckStart, CountsFromTheInstantToTheJieAndTenYearsAPillar) {
  CapturedMessages messages;
  RefDb db;
  // A yang-year man goes forward: 1990 (庚午), 1990-06-15 12:00 Beijing time,
  // to 小暑 1990-07-07; the table's instant gives the minutes.
  const Row row = db.First(Unguarded{}, RefFile::kTgcode, "SELECT SJ FROM JQ WHERE YearA = 1990 AND JQ = '小暑'", {});
  const double minutes = std::floor((ParseDateTimeText(row.Text("SJ")) - EncodeDateTime(1990, 6, 15, 12, 0)) * 1440);
  PlacedChart pc;
  ASSERT_TRUE(ComputeChartAtPlace(pc, db, messages, 1990, 6, 15, 12, 0, "男", nullptr));
  EXPECT_EQ(pc.chart.LuckReverse, 0);
  const long long m = static_cast<long long>(minutes);
  EXPECT_EQ(pc.luck.years, m / 4320);
  EXPECT_EQ(pc.luck.months, m % 4320 / 360);
  EXPECT_EQ(pc.luck.days, m % 360 / 12);
  const auto pillars = LuckPillarsFrom(pc.chart, pc.luck);
  ASSERT_EQ(pillars.size(), 10u);
  EXPECT_EQ(pillars[0].ganzhi, "癸未");  // the month pillar 壬午, one step forward
  EXPECT_EQ(pillars[0].start, pc.luck.start);
  EXPECT_EQ(pillars[3].start, (Ymd{pc.luck.start.year + 30, pc.luck.start.month, pc.luck.start.day}));
}

TEST(Places, NamesResolveAsATesterWouldTypeThem) {
  const std::pair<const char*, const char*> cases[] = {
      {"成都", "四川省成都市"},         {"四川省成都市", "四川省成都市"}, {"吉隆坡", "马来西亚 吉隆坡"},
      {"纽约", "美国 纽约"},           {"香港", "香港特别行政区"},     {"台北", "台湾省台北市"},
      {"澳门", "澳门特别行政区"},       {"新加坡", "新加坡"},           {"朝阳", "辽宁省朝阳市"},
      {"海南", "海南省"},               {"吉林", "吉林省吉林市"},       {"双流", "四川省成都市双流区"},
      {"乌鲁木齐", "新疆维吾尔自治区乌鲁木齐市"}, {"旧金山", "美国 旧金山"}, {"三藩市", "美国 旧金山"},
  };
  for (const auto& [typed, full] : cases) EXPECT_EQ(ResolvePlace(typed).full_name, full) << typed;
}

TEST(Places, UnknownAndAmbiguousNamesAreExplained) {
  try {
    ResolvePlace("成都府");
    ADD_FAILURE();
  } catch (const UserError& e) {
    EXPECT_EQ(std::string(e.what()), "找不到出生地“成都府”，相近的有：四川省成都市");
  }
  try {
    ResolvePlace("鼓楼区");
    ADD_FAILURE();
  } catch (const UserError& e) {
    EXPECT_NE(std::string(e.what()).find("江苏省南京市鼓楼区"), std::string::npos) << e.what();
  }
  EXPECT_TRUE(SearchPlaces("").empty());
  const auto completion = SearchPlaces("成都");
  ASSERT_GE(completion.size(), 10u);
  EXPECT_EQ(completion.front()->full_name, "四川省成都市");
}

// Every county-level seat lies near its city's seat: a join of the sources
// that put a county under the wrong city's coordinates shows here.
TEST(Places, SeatsLieInChinaAndNearTheirCity) {
  int chinese = 0;
  for (const Place& p : AllPlaces()) {
    if (p.level == PlaceLevel::kWorldCity) continue;
    ++chinese;
    EXPECT_TRUE(p.degrees_east > 73 && p.degrees_east < 135.5 && p.degrees_north > 3 && p.degrees_north < 54)
        << p.full_name;
    if (p.level != PlaceLevel::kCounty) continue;
    for (const Place& city : AllPlaces())
      if (city.full_name == p.parent) {
        const double distance = std::hypot(p.degrees_east - city.degrees_east, p.degrees_north - city.degrees_north);
        EXPECT_LT(distance, 6.5) << p.full_name;
      }
  }
  EXPECT_GE(chinese, 2800);
}

}  // namespace
}  // namespace hehun
