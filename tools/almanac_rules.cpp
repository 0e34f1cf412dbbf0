#include "tools/almanac_rules.h"

#include <algorithm>
#include <map>
#include <stdexcept>

#include "refdb/ganzhi.h"
#include "tools/almanac_spirits.h"
#include "tools/refdb_writer.h"

namespace fs = std::filesystem;

namespace hehun::tools {

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
namespace {

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

}  // namespace

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

}  // namespace hehun::tools
