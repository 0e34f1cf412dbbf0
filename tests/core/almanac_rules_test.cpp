// The almanac's activities follow the manual's lists of uses and its
// writing rules on every day of the table, not only on the reference days.
#include <gtest/gtest.h>

#include <string>

#include "refdb/refdb.h"

namespace hehun {
namespace {

// How many days of `huangdao` match a condition (lists are written with
// single blanks, so " x " finds the whole entry x).
long CountDays(RefDb& db, const std::string& where) {
  const Row row = db.First(Unguarded{}, RefFile::kBookFile, "SELECT count(*) FROM huangdao WHERE " + where);
  return std::stol(row.Text(0));
}

std::string Has(const char* column, const char* entry) {
  return "(' ' || " + std::string(column) + " || ' ') LIKE '% " + entry + " %'";
}

const char* kDayBranch = "substr(suici, -2, 1)";
const char* kDayStem = "substr(suici, -3, 1)";
const char* kOfficer = "substr(wuhang, -2, 1)";

TEST(AlmanacRules, WritingRulesHoldOnEveryDay) {
  RefDb db;
  const struct {
    const char* rule;
    std::string where;
  } never[] = {
      {"天狗 on 寅 days: the prayers are not favoured", std::string(kDayBranch) + " = '寅' AND " + Has("yi", "祈福")},
      {"卯 days do not favour the channel", std::string(kDayBranch) + " = '卯' AND " + Has("yi", "开渠")},
      {"壬 days do not favour the well", std::string(kDayStem) + " = '壬' AND " + Has("yi", "掘井")},
      {"开日 does not favour burial", std::string(kOfficer) + " = '开' AND (" + Has("yi", "安葬") + " OR " +
                                            Has("yi", "破土") + ")"},
      {"a virtue meeting 天赦 or 天愿 forbids nothing",
       "(" + Has("jsyq", "天赦") + " OR " + Has("jsyq", "天愿") + ") AND (" + Has("jsyq", "天德") + " OR " +
           Has("jsyq", "月德") + " OR " + Has("jsyq", "天德合") + " OR " + Has("jsyq", "月德合") +
           ") AND ji <> '无' AND ji <> '诸事不宜'"},
      {"月恩 days write no taboo on trade", Has("jsyq", "月恩") + " AND " + Has("ji", "开市")},
      {"the taboo stands against a favour on a day without a virtue",
       "NOT (" + Has("jsyq", "天德") + " OR " + Has("jsyq", "月德") + " OR " + Has("jsyq", "天德合") + " OR " +
           Has("jsyq", "月德合") + " OR " + Has("jsyq", "天赦") + " OR " + Has("jsyq", "天愿") + ") AND " +
           Has("xsyq", "月刑") + " AND " + Has("yi", "嫁娶")},
      {"月破 and 四废 days are unfavourable to everything",
       "(" + Has("xsyq", "月破") + " OR " + Has("xsyq", "四废") + ") AND ji <> '诸事不宜'"},
      {"八专 keeps five days", Has("xsyq", "八专") + " AND substr(suici, -3, 2) IN ('乙卯', '辛酉', '戊戌')"},
      {"a day whose 宜 ends in 馀事勿取 reads 诸事不宜 under 忌", "yi LIKE '%馀事勿取' AND ji <> '诸事不宜'"},
      {"the 忌 line names at most five activities", "length(ji) - length(replace(ji, ' ', '')) >= 5"},
  };
  for (const auto& c : never) EXPECT_EQ(CountDays(db, c.where), 0) << c.rule;

  // The rules do not empty the lists: each favour occurs on many days.
  const struct {
    const char* rule;
    std::string where;
  } some[] = {
      {"月破 favours pulling down", Has("xsyq", "月破") + " AND " + Has("yi", "破屋")},
      {"天医 favours healing", Has("jsyq", "天医") + " AND " + Has("yi", "治病")},
      {"鸣吠 favours burial", Has("jsyq", "鸣吠") + " AND " + Has("yi", "安葬")},
      {"a virtue outweighs 月刑 for a wedding", Has("jsyq", "天德") + " AND " + Has("xsyq", "月刑") + " AND " +
                                                   Has("yi", "嫁娶")},
  };
  for (const auto& c : some) EXPECT_GT(CountDays(db, c.where), 10) << c.rule;
}

// Every spirit and day the lists of uses name is worked out: each spirit is
// written on its days, and its taboos hold where no virtue outweighs them.
TEST(AlmanacRules, EverySpiritOfTheListsIsWorkedOut) {
  RefDb db;
  for (const char* name : {"天贼", "土符", "地囊", "天狗", "四耗", "八风", "触水龙", "禄空", "上朔"})
    EXPECT_GT(CountDays(db, Has("xsyq", name)), 500) << name;
  const std::string virtue = "(" + Has("jsyq", "天德") + " OR " + Has("jsyq", "月德") + " OR " + Has("jsyq", "天德合") +
                             " OR " + Has("jsyq", "月德合") + " OR " + Has("jsyq", "天赦") + " OR " +
                             Has("jsyq", "天愿") + ")";
  const struct {
    const char* rule;
    std::string where;
  } never[] = {
      {"土符 and 地囊 forbid building and breaking ground",
       "(" + Has("xsyq", "土符") + " OR " + Has("xsyq", "地囊") + ") AND NOT " + virtue + " AND (" + Has("yi", "修造") +
           " OR " + Has("yi", "动土") + " OR " + Has("yi", "破土") + ")"},
      {"天狗 is the 戌 day of the month 申, a 满日",
       Has("xsyq", "天狗") + " AND (" + kDayBranch + " <> '戌' OR " + kOfficer + " <> '满')"},
      {"天狗 forbids the offerings", Has("xsyq", "天狗") + " AND NOT " + virtue + " AND " + Has("yi", "祭祀")},
      {"天贼 forbids opening the store even with a virtue", Has("xsyq", "天贼") + " AND " + Has("yi", "开仓")},
      {"四耗 forbids trade", Has("xsyq", "四耗") + " AND NOT " + virtue + " AND NOT (" + Has("jsyq", "月恩") + " OR " +
                                 Has("jsyq", "四相") + " OR " + Has("jsyq", "时德") + ") AND " + Has("yi", "开市")},
      {"触水龙 forbids fishing", Has("xsyq", "触水龙") + " AND " + Has("yi", "取渔")},
      {"上朔 forbids the prayers", Has("xsyq", "上朔") + " AND NOT " + virtue + " AND " + Has("yi", "祈福")},
      {"lunar 十二 and 十五 forbid grooming",
       "(nn LIKE '%十二 %' OR nn LIKE '%十五 %') AND NOT " + virtue + " AND " + Has("yi", "理发")},
  };
  for (const auto& c : never) EXPECT_EQ(CountDays(db, c.where), 0) << c.rule;

  // 2026-12-12, a 申 day of the month 子, is a 土符 day; 上朔 of a 甲 year is 癸亥.
  const Row day = db.First(Unguarded{}, RefFile::kBookFile, "SELECT xsyq, yi, ji FROM huangdao WHERE gn = '2026-12-12'");
  EXPECT_NE((" " + day.Text(0) + " ").find(" 土符 "), std::string::npos) << day.Text(0);
  for (const char* a : {" 修造 ", " 动土 ", " 破土 "}) {
    EXPECT_EQ((" " + day.Text(1) + " ").find(a), std::string::npos) << day.Text(1);
  }
  EXPECT_EQ(CountDays(db, Has("xsyq", "上朔") + " AND substr(suici, 1, 1) = '甲' AND substr(suici, -3, 2) <> '癸亥'"), 0);
}

// The first days of the three 伏 of 2024 (7-15, 7-25, 8-14) and its 春社
// (3-15, the fifth 戊 day from 立春) do not favour bathing.
TEST(AlmanacRules, FuAndSheDaysForbidBathing) {
  RefDb db;
  for (const char* d : {"2024-07-15", "2024-07-25", "2024-08-14", "2024-03-15"}) {
    const Row row = db.First(Unguarded{}, RefFile::kBookFile, "SELECT yi FROM huangdao WHERE gn = ?", {d});
    EXPECT_EQ((" " + row.Text(0) + " ").find(" 沐浴 "), std::string::npos) << d << " " << row.Text(0);
  }
  EXPECT_GT(CountDays(db, Has("yi", "沐浴")), 5000);
}

// 天医 stands at 戌 in the month 寅 and moves on one branch a month, so it
// always falls on the officer 成.
TEST(AlmanacRules, HeavenlyPhysicianByTheMonth) {
  RefDb db;
  EXPECT_GT(CountDays(db, Has("jsyq", "天医")), 6000);
  EXPECT_EQ(CountDays(db, Has("jsyq", "天医") + " <> (" + kOfficer + " = '成')"), 0);
  const Row day = db.First(Unguarded{}, RefFile::kBookFile, "SELECT jsyq FROM huangdao WHERE gn = '2008-08-08'");
  EXPECT_NE((" " + day.Text(0) + " ").find(" 天医 "), std::string::npos) << day.Text(0);
}

}  // namespace
}  // namespace hehun
