#include "bazi/chart_view.h"

#include <algorithm>
#include <sstream>

#include "bazi/life_palace.h"
#include "bazi/luck_start.h"
#include "bazi/shensha.h"
#include "refdb/ganzhi.h"
#include "refdb/lookups.h"
#include "refdb/text.h"

namespace hehun {

namespace {

struct HintEntry {
  const char* kind;
  const char* name;
  const char* text;
};

constexpr HintEntry kHints[] = {
#include "chart_hints.inc"
};

// 长生 of the yang stems 甲 丙 戊 庚 壬 (branch from 子 0): 木 at 亥, 火 and
// 土 at 寅, 金 at 巳, 水 at 申.
constexpr std::array<int, 5> kYangBirthBranch = {11, 2, 2, 5, 8};

int ElementOfStem(std::string_view stem) {
  const int s = IndexOf(kCalendarStems, stem);
  return s < 0 ? -1 : static_cast<int>(StemElement(s));
}

int ElementOfBranch(std::string_view branch) {
  const int b = IndexOf(kCalendarBranches, branch);
  return b < 0 ? -1 : static_cast<int>(kBranchElements[b]);
}

// The names one routine returned, separated by blanks, added to `names`
// where not there yet.
void AddNames(std::vector<std::string>& names, const std::string& text) {
  std::istringstream in(text);
  std::string name;
  while (in >> name)
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
}

// The shensha of one pillar, by the seven rule files in the order the
// reports read them (the hour pillar by the first six).
std::vector<std::string> PillarShensha(RefDb& db, const BaziChart& c, int pillar, const std::string& ps,
                                       const std::string& pb) {
  const std::string dayPillar = c.DayStem + c.DayBranch;
  const std::string hourPillar = c.HourStem + c.HourBranch;
  std::vector<std::string> names;
  AddNames(names, ShenshaYearStem(db, c.YearStem, pb));
  AddNames(names, ShenshaYearBranch(db, c.YearBranch, pb, GanZhiIndex(c.YearBranch, true), c.LuckReverse));
  AddNames(names, ShenshaMonthBranch(db, c.MonthBranch, ps, pb));
  AddNames(names, ShenshaDayStem(db, c.DayStem, pb));
  AddNames(names, ShenshaDayBranch(db, c.DayBranch, pb, GanZhiIndex(c.DayBranch, true)));
  AddNames(names, ShenshaDayPillar(db, ps + pb, dayPillar));
  if (pillar < 3) AddNames(names, ShenshaDayPillarExtra(db, dayPillar, hourPillar));
  return names;
}

DateValue DayOf(const Ymd& d) { return EncodeDate(d.year, d.month, d.day); }

}  // namespace

int TwelveStageIndex(int stem, int branch) {
  const int yang = stem - stem % 2;
  const int birth = kYangBirthBranch[yang / 2];
  if (StemIsYang(stem)) return Mod(branch - birth, 12);
  // The yin stem is born at its yang partner's 死 (seven steps on) and runs back.
  return Mod(birth + 7 - branch, 12);
}

std::string TwelveStageName(std::string_view stem, std::string_view branch) {
  const int s = IndexOf(kCalendarStems, stem), b = IndexOf(kCalendarBranches, branch);
  if (s < 0 || b < 0) return "";
  return std::string(kTwelveStageNames[TwelveStageIndex(s, b)]);
}

std::string LifePalacePillar(std::string_view yearStem, std::string_view monthBranch, std::string_view hourBranch) {
  const std::string branch = LifePalaceBranch(monthBranch, hourBranch);
  const int s = IndexOf(kCalendarStems, yearStem), n = YinBasedBranchNumber(branch);
  if (s < 0 || n <= 0) return branch;
  // 甲己之年丙作首: the 寅 month's stem is 丙 for 甲 and 己 years, and so on.
  const int yinStem = Mod((s % 5) * 2 + 2, 10);
  return std::string(kCalendarStems[Mod(yinStem + n - 1, 10)]) + branch;
}

std::string_view ChartHint(std::string_view name) {
  for (const HintEntry& e : kHints)
    if (name == e.name) return e.text;
  return {};
}

ChartView BuildChartView(const PlacedChart& placed, RefDb& db, const ChartPerson& person, const Ymd& today) {
  const BaziChart& c = placed.chart;
  ChartView v;
  v.name = person.name;
  v.sex = person.sex;
  v.clock_time = MinuteText(placed.time.clock);
  if (placed.has_place) {
    v.place_name = placed.place.name;
    v.true_solar_time = MinuteText(placed.time.true_solar);
  }
  v.lunar_date = CycleYearName(person.lunar.Year - 1864) + LunarMonthName(person.lunar.Month, person.lunar.IsLeap) +
                 LunarDayName(person.lunar.Day);
  v.conception = Trim(c.ConceptionPillar);
  v.life_palace = LifePalacePillar(c.YearStem, c.MonthBranch, c.HourBranch);

  const int dayStem = IndexOf(kCalendarStems, c.DayStem);
  const int dayBranch = IndexOf(kCalendarBranches, c.DayBranch);
  const int firstVoid = Mod(dayBranch - dayStem + 10, 12);
  v.kongwang = std::string(kCalendarBranches[firstVoid]) + std::string(kCalendarBranches[(firstVoid + 1) % 12]);

  const std::array<const std::string*, 4> stems = {&c.YearStem, &c.MonthStem, &c.DayStem, &c.HourStem};
  const std::array<const std::string*, 4> branches = {&c.YearBranch, &c.MonthBranch, &c.DayBranch, &c.HourBranch};
  constexpr std::array<std::string_view, 4> kLabels = {"年柱", "月柱", "日柱", "时柱"};
  for (int p = 0; p < 4; ++p) {
    ChartPillarView& pv = v.pillars[p];
    pv.label = kLabels[p];
    pv.stem = *stems[p];
    pv.branch = *branches[p];
    pv.ten_god = p == 2 ? "日元" : TenGodOf(db, c.DayStem + pv.stem);
    pv.nayin = NayinOf(db, pv.stem + pv.branch);
    pv.stage = TwelveStageName(c.DayStem, pv.branch);
    const int b = IndexOf(kCalendarBranches, pv.branch);
    pv.void_branch = b == firstVoid || b == (firstVoid + 1) % 12;
    for (int k = 0; k < 3; ++k) {
      const std::string h = Utf8CharAt(c.HiddenStems[p], k);
      if (Trim(h).empty()) break;
      pv.hidden.push_back({h, TenGodOf(db, c.DayStem + h)});
      if (const int e = ElementOfStem(h); e >= 0) ++v.hidden_elements[e];
    }
    // The chart shows the branch's own stem (本气, the one of its element)
    // first, as practitioners read the hidden stems; the rest keep their order.
    std::stable_partition(pv.hidden.begin(), pv.hidden.end(), [&](const auto& hidden) {
      return ElementOfStem(hidden.stem) == ElementOfBranch(pv.branch);
    });
    if (const int e = ElementOfStem(pv.stem); e >= 0) ++v.elements[e];
    if (const int e = ElementOfBranch(pv.branch); e >= 0) ++v.elements[e];
    pv.shensha = PillarShensha(db, c, p, pv.stem, pv.branch);
  }

  v.direction = c.LuckReverse ? "逆" : "顺";
  v.span = placed.luck;
  v.today_year = today.year;
  const DateValue now = DayOf(today);
  const auto pillars = LuckPillarsFrom(c, placed.luck);
  for (size_t k = 0; k < pillars.size(); ++k) {
    ChartLuckView lv;
    lv.ganzhi = pillars[k].ganzhi;
    lv.ten_god = TenGodOf(db, c.DayStem + Utf8CharAt(lv.ganzhi, 0));
    lv.nayin = NayinOf(db, lv.ganzhi);
    lv.start = pillars[k].start;
    lv.start_year = lv.start.year;
    lv.start_age = lv.start.year - person.birth.year;
    const bool started = now >= DayOf(lv.start);
    const bool ended = k + 1 < pillars.size() && now >= DayOf(pillars[k + 1].start);
    lv.current = started && !ended;
    if (lv.current) v.current_luck = static_cast<int>(k);
    for (int i = 0; i < 10; ++i) {
      ChartYearView yv;
      yv.year = lv.start_year + i;
      yv.age = yv.year - person.birth.year;
      yv.ganzhi = PillarName(yv.year - 4);
      yv.ten_god = TenGodOf(db, c.DayStem + Utf8CharAt(yv.ganzhi, 0));
      yv.current = yv.year == today.year;
      lv.years.push_back(yv);
    }
    v.luck.push_back(std::move(lv));
  }
  return v;
}

}  // namespace hehun
