// The chart as the 命盘 view shows it and `hehun-cli chart --json` prints
// it: one object computed once from a chart at a birthplace, holding per
// pillar the stem, branch, ten gods, hidden stems, nayin, twelve stage (星运),
// the void branches (空亡) and the shensha; the element counts; the header
// facts; the luck pillars with their ten years, the running ones marked.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "bazi/placed_chart.h"
#include "calendar/date.h"
#include "calendar/lunar_calc.h"
#include "refdb/refdb.h"

namespace hehun {

// The twelve stages of life, 长生 first.
inline constexpr std::array<std::string_view, 12> kTwelveStageNames = {
    "长生", "沐浴", "冠带", "临官", "帝旺", "衰", "病", "死", "墓", "绝", "胎", "养"};

// Stage (0 长生 … 11 养) of a stem (甲 0 … 癸 9) at a branch (子 0 … 亥 11).
// Yang stems run forward from their 长生: 甲 at 亥, 丙 and 戊 at 寅, 庚 at 巳,
// 壬 at 申. A yin stem is born where its yang partner dies (乙 午, 丁 and 己
// 酉, 辛 子, 癸 卯) and runs backward; 戊 goes with 丙 and 己 with 丁.
int TwelveStageIndex(int stem, int branch);
std::string TwelveStageName(std::string_view stem, std::string_view branch);

struct ChartStem {
  std::string stem, ten_god;
};

struct ChartPillarView {
  std::string label;             // 年柱 月柱 日柱 时柱
  std::string stem, branch;
  std::string ten_god;           // the stem's ten god; 日元 for the day
  std::vector<ChartStem> hidden; // main stem first
  std::string nayin;
  std::string stage;             // the day stem's stage at this branch
  bool void_branch = false;      // the branch is one of the day pillar's 旬空
  std::vector<std::string> shensha;  // each name once, in the rule files' order
};

struct ChartYearView {
  int year = 0, age = 0;
  std::string ganzhi, ten_god;
  bool current = false;
};

struct ChartLuckView {
  std::string ganzhi, ten_god, nayin;
  Ymd start;
  int start_year = 0, start_age = 0;
  bool current = false;
  std::vector<ChartYearView> years;  // ten, from the start year
};

// Who the chart is of, as the caller read it.
struct ChartPerson {
  std::string name;
  std::string sex;  // 男 or 女
  LunarDate lunar;
  Ymd birth;        // the Gregorian clock date
};

struct ChartView {
  std::string name, sex;
  std::string clock_time;        // "1990-05-01 08:30"
  std::string place_name;        // empty without a place
  std::string true_solar_time;   // empty without a place
  std::string lunar_date;        // 庚午(马)年四月初七
  std::string conception;        // 胎元
  std::string life_palace;       // 命宫 pillar
  std::string kongwang;          // 戌亥
  std::array<ChartPillarView, 4> pillars;
  std::array<int, 5> elements{};         // 木火土金水 of the eight characters
  std::array<int, 5> hidden_elements{};  // of the hidden stems
  std::string direction;         // 顺 or 逆
  LuckSpan span;
  std::vector<ChartLuckView> luck;
  int current_luck = -1;         // the luck pillar running today, −1 before the first
  int today_year = 0;
};

// Builds the view of `placed` (computed by ComputeChartAtPlace) for a
// person; `today` marks the running luck pillar and year.
ChartView BuildChartView(const PlacedChart& placed, RefDb& db, const ChartPerson& person, const Ymd& today);

// The 命宫 pillar: its branch from the month and hour branches, its stem
// from the year stem as the months' stems run (五虎遁).
std::string LifePalacePillar(std::string_view yearStem, std::string_view monthBranch, std::string_view hourBranch);

// The one-line meaning of a ten god, a stage or a shensha for hover tips;
// empty when none is written.
std::string_view ChartHint(std::string_view name);

}  // namespace hehun
