// The four-pillar chart: known charts, refused and impossible dates, the
// fallback without the reference table, and 10,000 random births against an
// independent reference built directly on the solar-term table.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

#include "bazi/chart.h"
#include "bazi/personality.h"
#include "calendar/lunar_calc.h"
#include "reports/chart_block.h"
#include "calendar/date.h"
#include "refdb/ganzhi.h"
#include "refdb/text.h"
#include "test_support.h"

namespace hehun {
namespace {

std::string Pillars(const BaziChart& c) {
  return c.YearStem + c.YearBranch + " " + c.MonthStem + c.MonthBranch + " " + c.DayStem + c.DayBranch + " " +
         c.HourStem + c.HourBranch;
}

struct ChartCase {
  int y, m, d, h, mi;
  const char* sex;
  const char* pillars;
  const char* conception;
  int reverse;
  int startAge;
};

const ChartCase kCases[] = {
    {2000, 1, 1, 12, 0, "男", "己卯 丙子 戊午 戊午", "丁卯 ", 1, 9},
    {1984, 2, 4, 10, 0, "男", "癸亥 乙丑 戊辰 丁巳", "丙辰 ", 1, 10},
    {1984, 2, 4, 23, 30, "男", "甲子 丙寅 戊辰 甲子", "丁巳 ", 0, 10},
    {2021, 2, 3, 23, 30, "男", "辛丑 庚寅 壬午 壬子", "辛巳 ", 1, 1},
    {1990, 6, 15, 23, 30, "女", "庚午 壬午 辛亥 庚子", "癸酉 ", 1, 4},
    {1990, 6, 15, 0, 30, "女", "庚午 壬午 辛亥 戊子", "癸酉 ", 1, 3},
    {1975, 8, 8, 8, 0, "男", "乙卯 癸未 丙戌 壬辰", "甲戌 ", 1, 10},
};

TEST(ComputeBazi, KnownCharts) {
  RefDb db;
  CapturedMessages messages;
  for (const auto& k : kCases) {
    BaziChart c;
    ASSERT_TRUE(ComputeBazi(c, db, messages, k.y, k.m, k.d, k.h, 0, k.mi, k.sex));
    const std::string label = std::to_string(k.y) + "-" + std::to_string(k.m) + "-" + std::to_string(k.d) + " " +
                              std::to_string(k.h) + ":" + std::to_string(k.mi);
    EXPECT_EQ(Pillars(c), k.pillars) << label;
    EXPECT_EQ(c.ConceptionPillar, k.conception) << label;
    EXPECT_EQ(c.LuckReverse, k.reverse) << label;
    EXPECT_EQ(c.StartAge, k.startAge) << label;
    EXPECT_EQ(c.StartAgeText, std::to_string(k.startAge)) << label;
  }
  EXPECT_TRUE(messages.entries.empty());
}

TEST(ComputeBazi, LuckPillarsHiddenStemsAndLines) {
  RefDb db;
  CapturedMessages messages;
  BaziChart c;
  ASSERT_TRUE(ComputeBazi(c, db, messages, 2000, 1, 1, 12, 25, 0, "男"));
  EXPECT_EQ(c.LuckPillars, "丙子   乙亥   甲戌   癸酉   壬申   辛未   庚午   己巳   戊辰   丁卯");
  EXPECT_EQ(c.HiddenStems[0], "乙");
  EXPECT_EQ(c.HiddenStems[1], "癸");
  EXPECT_EQ(c.HiddenStems[2], "己丁");
  EXPECT_EQ(c.HiddenStems[3], "己丁");
  EXPECT_EQ(c.DayHiddenIdx, 6);
  // The whole lines, one blank after each nayin and three after each ten god
  // (day stem 戊: 丙 偏印, 乙 正官, 甲 七杀 …).
  EXPECT_EQ(c.LuckNayinLine, "纳音：涧下水 山头火 山头火 剑锋金 剑锋金 路旁土 路旁土 大林木 大林木 炉中火 ");
  EXPECT_EQ(c.LuckTenGodLine,
            "十神：偏印   正官   七杀   正财   偏财   伤官   食神   劫财   比肩   正印   ");
  EXPECT_EQ(c.BeforeJie, 0);
  EXPECT_FALSE(c.PersonalityText.empty());
}

TEST(ChartBlock, HiddenStemsFollowTheBranchesOfTheYearAndMonthPillars) {
  // 2023-01-25 lies after the lunar new year (01-22, lunar 癸卯) but before
  // 立春: the year pillar is 壬寅, so the year's hidden stems are those of 寅,
  // not of the lunar year's 卯. 2023-03-05 is the day before 惊蛰: the month
  // pillar is still 甲寅, so the month's stems are those of 寅, not of 卯.
  struct Case {
    int y, m, d;
    const char* pillars;
    const char* lines[3];
  } cases[] = {
      {2023, 1, 25, "壬寅 癸丑 癸未 丁巳",
       {"遁藏：甲伤官 癸比肩 乙食神 庚正印", "      丙正财 辛偏印 己七杀 丙正财 ",
        "      戊正官 己七杀 丁偏财 戊正官 "}},
      {2023, 3, 5, "癸卯 甲寅 壬戌 乙巳",
       {"遁藏：乙伤官 甲食神 辛正印 庚偏印", "             丙偏财 丁正财 丙偏财 ",
        "             戊七杀 戊七杀 戊七杀 "}},
  };
  RefDb db;
  CapturedMessages messages;
  for (const auto& k : cases) {
    BaziChart c;
    ASSERT_TRUE(ComputeBazi(c, db, messages, k.y, k.m, k.d, 10, 0, 0, "男"));
    EXPECT_EQ(Pillars(c), k.pillars);
    LineList block;
    WriteChartBlock(block, c, db, EncodeDate(k.y, k.m, k.d), std::to_string(k.y), SolarToLunar(EncodeDate(k.y, k.m, k.d)));
    const auto& lines = block.lines();
    const auto at = std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("遁藏：", 0) == 0; });
    ASSERT_LT(at + 2, lines.end());
    for (int i = 0; i < 3; ++i) EXPECT_EQ(*(at + i), k.lines[i]) << k.pillars;
  }
}

