// The almanac's rule tables as the generator reads them from data/almanac:
// the spirits and their rules, the manual's lists of uses, the writing rules
// and the smaller tables (彭祖百忌, 胎神, 建除, the order of writing).
#pragma once

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "tools/almanac_rule_text.h"

namespace hehun::tools {

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

// 不将: whether the day (0..59) is one in the month numbered from 寅.
bool NoGeneral(const Rules& r, int monthNo, int day);

// Reads every rule table of the folder, checking them against each other.
Rules ReadRules(const std::filesystem::path& dir);

}  // namespace hehun::tools
