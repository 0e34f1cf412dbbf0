// The wedding-day search gives the days it gave before the 忌 lines were
// shortened (tests/golden/wedding_days_2024_2027.tsv, taken from that
// build): the favourable days exactly, and the unfavourable ones with, in
// addition, only the days that now read 诸事不宜 because their 宜 ends in
// 馀事勿取.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>

#include "almanac/wedding_days.h"
#include "refdb/text.h"
#include "test_support.h"

namespace hehun {
namespace {

using DaysByKey = std::map<std::string, std::set<std::string>>;  // "结婚 宜" → days

DaysByKey GoldenDays() {
  std::ifstream in(std::string(HEHUN_SOURCE_DIR) + "/tests/golden/wedding_days_2024_2027.tsv");
  DaysByKey out;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const size_t a = line.find('\t'), b = line.find('\t', a + 1);
    out[line.substr(0, a) + " " + line.substr(a + 1, b - a - 1)].insert(line.substr(b + 1));
  }
  return out;
}

TEST(WeddingDaysGolden, SameDaysAsBeforeTheShortJiLines) {
  const DaysByKey golden = GoldenDays();
  ASSERT_EQ(golden.size(), 4u);
  RefDb db;
  CapturedMessages messages;
  DaysByKey now;
  for (int year = 2024; year <= 2027; ++year)
    for (const char* purpose : {"结婚", "订婚"})
      for (const char* kind : {"宜", "忌"}) {
        WeddingSearch search{{"张三", 0, "1990", "5", "1", "辰 8", "30"},
                             {"李四", 0, "1992", "10", "12", "未 14", "5"},
                             "一年以内",
                             purpose,
                             kind};
        LineList out;
        ASSERT_TRUE(RunWeddingDaySearch(search, out, messages, db, {year, 1, 1}));
        for (const auto& l : out.lines())
          if (l.size() >= 10 && l[0] >= '0' && l[0] <= '9' && l[4] == '-' && l[7] == '-')
            now[std::string(purpose) + " " + kind].insert(l.substr(0, 10));
      }
  for (const auto& [key, days] : golden) {
    SCOPED_TRACE(key);
    const auto& mine = now[key];
    if (key.ends_with("宜")) {
      EXPECT_EQ(mine, days);
      continue;
    }
    for (const auto& d : days) EXPECT_EQ(mine.count(d), 1u) << d << " is no longer listed";
    for (const auto& d : mine) {
      if (days.count(d)) continue;
      const Row row = db.First(Unguarded{}, RefFile::kBookFile, "SELECT yi, ji FROM huangdao WHERE gn = ?", {d});
      EXPECT_EQ(row.Text("ji"), "诸事不宜") << d;
      EXPECT_TRUE(row.Text("yi").ends_with("馀事勿取") || row.Text("yi") == "诸事不宜") << d << " " << row.Text("yi");
    }
  }
}

}  // namespace
}  // namespace hehun