TEST(ComputeBazi, BeforeTheTermOnItsDay) {
  RefDb db;
  CapturedMessages messages;
  BaziChart c;
  // 立春 1984 falls at 23:18 on 4 February.
  ASSERT_TRUE(ComputeBazi(c, db, messages, 1984, 2, 4, 10, 0, 0, "男"));
  EXPECT_EQ(c.BeforeJie, -1);
  ASSERT_TRUE(ComputeBazi(c, db, messages, 1984, 2, 4, 23, 0, 30, "男"));
  EXPECT_EQ(c.BeforeJie, 0);
}

TEST(ComputeBazi, RefusedAndImpossibleDates) {
  RefDb db;
  CapturedMessages messages;
  BaziChart c;
  ASSERT_TRUE(ComputeBazi(c, db, messages, 2000, 1, 1, 12, 0, 0, "男"));
  const BaziChart before = c;
  for (auto [y, m, d] : {std::tuple{1999, 2, 29}, {2001, 2, 29}, {1990, 4, 31}, {1990, 2, 30}}) {
    messages.entries.clear();
    EXPECT_FALSE(ComputeBazi(c, db, messages, y, m, d, 10, 0, 0, "男")) << y << "-" << m << "-" << d;
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].kind, CapturedMessages::Entry::kNotice);
    EXPECT_EQ(messages.entries[0].text, "请检查输入数据是否出错！");
    EXPECT_EQ(Pillars(c), Pillars(before));
    EXPECT_EQ(c.PersonalityText, before.PersonalityText);
  }
  messages.entries.clear();
  EXPECT_TRUE(ComputeBazi(c, db, messages, 2000, 2, 29, 10, 0, 0, "男"));
  EXPECT_TRUE(messages.entries.empty());
  const BaziChart leapDay = c;
  try {
    ComputeBazi(c, db, messages, 1990, 1, 32, 10, 0, 0, "男");
    ADD_FAILURE() << "1990-01-32 accepted";
  } catch (const ConversionError& e) {
    EXPECT_NE(std::string(e.what()).find("1990-1-32"), std::string::npos) << e.what();
  }
  EXPECT_THROW(ComputeBazi(c, db, messages, 1990, 13, 1, 10, 0, 0, "男"), ConversionError);
  EXPECT_THROW(ComputeBazi(c, db, messages, 1990, 1, 0, 10, 0, 0, "男"), ConversionError);
  EXPECT_THROW(ComputeBazi(c, db, messages, 1990, 1, 1, 24, 0, 0, "男"), ConversionError);
  EXPECT_EQ(Pillars(c), Pillars(leapDay));
  EXPECT_TRUE(messages.entries.empty());
}

