// What one database session (one user action) keeps: each rule file and
// each answer is read once per session, and the next session reads the files
// anew, so a file changed or replaced between two actions is seen at the
// second; a read that failed is not kept.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <fstream>

#include "bazi/chart.h"
#include "bazi/shensha.h"
#include "refdb/gbk.h"
#include "refdb/lookups.h"
#include "refdb/messages.h"
#include "refdb/refdb.h"
#include "reports/chart_block.h"
#include "refdb/line_sink.h"
#include "test_support.h"

namespace hehun {
namespace {

// A data folder of its own, with the shensha rule files written in GBK.
class DataFolder {
 public:
  DataFolder() {
    std::filesystem::create_directories(dir_.path() / "shensha");
    SetDataDirOverride(dir_.path());
  }
  ~DataFolder() { SetDataDirOverride({}); }
  const std::filesystem::path& path() const { return dir_.path(); }
  void WriteRules(const std::string& file, const std::string& utf8) {
    std::ofstream(dir_.path() / "shensha" / file, std::ios::binary | std::ios::trunc) << gbk::FromUtf8(utf8);
  }

 private:
  test::TempDir dir_;
};

// Writes a Tgcode.dll whose only nayin row is 甲子 → `nayin`, built beside
// the target and moved over it, as a replaced file arrives.
void WriteTgcode(const std::filesystem::path& dir, const std::string& nayin) {
  const auto fresh = dir / "Tgcode.dll.new";
  std::filesystem::remove(fresh);
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(fresh.string().c_str(), &db), SQLITE_OK);
  const std::string sql = "CREATE TABLE jiazi (jiazi TEXT NOT NULL, layin TEXT NOT NULL);"
                          "INSERT INTO jiazi VALUES ('甲子', '" + nayin + "');";
  EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);
  std::filesystem::rename(fresh, dir / "Tgcode.dll");
}

TEST(SessionReads, RuleFileChangedBetweenActionsIsReadAnew) {
  DataFolder folder;
  folder.WriteRules("niangan.txt", "天乙贵人 甲:丑未\n");
  {
    RefDb action;  // first click
    EXPECT_EQ(ShenshaYearStem(action, "甲", "丑"), "天乙贵人");
    // Within the action the file is read once: a change now is not seen.
    folder.WriteRules("niangan.txt", "太极贵人 甲:子午\n");
    EXPECT_EQ(ShenshaYearStem(action, "甲", "丑"), "天乙贵人");
    EXPECT_EQ(ShenshaYearStem(action, "甲", "子"), "");
  }
  {
    RefDb action;  // second click: the changed file
    EXPECT_EQ(ShenshaYearStem(action, "甲", "丑"), "");
    EXPECT_EQ(ShenshaYearStem(action, "甲", "子"), "太极贵人");
  }
  std::filesystem::remove(folder.path() / "shensha" / "niangan.txt");
  {
    RefDb action;  // third click: the file is gone, which is an error again
    EXPECT_THROW(ShenshaYearStem(action, "甲", "子"), UserError);
    // A failed read is not kept: the file put back is found at the next routine.
    folder.WriteRules("niangan.txt", "太极贵人 甲:子午\n");
    EXPECT_EQ(ShenshaYearStem(action, "甲", "子"), "太极贵人");
  }
}

TEST(SessionReads, ChartShenshaLinesFollowTheFilesOfEachAction) {
  DataFolder folder;
  for (const char* f : {"niangan.txt", "nianzhi.txt", "yuezhi.txt", "rigan.txt", "rizhi.txt", "rizhu.txt", "rizhus.txt"})
    folder.WriteRules(f, "");
  folder.WriteRules("rigan.txt", "禄神   庚:申\n");
  BaziChart chart;
  chart.YearStem = "庚", chart.YearBranch = "午", chart.MonthStem = "甲", chart.MonthBranch = "申";
  chart.DayStem = "庚", chart.DayBranch = "辰", chart.HourStem = "庚", chart.HourBranch = "辰";
  const auto lines = [&] {
    RefDb action;
    LineList out;
    WriteShenshaLines(out, "四柱神煞：", chart, action);
    return out.lines();
  };
  const auto first = lines();
  ASSERT_EQ(first.size(), 5u);
  EXPECT_EQ(first[2], "月柱：禄神");
  folder.WriteRules("rigan.txt", "羊刃   庚:酉,庚:申\n");
  const auto second = lines();
  EXPECT_EQ(second[2], "月柱：羊刃");
}

