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
#include "tools/solar_terms.h"

namespace fs = std::filesystem;

namespace hehun::tools {

namespace {

enum class Basis { kMonth, kSeason, kAny, kOfficer, kEarthRule, kNoGeneral, kYear, kLunarDay, kTermDays };

struct SpiritRule {
  std::string name;
  int id = -1;  // its name's place in Rules::spiritNames
  bool good = true;
  bool listed = true;  // a spirit of the lists; a calendar day ("日") is not shown
  std::string rank;  // 德, 下下, 下 or -
  Basis basis = Basis::kAny;
  std::vector<std::vector<Match>> values;  // by month (寅 first), season, or one
  int officer = -1;
  std::vector<int> lunarDays;  // for kLunarDay
  std::string termDays;        // for kTermDays: 伏 or 社
};

inline constexpr size_t kMaxSpirits = 256;

// One condition of the manual's lists of uses: every part must hold.
struct Condition {
  std::vector<int> spirits;  // spirits of the day, by their number in Rules::spiritNames
  std::vector<int> absent;   // spirits the day must not have (written "!name")
  int officer = -1;
  Match day;                         // a stem or branch day; none when both are -1
  int season = -1;                   // 0 spring … 3 winter
  bool earthRule = false;            // 土王用事后
  bool officerFirst = false;         // the condition begins with its officer day
};

// An activity: what favours it and what forbids it (卷十一, 用事).
struct Use {
  std::string name;
  int index = 0;  // place in the order of writing
  std::vector<Condition> yi, ji;
};

// A rule for writing the lists (writing_rules.tsv).
struct WritingRule {
  enum Kind { kNotJi, kNotYi, kNeither, kOnly, kStillJi, kLift, kNoJi, kEven } kind;
  std::vector<Condition> when;
  std::bitset<kMaxSpirits> spirits;  // the spirits it concerns (not for kNotJi, kNotYi, kNeither)
  int officer = -1;                  // or the officer day
  std::uint64_t activities = 0;      // the activities it concerns, by their place in the order
  // Whether a forbidding condition of uses.tsv belongs to the spirit or day concerned.
  bool Concerns(const Condition& c) const {
    if (officer >= 0 && c.officer == officer) return true;
    return std::any_of(c.spirits.begin(), c.spirits.end(), [&](int s) { return spirits.test(static_cast<size_t>(s)); });
  }
  bool Covers(int activity) const { return (activities >> activity) & 1U; }
};

struct Rules {
  std::array<std::string, 10> stemTaboo, stemPlace;
  std::array<std::string, 12> branchTaboo, branchPlace;
  std::array<std::string, 60> foetusDirection;
  std::array<std::string, 12> officers;
  std::array<int, 12> greenDragonStart{};  // by month, 寅 first
  struct Ruler {
    std::string name, road, listName;
  };
  std::array<Ruler, 12> rulers;
  std::vector<SpiritRule> spirits;
  std::vector<std::string> spiritNames;  // each name once (a spirit may have several rows)
  std::vector<Use> uses;  // in the order of writing
  std::vector<WritingRule> writing;
  std::vector<std::string> order;
  std::set<std::string> smallMatters;
  std::array<std::vector<int>, 10> stemPalaces;
  std::array<int, 12> monthHate{};  // the branch of 月厌, by month
  // The choice of the 忌 line (ji_weight.tsv).
  size_t jiLimit = 0;
  std::set<std::string> jiAlways;
  std::vector<std::string> jiWeight;  // every activity, the weightiest first
};

// 不将: the stem lodges in one of the six palaces ending at 月厌, the branch
// is one of the four beginning two places after it.
bool NoGeneral(const Rules& r, int monthNo, int day) {
  const int hate = r.monthHate[monthNo];
  const bool stem = std::any_of(r.stemPalaces[day % 10].begin(), r.stemPalaces[day % 10].end(),
                                [&](int palace) { return Mod(hate - palace, 12) < 6; });
  return stem && Mod(day % 12 - hate, 12) >= 2 && Mod(day % 12 - hate, 12) <= 5;
}

std::vector<std::string> Fields(const std::string& line) { return Split(line, '\t'); }

// The manual's lists of uses (uses.tsv), checked against the spirits, the
// officers and the order of writing.
void ReadUses(const fs::path& dir, Rules& r) {
  std::map<std::string, int> spirits;
  for (auto& s : r.spirits) {
    if (spirits.emplace(s.name, static_cast<int>(r.spiritNames.size())).second) r.spiritNames.push_back(s.name);
    s.id = spirits.at(s.name);
  }
  Require(r.spiritNames.size() <= kMaxSpirits, "spirits.tsv: too many spirits");
  std::map<std::string, Use> byName;
  auto parse = [&](const std::string& list, const std::string& where) {
    std::vector<Condition> out;
    if (list == "-") return out;
    for (const auto& token : Split(list, ' ')) {
      Condition c;
      for (const auto& part : Split(token, '+')) {
        if (part.starts_with("!")) {
          const std::string name = part.substr(1);
          Require(spirits.count(name) == 1, where + ": unknown spirit " + name);
          c.absent.push_back(spirits.at(name));
          continue;
        }
        static constexpr std::array<std::string_view, 4> kSeasons = {"春", "夏", "秋", "冬"};
        const auto chars = Chars(part);
        const auto season = std::find(kSeasons.begin(), kSeasons.end(), part);
        const auto officer = chars.size() == 2 && chars[1] == "日"
                                 ? std::find(r.officers.begin(), r.officers.end(), chars[0])
                                 : r.officers.end();
        if (spirits.count(part)) {
          c.spirits.push_back(spirits.at(part));
        } else if (season != kSeasons.end()) {
          c.season = static_cast<int>(season - kSeasons.begin());
        } else if (part == "土王用事后") {
          c.earthRule = true;
        } else if (officer != r.officers.end()) {
          c.officer = static_cast<int>(officer - r.officers.begin());
          c.officerFirst = c.spirits.empty() && c.absent.empty();
        } else {
          Require(chars.size() == 2 && chars[1] == "日", where + ": unknown condition " + part);
          const auto alt = ParseAlternatives(chars[0]);
          Require(alt.size() == 1, where + ": unknown condition " + part);
          c.day = alt[0];
        }
      }
      out.push_back(std::move(c));
    }
    return out;
  };
  for (const auto& line : ReadLines(dir / "uses.tsv")) {
    const auto f = Fields(line);
    Require(f.size() == 4, "uses.tsv: four columns expected: " + line);
    Require(byName.count(f[0]) == 0, "uses.tsv: " + f[0] + " twice");
    byName[f[0]] = {f[0], 0, parse(f[2], f[0]), parse(f[3], f[0])};
  }
  Require(r.order.size() <= 64, "activity_order.txt: at most 64 activities");
  for (const auto& a : r.order) {
    Require(byName.count(a) == 1, "uses.tsv has no row for " + a);
    byName[a].index = static_cast<int>(r.uses.size());
    r.uses.push_back(byName[a]);
  }
  Require(r.uses.size() == byName.size(), "uses.tsv has an activity that activity_order.txt lacks");

  for (const auto& f : ReadTsv(dir / "writing_rules.tsv", 4)) {
    static const std::map<std::string, WritingRule::Kind> kKinds = {
        {"notji", WritingRule::kNotJi}, {"notyi", WritingRule::kNotYi},
        {"neither", WritingRule::kNeither}, {"only", WritingRule::kOnly},
        {"stillji", WritingRule::kStillJi}, {"lift", WritingRule::kLift}, {"noji", WritingRule::kNoJi},
        {"even", WritingRule::kEven}};
    Require(kKinds.count(f[0]) == 1, "writing_rules.tsv: unknown rule " + f[0]);
    WritingRule w{kKinds.at(f[0]), parse(f[1], f[0]), {}, -1, 0};
    if (w.kind == WritingRule::kOnly || w.kind == WritingRule::kStillJi)
      for (const auto& c : w.when) {
        Require(c.spirits.size() == 1 && c.officer < 0 && c.season < 0 && !c.earthRule,
                "writing_rules.tsv: " + f[0] + " takes spirits");
        w.spirits.set(static_cast<size_t>(c.spirits[0]));
      }
    if (w.kind == WritingRule::kLift || w.kind == WritingRule::kEven) {  // the officer day, else the first spirit
      for (const auto& c : w.when) {
        Require(c.officer >= 0 || !c.spirits.empty(), "writing_rules.tsv: lift needs a spirit or an officer day");
        if (c.officerFirst) {
          Require(w.officer < 0 || w.officer == c.officer, "writing_rules.tsv: one officer a rule");
          w.officer = c.officer;
        } else {
          w.spirits.set(static_cast<size_t>(c.spirits[0]));
        }
      }
      Require(w.officer < 0 || w.spirits.none(), "writing_rules.tsv: lift an officer day or spirits, not both");
      // The spirits named after the officer day share its taboos (平日 is 死神).
      if (w.officer >= 0 && f[3] != "-")
        for (const auto& n : Split(f[3], ' ')) {
          Require(spirits.count(n) == 1, "writing_rules.tsv: unknown spirit " + n);
          w.spirits.set(static_cast<size_t>(spirits.at(n)));
        }
    }
    if (f[2] != "-")
    for (const auto& a : Split(f[2], ' ')) {
      Require(byName.count(a) == 1, "writing_rules.tsv: unknown activity " + a);
      w.activities |= std::uint64_t{1} << byName.at(a).index;
    }
    r.writing.push_back(std::move(w));
  }
}

Rules ReadRules(const fs::path& dir) {
  Rules r;
  for (const auto& f : ReadTsv(dir / "pengzu.tsv", 2)) {
    const int s = StemIndex(f[0]), b = BranchIndex(f[0]);
    Require(s >= 0 || b >= 0, "pengzu.tsv: " + f[0]);
    (s >= 0 ? r.stemTaboo[s] : r.branchTaboo[b]) = f[1];
  }
  std::vector<std::pair<int, std::string>> runs;
  for (const auto& f : ReadTsv(dir / "taishen.tsv", 3)) {
    if (f[0] == "stem") {
      r.stemPlace.at(StemIndex(f[1])) = f[2];
    } else if (f[0] == "branch") {
      r.branchPlace.at(BranchIndex(f[1])) = f[2];
    } else {
      Require(f[0] == "from", "taishen.tsv: " + f[0]);
      runs.emplace_back(PillarIndex(f[1]), f[2]);
    }
  }
  Require(!runs.empty() && runs.front().first == 0, "taishen.tsv: the runs must start at 甲子");
  for (size_t i = 0; i < runs.size(); ++i) {
    const int end = i + 1 < runs.size() ? runs[i + 1].first : 60;
    Require(end > runs[i].first, "taishen.tsv: runs out of order");
    for (int d = runs[i].first; d < end; ++d) r.foetusDirection[d] = runs[i].second;
  }
  for (int i = 0; i < 10; ++i) Require(!r.stemTaboo[i].empty() && !r.stemPlace[i].empty(), "missing stem rule");
  for (int i = 0; i < 12; ++i) Require(!r.branchTaboo[i].empty() && !r.branchPlace[i].empty(), "missing branch rule");

  const auto officers = ReadLines(dir / "officers.tsv");
  Require(officers.size() == 12, "officers.tsv must hold the twelve officers");
  std::copy(officers.begin(), officers.end(), r.officers.begin());

  int rulers = 0;
  for (const auto& line : ReadLines(dir / "yellow_road.tsv")) {
    const auto f = Fields(line);
    if (f[0] == "start") {
      Require(f.size() == 13, "yellow_road.tsv: start needs twelve months");
      for (int m = 0; m < 12; ++m) r.greenDragonStart[m] = BranchIndex(f[m + 1]);
    } else {
      Require(f.size() == 4 && f[0] == "spirit" && rulers < 12, "yellow_road.tsv: " + line);
      Require(f[2] == "黄道" || f[2] == "黑道", "yellow_road.tsv: " + line);
      r.rulers[rulers++] = {f[1], f[2], f[3]};
    }
  }
  Require(rulers == 12, "yellow_road.tsv must hold twelve spirits");

  for (const auto& line : ReadLines(dir / "activity_order.txt")) r.order.push_back(line);
  const std::set<std::string> known(r.order.begin(), r.order.end());
  for (const auto& a : ReadLines(dir / "small_matters.txt")) {
    Require(known.count(a) == 1, "small_matters.txt: unknown activity " + a);
    r.smallMatters.insert(a);
  }

  for (const auto& line : ReadLines(dir / "spirits.tsv")) {
    const auto f = Fields(line);
    Require(f.size() >= 5, "spirits.tsv: " + line);
    SpiritRule s;
    s.name = f[0];
    Require(f[1] == "吉" || f[1] == "凶" || f[1] == "日", "spirits.tsv: " + line);
    s.good = f[1] == "吉";
    s.listed = f[1] != "日";
    s.rank = f[2];
    Require(s.rank == "德" || s.rank == "下下" || s.rank == "下" || s.rank == "-", "spirits.tsv: rank " + line);
    const std::string& basis = f[3];
    const size_t n = f.size() - 4;
    if (basis == "month") {
      s.basis = Basis::kMonth;
      Require(n == 12, "spirits.tsv: twelve months expected: " + line);
    } else if (basis == "season") {
      s.basis = Basis::kSeason;
      Require(n == 4, "spirits.tsv: four seasons expected: " + line);
    } else if (basis == "year") {
      s.basis = Basis::kYear;
      Require(n == 10, "spirits.tsv: ten year stems expected: " + line);
    } else if (basis == "lunarday" || basis == "termdays") {
      Require(n == 1, "spirits.tsv: one value expected: " + line);
      if (basis == "lunarday") {
        s.basis = Basis::kLunarDay;
        s.lunarDays = ParseLunarDays(f[4]);
      } else {
        s.basis = Basis::kTermDays;
        Require(f[4] == "伏" || f[4] == "社" || f[4] == "伏/社", "spirits.tsv: 伏 or 社 expected: " + line);
        s.termDays = f[4];
      }
    } else if (basis == "bujiang") {
      s.basis = Basis::kNoGeneral;
      Require(n == 1, "spirits.tsv: one value expected: " + line);
    } else if (basis == "any" || basis == "tuwang") {
      s.basis = basis == "any" ? Basis::kAny : Basis::kEarthRule;
      Require(n == 1, "spirits.tsv: one value expected: " + line);
    } else {
      Require(basis == "officer" && n == 1, "spirits.tsv: " + line);
      s.basis = Basis::kOfficer;
      for (int i = 0; i < 12; ++i)
        if (r.officers[i] == f[4]) s.officer = i;
      Require(s.officer >= 0, "spirits.tsv: unknown officer " + f[4]);
    }
    if (s.basis != Basis::kOfficer && s.basis != Basis::kNoGeneral && s.basis != Basis::kLunarDay &&
        s.basis != Basis::kTermDays)
      for (size_t i = 4; i < f.size(); ++i) s.values.push_back(ParseAlternatives(f[i]));
    r.spirits.push_back(std::move(s));
  }
  ReadUses(dir, r);

  for (const auto& f : ReadTsv(dir / "ji_weight.tsv", 2)) {
    const auto items = Split(f[1], ' ');
    if (f[0] == "limit") {
      r.jiLimit = static_cast<size_t>(std::stoi(f[1]));
    } else if (f[0] == "always") {
      r.jiAlways.insert(items.begin(), items.end());
    } else {
      Require(f[0] == "order", "ji_weight.tsv: " + f[0]);
      r.jiWeight = items;
    }
  }
  Require(std::set<std::string>(r.jiWeight.begin(), r.jiWeight.end()) == known && r.jiWeight.size() == known.size(),
          "ji_weight.tsv: the order must hold every activity once");
  Require(r.jiAlways.size() <= r.jiLimit && r.jiLimit > 0, "ji_weight.tsv: the limit must hold the activities always written");
  for (const auto& a : r.jiAlways) Require(known.count(a) == 1, "ji_weight.tsv: unknown activity " + a);

  // 不将 from 月厌 and the stems' palaces.
  for (const auto& f : ReadTsv(dir / "stem_palaces.tsv", 2))
    for (const Match& m : ParseAlternatives(f[1])) {
      Require(m.branch >= 0, "stem_palaces.tsv: " + f[1]);
      r.stemPalaces.at(StemIndex(f[0])).push_back(m.branch);
    }
  for (int s = 0; s < 10; ++s) Require(!r.stemPalaces[s].empty(), "stem_palaces.tsv: a stem is missing");
  const auto hate = std::find_if(r.spirits.begin(), r.spirits.end(), [](const SpiritRule& s) { return s.name == "月厌"; });
  Require(hate != r.spirits.end() && hate->basis == Basis::kMonth, "spirits.tsv needs the month row 月厌");
  for (int m = 0; m < 12; ++m) {
    Require(hate->values[m].size() == 1 && hate->values[m][0].branch >= 0, "月厌 needs one branch a month");
    r.monthHate[m] = hate->values[m][0].branch;
  }
  return r;
}

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
