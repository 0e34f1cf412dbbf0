#include "tools/almanac_table.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <cmath>
#include <map>
#include <set>
#include <stdexcept>

#include "calendar/date.h"
#include "refdb/ganzhi.h"
#include "calendar/lunar_calc.h"
#include "tools/almanac_months.h"
#include "tools/almanac_spirits.h"
#include "tools/almanac_rule_text.h"
#include "tools/almanac_rules.h"
#include "tools/solar_terms.h"

namespace fs = std::filesystem;

namespace hehun::tools {

namespace {


// The foetus spirit's place: the stem's and the branch's places joined; a
// place held twice or a one-character stem place is "occupied" (占).
std::string FoetusPlace(const Rules& r, int day) {
  const std::string& s = r.stemPlace[day % 10];
  const std::string& b = r.branchPlace[day % 12];
  if (s == b) return "占大" + s;
  if (s.find(b) != std::string::npos) return "占" + s;
  if (Chars(s).size() == 1) return "占" + s + b;
  return s + b;
}

// The direction of 煞 by the day branch's triad: 申子辰 south, 寅午戌 north,
// 亥卯未 west, 巳酉丑 east (the triad's 三煞 lies opposite its element).
std::string ShaDirection(int branch) {
  static constexpr std::array<std::string_view, 4> kByTriad = {"南", "东", "北", "西"};  // 申子辰, 巳酉丑, 寅午戌, 亥卯未
  return std::string(kByTriad[branch % 4]);
}

// Lunar months as almanacs write them: 正月 … 十月, 冬月, 腊月.
std::string AlmanacMonthName(const LunarDate& lunar) {
  static constexpr std::array<std::string_view, 12> kNames = {"正", "二", "三", "四", "五", "六",
                                                              "七", "八", "九", "十", "冬", "腊"};
  return (lunar.IsLeap ? "闰" : "") + std::string(kNames.at(lunar.Month - 1)) + "月";
}

}  // namespace

std::vector<AlmanacRow> ComputeAlmanacRows(const fs::path& dir) {
  const Rules rules = ReadRules(dir);
  const auto nayin = ReadLines(dir.parent_path() / "nayin.txt");
  Require(nayin.size() == 30, "nayin.txt must hold 30 names");

  // The days of earth's rule, the 伏 and the 社 days.
  const auto termDays = TermDays(kAlmanacFirstYear, kAlmanacLastYear);
  const std::set<long>& earthRule = termDays.at("土王");
  const std::set<long>& fuDays = termDays.at("伏");
  const std::set<long>& sheDays = termDays.at("社");
  AlmanacMonthPillar months(kAlmanacFirstYear, kAlmanacLastYear);

  std::vector<AlmanacRow> rows;
  const long first = static_cast<long>(EncodeDate(kAlmanacFirstYear, 1, 1));
  const long last = static_cast<long>(EncodeDate(kAlmanacLastYear, 12, 31));
  rows.reserve(static_cast<size_t>(last - first + 1));
  for (long d = first; d <= last; ++d) {
    // Pillars and the month of the spirits alike: the 节 day belongs to the
    // new month (and the 立春 day to the new year).
    const AlmanacMonth month = months.Of(d);
    const Ymd ymd = DecodeDate(d);
    const int yearCycle = month.yearCycle;
    const int monthBranch = month.monthBranch, monthStem = month.monthStem;
    const int day = static_cast<int>(Mod(static_cast<int>(d % 60) + 8, 60));
    const int dayStem = day % 10, dayBranch = day % 12;

    const int gm = monthBranch;            // month branch of the spirits
    const int monthNo = Mod(gm - 2, 12);   // 0 for 寅 (正月)
    const int season = monthNo / 3;        // 0 spring … 3 winter
    const int officer = Mod(dayBranch - gm, 12);
    const Rules::Ruler& ruler = rules.rulers[Mod(dayBranch - rules.greenDragonStart[monthNo], 12)];

    const LunarDate lunar = SolarToLunar(d);
    AlmanacRow row;
    row.gn = FormatYmd(ymd);
    static constexpr std::array<std::string_view, 7> kWeekdays = {"日", "一", "二", "三", "四", "五", "六"};
    row.nn = "农历" + AlmanacMonthName(lunar) + LunarDayName(lunar.Day) + " 星期" +
             std::string(kWeekdays[Mod(static_cast<int>(d % 7) + 6, 7)]) + " " + ruler.name + ruler.road + "日";
    row.suici = PillarName(yearCycle) + "(" + std::string(kZodiacAnimals[yearCycle % 12]) + ")年 " +
                std::string(kCalendarStems[monthStem]) + std::string(kCalendarBranches[monthBranch]) + "月 " +
                PillarName(day) + "日";
    row.tszf = FoetusPlace(rules, day) + " " + rules.foetusDirection[day];
    row.wuhang = nayin[day / 2] + " " + rules.officers[officer] + "日";
    const int clash = (dayBranch + 6) % 12;
    row.cong = "冲" + std::string(kZodiacAnimals[clash]) + "(" + std::string(kCalendarStems[(dayStem + 4) % 10]) +
               std::string(kCalendarBranches[clash]) + ") 煞" + ShaDirection(dayBranch);
    row.pzbj = rules.stemTaboo[dayStem] + " " + rules.branchTaboo[dayBranch];

    // The spirits of the day.
    std::vector<std::string> good, bad;
    std::vector<char> present(rules.spiritNames.size(), 0);
    bool virtue = false, worst = false, weak = false;
    for (const SpiritRule& s : rules.spirits) {
      bool holds = false;
      auto any = [&](const std::vector<Match>& ms) {
        return std::any_of(ms.begin(), ms.end(), [&](const Match& m) { return m.Holds(day); });
      };
      switch (s.basis) {
        case Basis::kMonth: holds = any(s.values[monthNo]); break;
        case Basis::kSeason: holds = any(s.values[season]); break;
        case Basis::kAny: holds = any(s.values[0]); break;
        case Basis::kEarthRule: holds = earthRule.count(d) == 1 && any(s.values[0]); break;
        case Basis::kOfficer: holds = officer == s.officer; break;
        case Basis::kNoGeneral: holds = NoGeneral(rules, monthNo, day); break;
        case Basis::kYear: holds = any(s.values[static_cast<size_t>(yearCycle % 10)]); break;
        case Basis::kLunarDay:
          holds = std::find(s.lunarDays.begin(), s.lunarDays.end(), lunar.Day) != s.lunarDays.end();
          break;
        case Basis::kTermDays:
          holds = (s.termDays.find("伏") != std::string::npos && fuDays.count(d)) ||
                  (s.termDays.find("社") != std::string::npos && sheDays.count(d));
          break;
      }
      if (!holds || present[static_cast<size_t>(s.id)]) continue;
      present[static_cast<size_t>(s.id)] = 1;
      if (s.listed) (s.good ? good : bad).push_back(s.name);
      virtue = virtue || s.rank == "德";
      worst = worst || s.rank == "下下";
      weak = weak || s.rank == "下";
    }
    (ruler.road == "黄道" ? good : bad).push_back(ruler.listName);
    row.jsyq = good.empty() ? "无" : Join(good);
    row.xsyq = bad.empty() ? "无" : Join(bad);

    // Favourable and unfavourable activities by the manual's lists of uses:
    // an activity is favoured when one of its favouring conditions holds and
    // forbidden when one of its forbidding ones does.
    auto holds = [&](const Condition& c) {
      for (const auto& s : c.spirits)
        if (!present[static_cast<size_t>(s)]) return false;
      for (const auto& s : c.absent)
        if (present[static_cast<size_t>(s)]) return false;
      if (c.officer >= 0 && c.officer != officer) return false;
      if ((c.day.stem >= 0 || c.day.branch >= 0) && !c.day.Holds(day)) return false;
      if (c.season >= 0 && c.season != season) return false;
      if (c.earthRule && earthRule.count(d) == 0) return false;
      return true;
    };
    auto anyHolds = [&](const std::vector<Condition>& cs) { return std::any_of(cs.begin(), cs.end(), holds); };
    // The writing rules that hold on this day.
    // The writing rules that hold on this day, by kind.
    std::array<std::vector<const WritingRule*>, 8> writing;
    for (const WritingRule& w : rules.writing)
      if (w.kind == WritingRule::kOnly || w.kind == WritingRule::kStillJi || anyHolds(w.when))
        writing[static_cast<size_t>(w.kind)].push_back(&w);
    auto of = [&](WritingRule::Kind kind) -> const std::vector<const WritingRule*>& {
      return writing[static_cast<size_t>(kind)];
    };
    auto ruled = [&](WritingRule::Kind kind, int activity) {
      return std::any_of(of(kind).begin(), of(kind).end(), [&](const WritingRule* w) { return w->Covers(activity); });
    };
    std::set<std::string> yi, ji;
    std::vector<const Condition*> taboos;  // the forbidding conditions that hold for an activity
    for (const Use& u : rules.uses) {
      // A condition whose spirit forbids only other activities, or is lifted
      // on this day, does not forbid.
      taboos.clear();
      for (const Condition& c : u.ji) {
        if (!holds(c)) continue;
        bool lifted = false;
        for (const auto kind : {WritingRule::kOnly, WritingRule::kLift})
          for (const WritingRule* w : of(kind)) lifted = lifted || (!w->Covers(u.index) && w->Concerns(c));
        if (!lifted) taboos.push_back(&c);
      }
      // A taboo that the virtues do not lift (遇德犹忌); a lifting rule keeps
      // the taboos it lists even against a virtue, the virtue being what lifts
      // the others. Such a taboo is written even where the virtues write none.
      bool stillForbids = false;
      for (const auto kind : {WritingRule::kStillJi, WritingRule::kLift})
        for (const WritingRule* w : of(kind))
          if (w->Covers(u.index))
            for (const Condition* c : taboos) stillForbids = stillForbids || w->Concerns(*c);
      const bool favoured = anyHolds(u.yi) && !ruled(WritingRule::kNotYi, u.index);
      const bool forbidden = !taboos.empty() && (stillForbids || !ruled(WritingRule::kNotJi, u.index));
      // Good and bad that only offset each other (吉凶相抵): what such a spirit
      // forbids is not favoured, and what is favoured is not forbidden.
      const bool evened = !taboos.empty() && std::all_of(taboos.begin(), taboos.end(), [&](const Condition* c) {
        return std::any_of(of(WritingRule::kEven).begin(), of(WritingRule::kEven).end(),
                           [&](const WritingRule* w) { return w->Concerns(*c); });
      });
      if (ruled(WritingRule::kNeither, u.index) || (favoured && forbidden && evened)) continue;
      // Both: a day with a virtue is strong enough for the favour
      // (吉足胜凶，从宜不从忌); any other day follows the taboo (吉不抵凶，从忌不从宜).
      if (favoured && (!forbidden || (virtue && !worst && !stillForbids))) yi.insert(u.name);
      else if (forbidden) ji.insert(u.name);
    }

    if (!of(WritingRule::kNoJi).empty()) ji.clear();

    bool restricted = false;
    if (worst || (weak && !virtue)) {
      // Too weak a day: only small matters stay, and "馀事勿取" closes them.
      for (auto it = yi.begin(); it != yi.end();)
        it = rules.smallMatters.count(*it) ? std::next(it) : yi.erase(it);
      restricted = true;
    }
    // The 忌 line: the weightiest of the forbidden activities (ji_weight.tsv).
    std::set<std::string> written;
    for (const auto& a : rules.jiAlways)
      if (ji.count(a)) written.insert(a);
    for (const auto& a : rules.jiWeight)
      if (written.size() < rules.jiLimit && ji.count(a)) written.insert(a);
    std::vector<std::string> yiList, jiList;
    for (const auto& a : rules.order) {
      if (yi.count(a)) yiList.push_back(a);
      if (written.count(a)) jiList.push_back(a);
    }
    if (restricted && !yiList.empty()) yiList.push_back("馀事勿取");
    row.yi = yiList.empty() ? "诸事不宜" : Join(yiList);
    // A day too weak for anything but small matters forbids everything else.
    row.ji = worst || restricted ? "诸事不宜" : jiList.empty() ? "无" : Join(jiList);
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace hehun::tools
