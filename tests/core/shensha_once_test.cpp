// Each shensha name stands once on its pillar's line, however many rule
// files give it: checked over reports of random births (fixed seed).
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <sstream>
#include <string>

#include "refdb/text.h"
#include "reports/personal_report.h"

namespace hehun {
namespace {

TEST(ShenshaOnce, NoPillarListsANameTwiceOverRandomReports) {
  static const char* const kHours[] = {"子 0", "丑 2", "寅 4", "卯 6", "辰 8", "巳 10",
                                       "午 12", "未 14", "申 16", "酉 18", "戌 20", "亥 22"};
  std::mt19937 random(20);
  std::uniform_int_distribution<int> year(1901, 2099), month(1, 12), day(1, 28), hour(0, 11), sex(0, 1);
  RefDb db;
  int pillarLines = 0;
  for (int n = 0; n < 300; ++n) {
    const PersonalInput in{"测试", "", sex(random) ? "男" : "女", 0,
                           std::to_string(year(random)), std::to_string(month(random)), std::to_string(day(random)),
                           kHours[hour(random)], "30"};
    CapturedMessages messages;
    LineList report;
    ASSERT_TRUE(RunPersonalReport(in, PersonalMode::kBazi, report, messages, db, {2026, 12, 9}))
        << in.year << "-" << in.month << "-" << in.day;
    for (const std::string& line : report.lines()) {
      bool pillar = false;
      for (const char* label : {"年柱：", "月柱：", "日柱：", "时柱："}) pillar = pillar || line.rfind(label, 0) == 0;
      if (!pillar) continue;
      ++pillarLines;
      std::istringstream names(line.substr(std::string("年柱：").size()));
      std::set<std::string> seen;
      std::string name;
      while (names >> name) EXPECT_TRUE(seen.insert(name).second) << in.year << "-" << in.month << "-" << in.day << " " << line;
    }
  }
  EXPECT_EQ(pillarLines, 1200);
}

}  // namespace
}  // namespace hehun
