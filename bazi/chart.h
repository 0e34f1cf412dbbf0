// The folder bazi/ stands on calendar/ and refdb/: the four-pillar chart and
// the rules around it (shensha, life palace, bone weight, personality, and the
// quick matchings as values).
//
// The four-pillar chart (八字) of one birth: pillars, conception pillar,
// direction and start of the luck pillars, ten luck pillars with their nayin
// and ten gods, the hidden stems of the four branches and the birthday
// personality text.
//
// The chart's own numbering: stems count from 癸 (0 癸, 1 甲 … 9 壬) and
// branches from 亥 (0 亥, 1 子 … 11 戌); the hidden-stem table counts from 子.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "calendar/date.h"
#include "refdb/messages.h"
#include "refdb/refdb.h"

namespace hehun {

inline constexpr std::array<std::string_view, 10> kStemNames = {"癸", "甲", "乙", "丙", "丁",
                                                                "戊", "己", "庚", "辛", "壬"};
inline constexpr std::array<std::string_view, 12> kBranchNames = {"亥", "子", "丑", "寅", "卯", "辰",
                                                                  "巳", "午", "未", "申", "酉", "戌"};
// Hidden stems of each branch, 子 first; the order matters (main stem first).
inline constexpr std::array<std::string_view, 12> kHiddenStemsByBranch = {
    "癸", "癸辛己", "甲丙戊", "乙", "乙戊癸", "庚丙戊", "己丁", "乙己丁", "戊庚壬", "辛", "辛丁戊", "壬甲"};
// The twelve 节 terms that begin the months, 立春 first.
inline constexpr std::array<std::string_view, 12> kJieNames = {"立春", "惊蛰", "清明", "立夏", "芒种", "小暑",
                                                               "立秋", "白露", "寒露", "立冬", "大雪", "小寒"};

struct BaziChart {
  int YearStemIdx = 0, YearBranchIdx = 0;
  int MonthStemIdx = 0, MonthBranchIdx = 0;
  int DayStemIdx = 0, DayBranchIdx = 0;
  int HourStemIdx = 0, HourBranchIdx = 0;
  std::string YearStem, YearBranch, MonthStem, MonthBranch, DayStem, DayBranch, HourStem, HourBranch;
  int BeforeJie = 0;             // −1: born on a 节 day before its instant
  std::string ConceptionPillar;  // 胎元: stem, branch and one trailing blank
  int LuckReverse = 0;           // 0 forward, 1 backward
  int StartAge = 0;              // 起运 age, 1 to 10
  double LuckDistanceDays = 0;   // from the birth instant to the 节 the luck counts to
  std::string StartAgeText;
  std::string LuckPillars;     // ten pillars separated by three blanks
  std::string LuckNayinLine;   // "纳音：" and the nayin of each luck pillar
  std::string LuckTenGodLine;  // "十神：" and the ten god of each luck pillar's stem
  std::array<std::string, 4> HiddenStems;  // year, month, day, hour
  int DayHiddenIdx = 0;
  std::string PersonalityText;
};

inline constexpr std::string_view kChartDateMessage = "请检查输入数据是否出错！";

// Fills `chart` for a Gregorian birth. A day beyond the month's length in
// February, April, June, September or November is refused: the notice
// kChartDateMessage is shown and the chart keeps its previous contents
// (returns false). Any other impossible date or time throws ConversionError
// naming the text, leaving the chart as it was. Sex "男" is a man; any other
// text a woman. LunarDay is accepted for the callers' convenience and unused.
bool ComputeBazi(BaziChart& chart, RefDb& db, Messages& messages, int year, int month, int day, int hour,
                 int lunarDay, int minute, std::string_view sex);

// The checks of ComputeBazi alone: false after the notice for a refused
// short-month date, ConversionError for another impossible date or time.
bool CheckChartTime(Messages& messages, int year, int month, int day, int hour, int minute);

// The chart of a birth whose year and month pillars and start of luck follow
// the instant `instantBeijing` (Beijing time) against the solar terms, and
// whose day and hour pillars follow `dayHourTime` (the true solar time at the
// birthplace, or the clock time itself). No checks: the callers give valid
// times.
void ComputeBaziAt(BaziChart& chart, RefDb& db, DateValue instantBeijing, const DateTimeParts& dayHourTime,
                   std::string_view sex);

bool IsJieTerm(std::string_view name);

}  // namespace hehun