TEST(ComputeBazi, AnythingButManIsAWoman) {
  RefDb db;
  CapturedMessages messages;
  BaziChart man, woman, empty;
  ComputeBazi(man, db, messages, 2000, 1, 1, 12, 0, 0, "男");
  ComputeBazi(woman, db, messages, 2000, 1, 1, 12, 0, 0, "女");
  ComputeBazi(empty, db, messages, 2000, 1, 1, 12, 0, 0, "");
  EXPECT_EQ(man.LuckReverse, 1);
  EXPECT_EQ(woman.LuckReverse, 0);
  EXPECT_EQ(empty.LuckReverse, 0);
  EXPECT_EQ(woman.LuckPillars, empty.LuckPillars);
  EXPECT_EQ(woman.LuckPillars.substr(0, std::string("丙子   丁丑").size()), "丙子   丁丑");
}

TEST(ComputeBazi, WithoutTheReferenceDatabaseAFullChartStillComesOut) {
  test::TempDir dir;
  RefDb db(dir.path());
  CapturedMessages messages;
  BaziChart c;
  ASSERT_TRUE(ComputeBazi(c, db, messages, 2000, 1, 1, 12, 0, 0, "男"));
  EXPECT_EQ(Pillars(c), "己卯 丙子 戊午 戊午");
  EXPECT_EQ(c.StartAge, 9);
  EXPECT_EQ(c.LuckNayinLine, "纳音：          ");
  EXPECT_EQ(Trim(c.LuckTenGodLine), "十神：");
  // The usual calendar days of the terms decide: 4 February is 立春 all day.
  ASSERT_TRUE(ComputeBazi(c, db, messages, 1984, 2, 4, 10, 0, 0, "男"));
  EXPECT_EQ(Pillars(c), "甲子 丙寅 戊辰 丁巳");
  EXPECT_EQ(c.BeforeJie, 0);
  EXPECT_EQ(c.LuckReverse, 0);
  EXPECT_EQ(c.StartAge, 10);
}

TEST(JieTerms, OnlyTheTwelveMonthStarts) {
  EXPECT_TRUE(IsJieTerm("立春"));
  EXPECT_TRUE(IsJieTerm("小寒"));
  EXPECT_FALSE(IsJieTerm("冬至"));
  EXPECT_FALSE(IsJieTerm("立春 "));
}

// ---- independent reference ------------------------------------------------

struct Term {
  DateValue when;
  std::string name;
};

long long JulianDayNumber(int y, int m, int d) {
  const int a = (14 - m) / 12;
  const long long yy = y + 4800 - a;
  const int mm = m + 12 * a - 3;
  return d + (153 * mm + 2) / 5 + 365 * yy + yy / 4 - yy / 100 + yy / 400 - 32045;
}

