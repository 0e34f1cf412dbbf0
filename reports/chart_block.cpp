#include "reports/chart_block.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "bazi/bone_weight.h"
#include "bazi/life_palace.h"
#include "refdb/ganzhi.h"
#include "refdb/lookups.h"
#include "refdb/text.h"

namespace hehun {

namespace {
constexpr std::string_view k3 = "   ";
constexpr std::string_view k6 = "      ";
constexpr std::string_view k7 = "       ";
constexpr std::string_view k13 = "             ";
}  // namespace

std::string FlowYearName(int year) { return Utf8Mid(Trim(CycleYearName(year - 1864)), 0, 2); }

std::string AgeLabel(int age) { return (age >= 10 ? "" : "0") + std::to_string(age) + "岁"; }

std::string MinorPillar(const BaziChart& chart, int steps) {
  const int step = chart.LuckReverse == 1 ? -steps : steps;
  return std::string(kStemNames[Mod(chart.HourStemIdx + step, 10)]) +
         std::string(kBranchNames[Mod(chart.HourBranchIdx + step, 12)]);
}

void WriteChartBlock(LineSink& sink, BaziChart& c, RefDb& db, DateValue birthDate, std::string_view yearText,
                     const LunarDate& lunar, const PlacedChart* placed) {
  if (placed && !placed->has_place) placed = nullptr;
  const auto tg = [&](const std::string& stem) { return TenGodOf(db, c.DayStem + stem); };
  if (placed) WriteBirthPlaceLines(sink, *placed);
  sink.Add("胎元：" + Trim(c.ConceptionPillar) + "(" + NayinOf(db, c.ConceptionPillar) + ")");
  sink.Add("起运：" + c.StartAgeText + "岁");
  if (placed) sink.Add(LuckSpanLine(*placed));
  sink.Add("十神：" + tg(c.YearStem) + std::string(k3) + tg(c.MonthStem) + std::string(k3) + "日元" + std::string(k3) +
           tg(c.HourStem));
  sink.Add("八字：" + c.YearStem + c.YearBranch + std::string(k3) + c.MonthStem + c.MonthBranch + std::string(k3) +
           c.DayStem + c.DayBranch + std::string(k3) + c.HourStem + c.HourBranch);

  // The day's hidden stems by the day count from 1900-02-20, a 甲子 day.
  const long d = std::lround(birthDate - EncodeDate(1900, 2, 20));
  const int i = static_cast<int>(((d % 12) + 12) % 12);
  c.DayHiddenIdx = i;
  c.HiddenStems[2] = kHiddenStemsByBranch[i];

  std::string first = "遁藏：";
  for (int p = 0; p < 4; ++p) {
    const std::string c1 = Utf8CharAt(c.HiddenStems[p], 0);
    first += (p ? " " : "") + c1 + tg(c1);
  }
  sink.Add(first);
  for (int k = 1; k <= 2; ++k) {
    std::string line(k6);
    for (int p = 0; p < 4; ++p) {
      const std::string ck = Utf8CharAt(c.HiddenStems[p], k);
      line += Trim(ck).empty() ? std::string(k7) : ck + tg(ck) + " ";
    }
    sink.Add(line);
  }

  const auto e = [&](const std::string& ch) { return HanziElement(db, ch); };
  sink.Add("五行：" + e(c.YearStem) + e(c.YearBranch) + std::string(k3) + e(c.MonthStem) + e(c.MonthBranch) +
           std::string(k3) + e(c.DayStem) + e(c.DayBranch) + std::string(k3) + e(c.HourStem) + e(c.HourBranch));
  sink.Add("纳音：" + NayinOf(db, c.YearStem + c.YearBranch) + " " + NayinOf(db, c.MonthStem + c.MonthBranch) + " " +
           NayinOf(db, c.DayStem + c.DayBranch) + " " + NayinOf(db, c.HourStem + c.HourBranch));
  sink.Add(c.LuckNayinLine);
  sink.Add(c.LuckTenGodLine);
  sink.Add("大运：" + c.LuckPillars);

  const int n = c.StartAge;
  if (c.StartAgeText == "1") {
    sink.Add("      0-1岁   1岁   11岁   21岁   31岁   41岁   51岁   61岁   71岁   81岁");
  } else {
    std::string ages = std::string(k6) + "1-" + std::to_string(n - 1) + "岁";
    for (int k = 0; k <= 8; ++k) ages += std::string(k3) + std::to_string(n + 10 * k) + "岁";
    sink.Add(ages);
  }
  const int y = ParseIntText(yearText);
  std::string starts = "始于：" + std::string(yearText);
  for (int k = 0; k <= 8; ++k) starts += std::string(k3) + std::to_string(y + n + 10 * k);
  sink.Add(starts);
  if (placed) sink.Add(LuckDatesLine(*placed));
  sink.Add("");

  const int f = ParseIntText(c.StartAgeText);
  const int h = lunar.Year;
  for (int r = 0; r < 10; ++r) {
    std::string line;
    if (r >= f) {
      line = std::string(k13) + FlowYearName(h + f + r);
      for (int k = 1; k <= 8; ++k) line += std::string(k3) + FlowYearName(h + f + r + 10 * k);
    } else {
      line = (r == 0 ? std::string("流年：") : std::string(k6)) + FlowYearName(h + r);
      for (int k = 0; k <= 8; ++k) line += std::string(k3) + FlowYearName(h + f + r + 10 * k);
    }
    sink.Add(line);
  }
  sink.Add("");

  for (int r = 0; r < 10; ++r) {
    std::string pillars, ages;
    if (r >= f) {
      pillars = std::string(k13) + MinorPillar(c, f + r);
      ages = std::string(k13) + AgeLabel(f + r);
      for (int k = 1; k <= 8; ++k) {
        pillars += std::string(k3) + MinorPillar(c, f + r + 10 * k);
        ages += std::string(k3) + AgeLabel(f + r + 10 * k);
      }
    } else {
      pillars = (r == 0 ? std::string("小运：") : std::string(k6)) + MinorPillar(c, r);
      ages = std::string(k6) + AgeLabel(r);
      for (int k = 0; k <= 8; ++k) {
        pillars += std::string(k3) + MinorPillar(c, f + r + 10 * k);
        ages += std::string(k3) + AgeLabel(f + r + 10 * k);
      }
    }
    sink.Add(pillars);
    sink.Add(ages);
  }
  sink.Add("");
}

namespace {

// A pillar's markers with each name kept once, at its first place: two rule
// files may give the same name (将星, 灾煞, 吊客 …). The blanks between the
// names kept stay as they were.
std::string WithoutRepeatedNames(const std::string& line) {
  std::string kept;
  std::vector<std::string> seen;
  bool first = true;
  size_t start = 0;
  while (start <= line.size()) {
    size_t end = line.find(' ', start);
    if (end == std::string::npos) end = line.size();
    const std::string name = line.substr(start, end - start);
    const bool repeated = !name.empty() && std::find(seen.begin(), seen.end(), name) != seen.end();
    if (!repeated) {
      if (!first) kept += ' ';
      kept += name;
      first = false;
      if (!name.empty()) seen.push_back(name);
    }
    start = end + 1;
  }
  return kept;
}

// The four pillar lines; `names` gives the markers of one routine (0 to 6,
// in the order of the rule files) for a pillar's stem and branch.
template <class Names>
void WritePillarShensha(LineSink& sink, std::string_view heading, const BaziChart& c, const Names& names) {
  sink.Add(heading);
  const std::string* pillars[4][2] = {{&c.YearStem, &c.YearBranch},
                                      {&c.MonthStem, &c.MonthBranch},
                                      {&c.DayStem, &c.DayBranch},
                                      {&c.HourStem, &c.HourBranch}};
  const char* labels[4] = {"年柱：", "月柱：", "日柱：", "时柱："};
  for (int p = 0; p < 4; ++p) {
    const std::string& ps = *pillars[p][0];
    const std::string& pb = *pillars[p][1];
    // One statement per lookup: the files are read in this order, so a missing
    // file is reported as the first one the order reaches.
    std::string line = names(0, ps, pb);
    for (int routine = 1; routine < (p < 3 ? 7 : 6); ++routine) {
      line += ' ';
      line += names(routine, ps, pb);
    }
    sink.Add(labels[p] + Trim(WithoutRepeatedNames(line)));
  }
}

}  // namespace

void WriteShenshaLines(LineSink& sink, std::string_view heading, const BaziChart& c, RefDb& db) {
  const std::string dayPillar = c.DayStem + c.DayBranch;
  const std::string hourPillar = c.HourStem + c.HourBranch;
  const int yearIndex = GanZhiIndex(c.YearBranch, true);
  const int dayIndex = GanZhiIndex(c.DayBranch, true);
  WritePillarShensha(sink, heading, c, [&](int routine, const std::string& ps, const std::string& pb) {
    switch (routine) {
      case 0: return ShenshaYearStem(db, c.YearStem, pb);
      case 1: return ShenshaYearBranch(db, c.YearBranch, pb, yearIndex, c.LuckReverse);
      case 2: return ShenshaMonthBranch(db, c.MonthBranch, ps, pb);
      case 3: return ShenshaDayStem(db, c.DayStem, pb);
      case 4: return ShenshaDayBranch(db, c.DayBranch, pb, dayIndex);
      case 5: return ShenshaDayPillar(db, ps + pb, dayPillar);
      default: return ShenshaDayPillarExtra(db, dayPillar, hourPillar);
    }
  });
}

void WriteBoneWeightLines(LineSink& sink, std::string_view heading, RefDb& db, const LunarDate& lunar,
                          std::string_view hourNumber, int beforeJie) {
  sink.Add(heading);
  int month = lunar.Month;
  if (beforeJie != 0) month = month == 1 ? 12 : month - 1;
  for (int mode = 0; mode < 3; ++mode)
    sink.Add(BoneWeightFortune(db, std::to_string(lunar.Year), std::to_string(month), std::to_string(lunar.Day), mode,
                               hourNumber));
}

}  // namespace hehun
