// Shensha rules: the line grammar on small fixture files, and the installed
// rule files on charts whose markers are known from the traditional rules.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "bazi/chart.h"
#include "bazi/shensha.h"
#include "reports/chart_block.h"
#include "refdb/line_sink.h"
#include "refdb/gbk.h"
#include "refdb/refdb.h"
#include "refdb/text.h"
#include "test_support.h"

namespace hehun {
namespace {

// A data folder with its own shensha rule files (written in GBK).
class RuleFixture {
 public:
  RuleFixture() { std::filesystem::create_directories(dir_.path() / "shensha"); SetDataDirOverride(dir_.path()); }
  ~RuleFixture() { SetDataDirOverride({}); }
  void Write(const std::string& file, const std::string& utf8) {
    std::ofstream(dir_.path() / "shensha" / file, std::ios::binary) << gbk::FromUtf8(utf8);
    session_.reset();
  }
  // The session of a user action after the last write: it reads each rule
  // file once, as the files now stand.
  RefDb& Session() {
    if (!session_) session_ = std::make_unique<RefDb>();
    return *session_;
  }

 private:
  test::TempDir dir_;
  std::unique_ptr<RefDb> session_;
};

TEST(ShenshaGrammar, NameFieldItemsKeysAndValues) {
  const auto rule = ParseShenshaRuleLine("天乙贵人 甲戊:丑未,乙己:子申");
  EXPECT_EQ(rule.name, "天乙贵人");
  ASSERT_EQ(rule.items.size(), 2u);
  EXPECT_EQ(rule.items[0].key, "甲戊");
  EXPECT_EQ(rule.items[0].value, "丑未");
  EXPECT_EQ(rule.items[1].key, "乙己");
  EXPECT_EQ(rule.items[1].value, "子申");
  EXPECT_EQ(ParseShenshaRuleLine("华盖   子:辰").name, "华盖");
  // A value is cut to five characters; the key is kept as it stands.
  EXPECT_EQ(ParseShenshaRuleLine("空亡 戌亥:甲子乙丑丙寅").items[0].value, "甲子乙丑丙");
  // An item without a colon has an empty key.
  const auto noColon = ParseShenshaRuleLine("金神   乙丑己巳");
  ASSERT_EQ(noColon.items.size(), 1u);
  EXPECT_EQ(noColon.items[0].key, "");
  EXPECT_EQ(noColon.items[0].value, "乙丑己巳");
  // At most 21 items.
  std::string many = "多项   ";
  for (int i = 1; i <= 25; ++i) many += (i > 1 ? "," : "") + std::string("子:") + std::to_string(i);
  const auto limited = ParseShenshaRuleLine(many);
  ASSERT_EQ(limited.items.size(), 21u);
  EXPECT_EQ(limited.items.back().value, "21");
}

TEST(ShenshaRoutines, ScanLinesAndExtraChecks) {
  RuleFixture f;
  f.Write("niangan.txt", "天乙贵人 甲戊:丑未,甲庚:未\n华盖   甲:寅午戌\n");
  EXPECT_EQ(ShenshaYearStem(f.Session(), "甲", "未"), "天乙贵人 天乙贵人");
  EXPECT_EQ(ShenshaYearStem(f.Session(), "甲", "午"), "华盖");

  // Value cut: a branch written sixth is not found.
  f.Write("rigan.txt", "远     甲:丑寅卯辰巳午\n");
  EXPECT_EQ(ShenshaDayStem(f.Session(), "甲", "巳"), "远");
  EXPECT_EQ(ShenshaDayStem(f.Session(), "甲", "午"), "");

  // nianzhi: lines 1 to 14 only; line 3 forward, line 4 backward.
  std::string nianzhi;
  for (int i = 1; i <= 15; ++i) nianzhi += "第" + std::to_string(i) + (i < 10 ? "行  " : "行 ") + "子:丑\n";
  f.Write("nianzhi.txt", nianzhi);
  const std::string forward = ShenshaYearBranch(f.Session(), "子", "丑", 0, 0);
  EXPECT_NE(forward.find("第3行"), std::string::npos);
  EXPECT_EQ(forward.find("第4行"), std::string::npos);
  EXPECT_EQ(forward.find("第15行"), std::string::npos);
  const std::string backward = ShenshaYearBranch(f.Session(), "子", "丑", 0, 1);
  EXPECT_EQ(backward.find("第3行"), std::string::npos);
  EXPECT_NE(backward.find("第4行"), std::string::npos);

  // Extra checks after a scan that matches nothing.
  f.Write("nianzhi.txt", "红鸾   子:卯\n");
  EXPECT_EQ(ShenshaYearBranch(f.Session(), "子", "戌", 0, 0), "披麻");
  EXPECT_EQ(ShenshaYearBranch(f.Session(), "子", "寅", 0, 0), "吊客");
  EXPECT_EQ(ShenshaYearBranch(f.Session(), "子", "卯", 0, 0), "红鸾 丧门");
  EXPECT_EQ(ShenshaYearBranch(f.Session(), "子", "丑", 0, 0), "");
  // An empty file gives nothing, not even the extra checks.
  f.Write("nianzhi.txt", "");
  EXPECT_EQ(ShenshaYearBranch(f.Session(), "子", "戌", 0, 0), "");

  // rizhi: only the first seven lines.
  std::string rizhi;
  for (int i = 1; i <= 8; ++i) rizhi += "日" + std::to_string(i) + "   子:丑\n";
  f.Write("rizhi.txt", rizhi);
  const std::string day = ShenshaDayBranch(f.Session(), "子", "丑", 0);
  EXPECT_NE(day.find("日7"), std::string::npos);
  EXPECT_EQ(day.find("日8"), std::string::npos);

  // rizhu: an empty value matches on lines 1 to 5 only; from line 6 the key
  // is tested with the pillar's branch.
  f.Write("rizhu.txt", "一     x\n二     庚辰:\n三     x\n四     x\n五     x\n六     庚辰:\n空亡   戌亥:甲子乙丑\n");
  EXPECT_EQ(ShenshaDayPillar(f.Session(), "庚辰", "壬午"), "二");
  EXPECT_EQ(ShenshaDayPillar(f.Session(), "壬戌", "乙丑"), "空亡");

  // rizhus: an empty key matches whenever the value holds the hour pillar.
  f.Write("rizhus.txt", "拱禄   癸亥:癸丑,:甲子\n");
  EXPECT_EQ(ShenshaDayPillarExtra(f.Session(), "癸亥", "癸丑"), "拱禄");
  EXPECT_EQ(ShenshaDayPillarExtra(f.Session(), "丙寅", "甲子"), "拱禄");
  EXPECT_EQ(ShenshaDayPillarExtra(f.Session(), "丙寅", "乙丑"), "");

  // yuezhi: the value may hold the stem or the branch.
  f.Write("yuezhi.txt", "天德贵人 寅:丁,卯:申\n");
  EXPECT_EQ(ShenshaMonthBranch(f.Session(), "寅", "丁", "卯"), "天德贵人");
  EXPECT_EQ(ShenshaMonthBranch(f.Session(), "卯", "甲", "申"), "天德贵人");
  EXPECT_EQ(ShenshaMonthBranch(f.Session(), "卯", "丁", "寅"), "");
}

TEST(ShenshaRoutines, MissingRuleFileIsAnError) {
  RuleFixture f;
  RefDb db;
  EXPECT_THROW(ShenshaYearStem(db, "甲", "丑"), UserError);
}

TEST(ShenshaRoutines, PillarLinesReadTheFilesInTheirOrder) {
  // With no rule file at all, the error names the file read first; with
  // each file present in turn, it names the next one of the order.
  RuleFixture f;
  BaziChart chart;
  chart.YearStem = "庚", chart.YearBranch = "午", chart.MonthStem = "辛", chart.MonthBranch = "巳";
  chart.DayStem = "庚", chart.DayBranch = "辰", chart.HourStem = "庚", chart.HourBranch = "辰";
  const char* order[] = {"niangan.txt", "nianzhi.txt", "yuezhi.txt", "rigan.txt", "rizhi.txt", "rizhu.txt", "rizhus.txt"};
  for (const char* missing : order) {
    RefDb db;
    LineList lines;
    try {
      WriteShenshaLines(lines, "四柱神煞：", chart, db);
      ADD_FAILURE() << missing << ": no error";
    } catch (const UserError& e) {
      EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << e.what();
    }
    f.Write(missing, "某     子:丑\n");
  }
  RefDb db;
  LineList lines;
  WriteShenshaLines(lines, "四柱神煞：", chart, db);
  EXPECT_EQ(lines.lines().size(), 5u);
}

TEST(ShenshaRuleFiles, KnownMarkersOfTheTradition) {
  RefDb b;
  // 天乙贵人: 甲戊庚 see 丑未.
  EXPECT_NE(ShenshaDayStem(b, "甲", "丑").find("天乙贵人"), std::string::npos);
  EXPECT_NE(ShenshaYearStem(b, "甲", "未").find("天乙贵人"), std::string::npos);
  EXPECT_EQ(ShenshaDayStem(b, "甲", "子").find("天乙贵人"), std::string::npos);
  // 禄神 and 羊刃 of 甲: 寅 and 卯.
  EXPECT_NE(ShenshaDayStem(b, "甲", "寅").find("禄神"), std::string::npos);
  EXPECT_NE(ShenshaDayStem(b, "甲", "卯").find("羊刃"), std::string::npos);
  // 驿马 of 申子辰 is 寅; 华盖 辰; 将星 子; 咸池 酉.
  EXPECT_NE(ShenshaYearBranch(b, "子", "寅", 0, 0).find("驿马"), std::string::npos);
  EXPECT_NE(ShenshaDayBranch(b, "申", "辰", 8).find("华盖"), std::string::npos);
  EXPECT_NE(ShenshaDayBranch(b, "辰", "子", 4).find("将星"), std::string::npos);
  EXPECT_NE(ShenshaDayBranch(b, "子", "酉", 0).find("咸池"), std::string::npos);
  // 红鸾 of a 子 year is 卯, 天喜 酉.
  EXPECT_NE(ShenshaYearBranch(b, "子", "卯", 0, 0).find("红鸾"), std::string::npos);
  EXPECT_NE(ShenshaYearBranch(b, "子", "酉", 0, 0).find("天喜"), std::string::npos);
  // 天德 of the 寅 month is 丁; 月德 of 寅午戌 months is 丙.
  EXPECT_NE(ShenshaMonthBranch(b, "寅", "丁", "酉").find("天德贵人"), std::string::npos);
  EXPECT_NE(ShenshaMonthBranch(b, "午", "丙", "子").find("月德贵人"), std::string::npos);
  // 魁罡 on the day pillar 庚辰; 空亡 of the 甲子 decade is 戌亥.
  EXPECT_NE(ShenshaDayPillar(b, "庚辰", "庚辰").find("魁罡贵人"), std::string::npos);
  EXPECT_NE(ShenshaDayPillar(b, "壬戌", "甲子").find("空亡"), std::string::npos);
  EXPECT_EQ(ShenshaDayPillar(b, "壬申", "甲子").find("空亡"), std::string::npos);
}

TEST(ShenshaRuleFiles, DayStemTablesOfXuetangCiguanAndHongyan) {
  RefDb b;
  // 学堂 at the day stem's 长生 branch, 词馆 by the ten-stem table, 红艳 by
  // the day stem; each stem sees exactly its own branch.
  struct Case {
    const char* name;
    const char* branches;  // for 甲 乙 丙 丁 戊 己 庚 辛 壬 癸
  } cases[] = {{"学堂", "亥午寅酉寅酉巳子申卯"}, {"词馆", "寅卯巳午巳午申酉亥戌"}, {"红艳", "午午寅未辰辰戌酉子申"}};
  const std::string stems = "甲乙丙丁戊己庚辛壬癸";
  const std::string branches = "子丑寅卯辰巳午未申酉戌亥";
  for (const auto& c : cases)
    for (int s = 0; s < 10; ++s)
      for (int br = 0; br < 12; ++br) {
        const std::string stem = Utf8CharAt(stems, s), branch = Utf8CharAt(branches, br);
        const bool expected = branch == Utf8CharAt(c.branches, s);
        const std::string names = " " + ShenshaDayStem(b, stem, branch) + " ";
        EXPECT_EQ(names.find(" " + std::string(c.name) + " ") != std::string::npos, expected)
            << c.name << " " << stem << " " << branch << ": " << names;
      }
  // The year stem no longer gives them.
  for (int s = 0; s < 10; ++s)
    for (int br = 0; br < 12; ++br) {
      const std::string names = ShenshaYearStem(b, Utf8CharAt(stems, s), Utf8CharAt(branches, br));
      EXPECT_EQ(names.find("学堂"), std::string::npos) << names;
      EXPECT_EQ(names.find("词馆"), std::string::npos) << names;
    }
}

TEST(ShenshaRuleFiles, GongluPairsOfDayAndHour) {
  RefDb b;
  // The six day and hour pairs that flank the day stem's 禄; the last one
  // only arises from a birth after 23:00 (1990-02-26 23:30, 壬戌 day).
  for (auto [day, hour] : {std::pair{"癸亥", "癸丑"}, {"癸丑", "癸亥"}, {"丁巳", "丁未"}, {"己未", "己巳"},
                           {"戊辰", "戊午"}, {"壬戌", "壬子"}})
    EXPECT_EQ(ShenshaDayPillarExtra(b, day, hour), "拱禄") << day << hour;
  EXPECT_EQ(ShenshaDayPillarExtra(b, "壬戌", "庚子"), "");
  EXPECT_EQ(ShenshaDayPillarExtra(b, "壬子", "壬戌"), "");
}

TEST(ShenshaRuleFiles, ReadmeDescribesEveryRuleLine) {
  // Each line of each file has its entry "第N行 NAME" under the file's heading.
  const std::string readme = test::ReadFile(std::string(HEHUN_SOURCE_DIR) + "/data/shensha/README");
  for (const char* f : {"niangan.txt", "nianzhi.txt", "yuezhi.txt", "rigan.txt", "rizhi.txt", "rizhu.txt", "rizhus.txt"}) {
    const size_t start = readme.find(std::string("\n") + f + "（");
    ASSERT_NE(start, std::string::npos) << f;
    const size_t end = readme.find("\n\n", start + 1);
    const std::string section = readme.substr(start, end - start);
    const auto b = ReadShenshaRuleFile(f);
    for (size_t i = 0; i < b.size(); ++i) {
      const std::string name = ParseShenshaRuleLine(b[i]).name;
      const std::string entry = "第" + std::to_string(i + 1) + "行 " + name;
      EXPECT_NE(section.find(entry), std::string::npos) << f << ": " << entry;
    }
    EXPECT_EQ(section.find("第" + std::to_string(b.size() + 1) + "行"), std::string::npos) << f;
  }
}

TEST(ShenshaRuleFiles, EveryComparedNameHasARuleButTheInexpressibleOnes) {
  std::string all;
  for (const char* f : {"niangan.txt", "nianzhi.txt", "yuezhi.txt", "rigan.txt", "rizhi.txt", "rizhu.txt", "rizhus.txt"}) {
    const auto b = ReadShenshaRuleFile(f);
    ASSERT_FALSE(b.empty()) << f;
    for (const auto& line : b) {
      const auto rule = ParseShenshaRuleLine(line);
      EXPECT_FALSE(rule.items.empty()) << f << ": " << line;
      for (const auto& item : rule.items) EXPECT_LE(gbk::ByteLength(item.value), 10) << f << ": " << line;
      all += " " + rule.name + " ";
    }
  }
  const std::string readme = test::ReadFile(std::string(HEHUN_SOURCE_DIR) + "/data/shensha/README");
  for (auto name : kComparedShenshaNames) {
    if (name == "披麻" || name == "吊客" || name == "丧门") continue;  // from the extra checks
    const bool inFiles = all.find(" " + std::string(name) + " ") != std::string::npos;
    const bool leftOut = name == "三奇贵人" || name == "天赦" || name == "四废";
    EXPECT_TRUE(inFiles != leftOut) << name;
    if (leftOut) {
      EXPECT_NE(readme.find(std::string(name)), std::string::npos) << name;
    }
  }
}

}  // namespace
}  // namespace hehun