std::string ReferenceLine(const std::vector<Term>& jie, int y, int m, int d, int h, int mi, bool man) {
  const DateValue birth = EncodeDateTime(y, m, d, h, mi);
  const std::string S[] = {"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸"};
  const std::string B[] = {"子", "丑", "寅", "卯", "辰", "巳", "午", "未", "申", "酉", "戌", "亥"};
  // Month: the last 节 at or before the birth; 寅 month begins at 立春.
  const std::string order[] = {"立春", "惊蛰", "清明", "立夏", "芒种", "小暑",
                               "立秋", "白露", "寒露", "立冬", "大雪", "小寒"};
  auto it = std::upper_bound(jie.begin(), jie.end(), birth, [](DateValue t, const Term& j) { return t < j.when; });
  const Term& last = *(it - 1);
  const int monthFromYin = static_cast<int>(std::find(std::begin(order), std::end(order), last.name) - order);
  // Year: counts from the 立春 of the birth's Gregorian year.
  DateValue lichun = 0;
  for (const auto& j : jie)
    if (j.name == "立春" && DecodeDate(j.when).year == y) lichun = j.when;
  const int year = birth >= lichun ? y : y - 1;
  const int ys = Mod(year - 4, 10), yb = Mod(year - 4, 12);
  const int ms = Mod((ys % 5) * 2 + 2 + monthFromYin, 10), mb = (monthFromYin + 2) % 12;
  const int day60 = static_cast<int>((JulianDayNumber(y, m, d) + 49) % 60);
  const int ds = day60 % 10, db = day60 % 12;
  const int hb = ((h + 1) / 2) % 12;
  const int hourDayStem = h == 23 ? (ds + 1) % 10 : ds;
  const int hs = ((hourDayStem % 5) * 2 + hb) % 10;
  const bool yangYear = ys % 2 == 0;
  const bool forward = man == yangYear;
  double days;
  if (forward) {
    days = it->when - birth;
  } else {
    days = birth - last.when;
  }
  int start = static_cast<int>(std::ceil(days / 3 - 1e-9));
  start = std::max(1, std::min(10, start));
  return S[ys] + B[yb] + " " + S[ms] + B[mb] + " " + S[ds] + B[db] + " " + S[hs] + B[hb] + " " + S[(ms + 1) % 10] +
         B[(mb + 3) % 12] + " " + (forward ? "顺" : "逆") + " " + std::to_string(start);
}

TEST(PillarsCommand, TenThousandRandomBirthsAgreeWithAnIndependentReference) {
  RefDb db;
  std::vector<Term> jie;
  for (const Row& r : db.All(Swallow{}, RefFile::kTgcode, "SELECT JQ, SJ FROM JQ")) {
    if (!IsJieTerm(r.Text("JQ"))) continue;
    jie.push_back({ParseDateTimeText(r.Text("SJ")), r.Text("JQ")});
  }
  std::sort(jie.begin(), jie.end(), [](const Term& a, const Term& b) { return a.when < b.when; });
  ASSERT_EQ(jie.size(), 201u * 12);

  std::mt19937 rng(20261209);
  std::uniform_int_distribution<int> dayDist(static_cast<int>(EncodeDate(1901, 1, 1)),
                                             static_cast<int>(EncodeDate(2099, 12, 31)));
  std::string input, expected;
  for (int i = 0; i < 10000; ++i) {
    const Ymd date = DecodeDate(dayDist(rng));
    const int h = static_cast<int>(rng() % 24), mi = static_cast<int>(rng() % 60);
    const bool man = rng() % 2 == 0;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d %s\n", date.year, date.month, date.day, h, mi,
                  man ? "男" : "女");
    input += buf;
    expected += ReferenceLine(jie, date.year, date.month, date.day, h, mi, man) + "\n";
  }
  int status = 0;
  const std::string out = test::RunProgram("hehun-cli pillars", input, &status);
  EXPECT_EQ(status, 0);
  std::istringstream got(out), want(expected), in(input);
  std::string g, w, l;
  int mismatches = 0;
  while (std::getline(want, w)) {
    std::getline(got, g);
    std::getline(in, l);
    if (g != w && ++mismatches <= 10) ADD_FAILURE() << l << ": got " << g << ", reference " << w;
  }
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace hehun
