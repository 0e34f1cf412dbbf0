// The chart view: the twelve stages against the traditional rule written
// out stage by stage and against the 禄 of each stem, a whole chart's
// stages, void branches, element counts and luck years, the running luck
// pillar by the injected date, and a meaning for every name it can show.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "bazi/chart_view.h"
#include "refdb/ganzhi.h"
#include "refdb/messages.h"
#include "test_support.h"

namespace hehun {
namespace {

TEST(TwelveStages, KnownStagesOfEveryStem) {
  struct Case {
    const char* stem;
    const char* branch;
    const char* stage;
  };
  const Case cases[] = {
      {"甲", "亥", "长生"}, {"甲", "子", "沐浴"}, {"甲", "卯", "帝旺"}, {"甲", "午", "死"},   {"甲", "未", "墓"},
      {"甲", "申", "绝"},   {"乙", "午", "长生"}, {"乙", "亥", "死"},   {"乙", "寅", "帝旺"}, {"乙", "戌", "墓"},
      {"乙", "酉", "绝"},   {"丙", "寅", "长生"}, {"丙", "午", "帝旺"}, {"丙", "戌", "墓"},   {"丙", "酉", "死"},
      {"丁", "酉", "长生"}, {"丁", "巳", "帝旺"}, {"丁", "丑", "墓"},   {"丁", "寅", "死"},   {"戊", "寅", "长生"},
      {"戊", "午", "帝旺"}, {"戊", "戌", "墓"},   {"己", "酉", "长生"}, {"己", "巳", "帝旺"}, {"己", "丑", "墓"},
      {"庚", "巳", "长生"}, {"庚", "酉", "帝旺"}, {"庚", "丑", "墓"},   {"庚", "子", "死"},   {"辛", "子", "长生"},
      {"辛", "申", "帝旺"}, {"辛", "辰", "墓"},   {"辛", "巳", "死"},   {"壬", "申", "长生"}, {"壬", "子", "帝旺"},
      {"壬", "辰", "墓"},   {"壬", "卯", "死"},   {"癸", "卯", "长生"}, {"癸", "亥", "帝旺"}, {"癸", "未", "墓"},
      {"癸", "申", "死"},   {"癸", "午", "绝"},   {"甲", "酉", "胎"},   {"乙", "申", "胎"},   {"丙", "丑", "养"},
  };
  for (const Case& c : cases) EXPECT_EQ(TwelveStageName(c.stem, c.branch), c.stage) << c.stem << c.branch;
}

TEST(TwelveStages, LinGuanIsTheStemsLuAndEachBranchOnce) {
  // 甲禄在寅，乙禄在卯，丙戊禄在巳，丁己禄在午，庚禄在申，辛禄在酉，壬禄在亥，癸禄在子.
  const char* lu[10] = {"寅", "卯", "巳", "午", "巳", "午", "申", "酉", "亥", "子"};
  for (int s = 0; s < 10; ++s) {
    EXPECT_EQ(TwelveStageName(kCalendarStems[s], lu[s]), "临官") << kCalendarStems[s];
    std::set<int> stages;
    for (int b = 0; b < 12; ++b) stages.insert(TwelveStageIndex(s, b));
    EXPECT_EQ(stages.size(), 12u);
    // The next branch after 临官 is 帝旺 for yang stems, the one before for yin stems.
    const int l = IndexOf(kCalendarBranches, lu[s]);
    EXPECT_EQ(TwelveStageIndex(s, Mod(l + (StemIsYang(s) ? 1 : -1), 12)), 4);
  }
}

TEST(ChartView, AWholeChart) {
  CapturedMessages messages;
  RefDb db;
  PlacedChart pc;
  ASSERT_TRUE(ComputeChartAtPlace(pc, db, messages, 1990, 6, 15, 23, 30, "女", nullptr));
  const ChartPerson person{"李梅", "女", SolarToLunar(EncodeDate(1990, 6, 15)), {1990, 6, 15}};
  const ChartView v = BuildChartView(pc, db, person, {2024, 3, 1});
  // 庚午 壬午 辛亥 庚子, day stem 辛 (born at 子, running backward).
  const char* stages[4] = {"病", "病", "沐浴", "长生"};
  for (int p = 0; p < 4; ++p) EXPECT_EQ(v.pillars[p].stage, stages[p]) << p;
  EXPECT_EQ(v.pillars[2].ten_god, "日元");
  EXPECT_EQ(v.pillars[0].ten_god, "劫财");
  EXPECT_EQ(v.kongwang, "寅卯");
  for (const auto& p : v.pillars) EXPECT_FALSE(p.void_branch);
  // 金 庚辛庚, 火 午午, 水 壬亥子.
  EXPECT_EQ(v.elements, (std::array<int, 5>{0, 2, 0, 3, 3}));
  int hidden = 0;
  for (const auto& p : v.pillars) hidden += static_cast<int>(p.hidden.size());
  int counted = 0;
  for (int n : v.hidden_elements) counted += n;
  EXPECT_EQ(counted, hidden);
  EXPECT_EQ(v.lunar_date.find("庚午"), 0u);
  EXPECT_EQ(v.conception, "癸酉");
  EXPECT_EQ(v.direction, "逆");
  ASSERT_EQ(v.luck.size(), 10u);
  EXPECT_EQ(v.luck[0].ganzhi, "辛巳");
  for (const auto& l : v.luck) {
    ASSERT_EQ(l.years.size(), 10u);
    EXPECT_EQ(l.start_age, l.start_year - 1990);
    for (int i = 0; i < 10; ++i) {
      const ChartYearView& y = l.years[i];
      EXPECT_EQ(y.year, l.start_year + i);
      // 1984 was 甲子; the cycle steps one a year.
      EXPECT_EQ(y.ganzhi, std::string(kCalendarStems[Mod(y.year - 1984, 10)]) +
                              std::string(kCalendarBranches[Mod(y.year - 1984, 12)]));
      EXPECT_EQ(y.current, y.year == 2024);
    }
  }
  // Exactly the luck pillar whose ten years hold 2024 runs on 2024-03-01.
  ASSERT_GE(v.current_luck, 0);
  for (int k = 0; k < 10; ++k) EXPECT_EQ(v.luck[k].current, k == v.current_luck);
  const ChartLuckView& now = v.luck[v.current_luck];
  EXPECT_LE(EncodeDate(now.start.year, now.start.month, now.start.day), EncodeDate(2024, 3, 1));
}

TEST(ChartView, NoLuckRunsBeforeTheFirstStarts) {
  CapturedMessages messages;
  RefDb db;
  PlacedChart pc;
  ASSERT_TRUE(ComputeChartAtPlace(pc, db, messages, 2020, 1, 10, 8, 0, "男", nullptr));
  const ChartView v = BuildChartView(pc, db, {"", "男", SolarToLunar(EncodeDate(2020, 1, 10)), {2020, 1, 10}}, {2020, 2, 1});
  EXPECT_EQ(v.current_luck, -1);
  for (const auto& l : v.luck) EXPECT_FALSE(l.current);
}

TEST(ChartView, VoidBranchesMarkedWhereTheyFall) {
  // 1984-02-04 10:00: 癸亥 乙丑 戊辰 丁巳; 戊辰 lies in 甲子旬, void 戌亥: the year branch 亥.
  CapturedMessages messages;
  RefDb db;
  PlacedChart pc;
  ASSERT_TRUE(ComputeChartAtPlace(pc, db, messages, 1984, 2, 4, 10, 0, "男", nullptr));
  const ChartView v = BuildChartView(pc, db, {"", "男", SolarToLunar(EncodeDate(1984, 2, 4)), {1984, 2, 4}}, {2024, 1, 1});
  EXPECT_EQ(v.kongwang, "戌亥");
  EXPECT_TRUE(v.pillars[0].void_branch);
  EXPECT_FALSE(v.pillars[1].void_branch || v.pillars[2].void_branch || v.pillars[3].void_branch);
}

TEST(ChartHints, EveryTenGodStageAndShenshaHasAMeaning) {
  std::set<std::string> names = {"日元", "比肩", "劫财", "食神", "伤官", "偏财",
                                 "正财", "七杀", "正官", "偏印", "正印"};
  for (auto s : kTwelveStageNames) names.insert(std::string(s));
  // Every shensha the rule files can name: the first field of each rule line.
  for (const char* file : {"niangan", "nianzhi", "yuezhi", "rigan", "rizhi", "rizhu", "rizhus"}) {
    std::ifstream in(std::string(HEHUN_SOURCE_DIR) + "/data/shensha/" + file + ".txt");
    ASSERT_TRUE(in) << file;
    std::string line;
    while (std::getline(in, line)) {
      std::istringstream words(line);
      std::string name;
      if (words >> name) names.insert(name);
    }
  }
  std::set<std::string> texts;
  for (const std::string& name : names) {
    const std::string_view hint = ChartHint(name);
    EXPECT_FALSE(hint.empty()) << name;
    EXPECT_TRUE(texts.insert(std::string(hint)).second) << "same text twice: " << name;
  }
}

}  // namespace
}  // namespace hehun