TEST(SessionReads, DatabaseReplacedBetweenActionsIsSeenAtTheNext) {
  test::TempDir dir;
  WriteTgcode(dir.path(), "甲");
  {
    RefDb action(dir.path());
    EXPECT_EQ(NayinOf(action, "甲子"), "甲");
    WriteTgcode(dir.path(), "乙");
    // The action keeps the state it began reading.
    EXPECT_EQ(NayinOf(action, "甲子 "), "甲");
    EXPECT_EQ(action.First(Swallow{}, RefFile::kTgcode, "SELECT layin FROM jiazi WHERE jiazi = ?", {"甲子"})
                  .Text("layin"),
              "甲");
  }
  {
    RefDb action(dir.path());
    EXPECT_EQ(NayinOf(action, "甲子"), "乙");
    EXPECT_EQ(action.First(Swallow{}, RefFile::kTgcode, "SELECT layin FROM jiazi WHERE jiazi = ?", {"甲子"})
                  .Text("layin"),
              "乙");
  }
}

TEST(SessionReads, FailedLookupIsAskedAgain) {
  // A database that is missing when the action starts and arrives during it
  // is read at the next lookup, as when every lookup opened its own query.
  test::TempDir dir;
  RefDb action(dir.path());
  EXPECT_EQ(NayinOf(action, "甲子"), "");
  EXPECT_TRUE(action.First(Swallow{}, RefFile::kTgcode, "SELECT layin FROM jiazi").failed());
  WriteTgcode(dir.path(), "丙");
  EXPECT_EQ(NayinOf(action, "甲子"), "丙");
  EXPECT_EQ(action.First(Swallow{}, RefFile::kTgcode, "SELECT layin FROM jiazi").Text("layin"), "丙");
}

TEST(SessionReads, ManyChartsInOneActionGiveTheChartsOfSeparateActions) {
  // The solar terms, nayin and ten gods kept by one session give the same
  // charts as a fresh session for each.
  CapturedMessages messages;
  RefDb shared;
  const int births[][5] = {{1984, 2, 4, 10, 0}, {1984, 12, 30, 8, 0}, {1985, 1, 3, 23, 30}, {2000, 1, 1, 12, 0},
                           {1975, 8, 8, 8, 0},  {1984, 2, 4, 23, 50}, {2100, 12, 31, 23, 0}, {1900, 1, 31, 0, 0}};
  for (const char* sex : {"男", "女"})
    for (const auto& b : births) {
      BaziChart inShared, alone;
      ASSERT_TRUE(ComputeBazi(inShared, shared, messages, b[0], b[1], b[2], b[3], 0, b[4], sex));
      RefDb fresh;
      ASSERT_TRUE(ComputeBazi(alone, fresh, messages, b[0], b[1], b[2], b[3], 0, b[4], sex));
      const auto all = [](const BaziChart& c) {
        return c.YearStem + c.YearBranch + c.MonthStem + c.MonthBranch + c.DayStem + c.DayBranch + c.HourStem +
               c.HourBranch + "|" + std::to_string(c.BeforeJie) + "|" + c.ConceptionPillar + "|" +
               std::to_string(c.LuckReverse) + c.StartAgeText + "|" + c.LuckPillars + "|" + c.LuckNayinLine + "|" +
               c.LuckTenGodLine;
      };
      EXPECT_EQ(all(inShared), all(alone)) << b[0] << "-" << b[1] << "-" << b[2] << " " << sex;
    }
}

}  // namespace
}  // namespace hehun
