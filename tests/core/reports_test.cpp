// The marriage report and the personal report: golden files of whole
// reports through the command line, and the rules of reading, validating and
// laying out the report.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "bazi/chart.h"
#include "refdb/text.h"
#include "calendar/birth_row.h"
#include "reports/chart_block.h"
#include "reports/marriage_report.h"
#include "reports/personal_report.h"
#include "test_support.h"

namespace hehun {
namespace {

const Ymd kToday{2026, 12, 9};

TEST(GoldenReports, CommandLineOutputMatchesTheReviewedReports) {
  struct Case {
    const char* file;
    const char* args;
  } cases[] = {
      {"marriage_gregorian.txt", "marriage --man 张三,1990-05-01,08:30 --woman 李四,1992-10-12,14:05"},
      {"marriage_lunar.txt", "marriage --man 王五,1990-05-01,12:00,lunar --woman 赵六,1991-08-15,06:10,lunar"},
      {"marriage_before_new_year.txt", "marriage --man 陈一,1990-01-20,23:30 --woman 刘二,1984-02-04,10:00"},
      {"marriage_start_ages.txt", "marriage --man 周七,2021-02-03,23:30 --woman 吴八,1975-08-09,12:00"},
      {"marriage_same_animal.txt", "marriage --man 孙甲,1990-03-10,00:15 --woman 钱乙,1990-11-30,19:45"},
      {"personal_bazi.txt", "personal --name 郑九 --sex 女 --date 1990-01-01 --time 00:00"},
      {"personal_star.txt", "personal --name 冯十 --sex 男 --date 2001-04-21 --time 10:20 --star"},
      {"personal_lunar.txt", "personal --name 林一 --sex 男 --date 1990-01-01 --time 05:00 --lunar"},
  };
  for (const auto& c : cases) {
    int status = -1;
    const std::string out = test::RunProgram(std::string("hehun-cli ") + c.args + " --today 2026-12-09", "", &status);
    EXPECT_EQ(status, 0) << c.file;
    const std::string golden = test::ReadFile(std::string(HEHUN_SOURCE_DIR) + "/tests/golden/" + c.file);
    ASSERT_FALSE(golden.empty()) << c.file;
    if (out != golden) {
      std::istringstream a(out), b(golden);
      std::string la, lb;
      int n = 0;
      while (true) {
        const bool ga = static_cast<bool>(std::getline(a, la)), gb = static_cast<bool>(std::getline(b, lb));
        ++n;
        if (!ga && !gb) break;
        if (la != lb || ga != gb) {
          ADD_FAILURE() << c.file << " line " << n << ":\n  got    [" << la << "]\n  golden [" << lb << "]";
          break;
        }
      }
    }
  }
}

BirthRowTexts Row(const std::string& name, const std::string& y, const std::string& m, const std::string& d,
                  const std::string& h = "辰 8", const std::string& mi = "30", int calendar = 0) {
  return {name, calendar, y, m, d, h, mi};
}

int Count(const std::vector<std::string>& lines, std::string_view text) {
  return static_cast<int>(std::count(lines.begin(), lines.end(), std::string(text)));
}

TEST(MarriageReport, ValidationOrderAndMessages) {
  RefDb db;
  struct Case {
    BirthRowTexts man, woman;
    const char* message;
    ReportEnd end;
    bool nameMissing;
  } cases[] = {
      {Row("  ", "", "", "", ""), Row("", "", "", "", ""), "男方姓名不能为空!", ReportEnd::kManRowRefused, true},
      {Row("甲", "", "", "", ""), Row("", "", "", "", ""), "请选择男方出生年!", ReportEnd::kManRowRefused, false},
      {Row("甲", "1990", "", "", ""), Row("", "", "", "", ""), "请选择男方出生月!", ReportEnd::kManRowRefused, false},
      {Row("甲", "1990", "5", " ", ""), Row("", "", "", "", ""), "请选择男方出生日!", ReportEnd::kManRowRefused, false},
      {Row("甲", "1990", "5", "1", ""), Row("", "", "", "", ""), "请选择男方出生小时!", ReportEnd::kManRowRefused, false},
      {Row("甲", "1990", "5", "1"), Row("", "1991", "1", "1"), "女方姓名不能为空!", ReportEnd::kWomanRowRefused, true},
      {Row("甲", "1990", "5", "1"), Row("乙", "1991", "1", "1", ""), "请选择女方出生小时!", ReportEnd::kWomanRowRefused,
       false},
  };
  for (const auto& c : cases) {
    ReportArea area;
    area.Add("上一次的报告");
    MarriageHiddenLists hidden;
    CapturedMessages messages;
    const ReportResult r = RunMarriageReport(c.man, c.woman, area, hidden, messages, db, kToday);
    ASSERT_EQ(messages.entries.size(), 1u) << c.message;
    EXPECT_EQ(messages.entries[0].kind, CapturedMessages::Entry::kInfo);
    EXPECT_EQ(messages.entries[0].text, c.message);
    EXPECT_EQ(r.end, c.end) << c.message;
    EXPECT_EQ(r.nameMissing, c.nameMissing) << c.message;
    if (c.end == ReportEnd::kManRowRefused) {
      EXPECT_EQ(area.Text(), "上一次的报告");
    } else {
      // The man's half stays: header and chart block, nothing of the woman.
      EXPECT_EQ(area.lines().front(), "男方基本信息：");
      EXPECT_EQ(Count(area.lines(), "女方基本信息："), 0);
      EXPECT_GT(area.lines().size(), 50u);
    }
  }
}

TEST(MarriageReport, DatesThatCannotBeConvertedNameTheField) {
  RefDb db;
  struct Case {
    BirthRowTexts man, woman;
    const char* fieldWords;
    bool manHalfWritten;
  } cases[] = {
      {Row("甲", "1990", "2", "30"), Row("乙", "1991", "1", "1"), "男方的出生日期“1990-2-30”", false},
      {Row("甲", "1899", "5", "1"), Row("乙", "1991", "1", "1"), "男方的出生日期1899-05-01超出", false},
      {Row("甲", "abc", "5", "1"), Row("乙", "1991", "1", "1"), "男方的出生日期“abc-5-1”", false},
      {Row("甲", "1990", "5", "1"), Row("乙", "2021", "13", "1", "辰 8", "30", 1), "女方的农历出生月“13”", true},
      {Row("甲", "1990", "5", "0", "辰 8", "30", 1), Row("乙", "1991", "1", "1"), "男方的农历出生日“0”", false},
      {Row("甲", "1990", "5", "-2", "辰 8", "30", 1), Row("乙", "1991", "1", "1"), "男方的农历出生日“-2”", false},
      {Row("甲", "1990", "5", "1"), Row("乙", "1990", "00", "5", "辰 8", "30", 1), "女方的农历出生月“00”", true},
      {Row("甲", "九〇", "5", "1", "辰 8", "30", 1), Row("乙", "1991", "1", "1"), "男方的出生年“九〇”", false},
      {Row("甲", "1990", "5", "1"), Row("乙", "1900", "5", "1", "辰 8", "30", 1), "女方的农历出生日期", true},
      {Row("甲", "1990", "5", "1", "12"), Row("乙", "1991", "1", "1"), "男方的出生时辰“12”", false},
      {Row("甲", "1990", "5", "1", "辰 8", "x"), Row("乙", "1991", "1", "1"), "男方的出生分钟“x”", false},
  };
  for (const auto& c : cases) {
    ReportArea area;
    area.Add("上一次的报告");
    MarriageHiddenLists hidden;
    CapturedMessages messages;
    try {
      RunMarriageReport(c.man, c.woman, area, hidden, messages, db, kToday);
      ADD_FAILURE() << c.fieldWords << ": no error";
    } catch (const ConversionError& e) {
      EXPECT_NE(std::string(e.what()).find(c.fieldWords), std::string::npos) << e.what();
    }
    EXPECT_EQ(area.lines().front(), c.manHalfWritten ? "男方基本信息：" : "上一次的报告") << c.fieldWords;
  }
}

TEST(MarriageReport, SectionsSeparatorsAndCommonShensha) {
  RefDb db;
  ReportArea area;
  MarriageHiddenLists hidden;
  CapturedMessages messages;
  const ReportResult r = RunMarriageReport(Row("张三", "1990", "5", "1", "辰 8", "30"),
                                           Row("李四", "1992", "10", "12", "未 14", "5"), area, hidden, messages, db, kToday);
  EXPECT_EQ(r.end, ReportEnd::kComplete);
  EXPECT_TRUE(messages.entries.empty());
  const auto& lines = area.lines();
  EXPECT_EQ(lines.front(), "男方基本信息：");
  EXPECT_EQ(lines.back(), "特别声明：以上分析只做参考，即使分析不佳世上也有欢喜冤家或旷世奇缘的情感。");
  EXPECT_EQ(Count(lines, "<-----------------------八字合婚内容分隔线----------------------------->"), 7);
  EXPECT_EQ(Count(lines, std::string(72, '-')), 1);
  EXPECT_EQ(Count(lines, "姓名：张三 年龄：36岁  属相：马  星座：金牛座 "), 1);  // the sign keeps its blank
  EXPECT_EQ(Count(lines, "您出生公历：1990年05月01日8点30分"), 1);
  // Every labelled line of the matching sections says something.
  for (const char* label : {"命宫解析：", "合婚解析：", "生肖五行速配结果：", "六冲：", "六害：", "相刑：", "婚配建议：",
                            "相配结果：", "其他更多解释："})
    for (const auto& line : lines)
      if (line.rfind(label, 0) == 0) {
        EXPECT_GT(Utf8Length(line), Utf8Length(label) + 8) << line;
      }
  // The common names are those in both shensha lists, in the list's order.
  std::string common;
  for (const auto& line : lines)
    if (line.rfind("四柱神煞相同的有：", 0) == 0) common = line;
  // Both carry 披麻 and 吊客: each of the three mourning stars counts on its own.
  for (const char* name : {"披麻", "吊客"}) {
    EXPECT_TRUE(Contains(hidden.shenshaMan.Text(), name)) << name;
    EXPECT_TRUE(Contains(hidden.shenshaWoman.Text(), name)) << name;
  }
  EXPECT_EQ(common, "四柱神煞相同的有：太极贵人 国印贵人 将星 羊刃 寡宿 披麻 吊客 ");
  EXPECT_EQ(hidden.shenshaMan.lines().size(), 5u);
  EXPECT_EQ(hidden.boneWeightWoman.lines().size(), 4u);
}

TEST(MarriageReport, AgeCountsCalendarYearsAndTheLunarYearDecidesTheAnimal) {
  RefDb db;
  ReportArea area;
  MarriageHiddenLists hidden;
  CapturedMessages messages;
  RunMarriageReport(Row("陈一", "1990", "1", "20"), Row("", "", "", ""), area, hidden, messages, db, {2013, 1, 1});
  EXPECT_EQ(area.lines()[2], "姓名：陈一 年龄：23岁  属相：蛇  星座：水瓶座");
  EXPECT_EQ(area.lines()[4], "农历：己巳(蛇年)十二月廿四");
}

TEST(MarriageReport, AgeCountsFromTheYearNumberHoweverItIsTyped) {
  RefDb db;
  ReportArea area;
  MarriageHiddenLists hidden;
  CapturedMessages messages;
  RunMarriageReport(Row("甲", "01990", "5", "1"), Row("", "", "", ""), area, hidden, messages, db, kToday);
  EXPECT_EQ(area.lines()[2].substr(0, std::string("姓名：甲 年龄：36岁").size()), "姓名：甲 年龄：36岁");
  LineList out;
  PersonalInput in{"甲", "", "男", 0, "01990", "5", "1", "辰 8", "0"};
  ASSERT_TRUE(RunPersonalReport(in, PersonalMode::kBazi, out, messages, db, kToday));
  EXPECT_EQ(out.lines()[3], "年龄：36岁");
}

TEST(MarriageReport, ZodiacAdviceAndResultWording) {
  // 虎 (寅) and 猪 (亥) are 六合 and 相破; 猴 (申) and 蛇 (巳) are 六合, 相刑 and 相破.
  struct Case {
    const char *manYear, *womanYear, *manAdvice, *result;
  } cases[] = {
      {"1986", "1983", "婚配建议：宜配猪（亥）（六合，合中带破）、", "相配结果：男虎女猪，属相六合，合中带破，上等婚。"},
      {"1992", "1989", "婚配建议：宜配蛇（巳）（六合，合中带刑带破）、", "相配结果：男猴女蛇，属相六合，合中带刑带破，上等婚。"},
      {"1984", "1985", "婚配建议：宜配牛（丑）（六合）、", "相配结果：男鼠女牛，属相六合，上等婚。"},
      {"1990", "1990", "婚配建议：宜配羊（未）（六合）、", "相配结果：男马女马，属相相同，中等婚。"},
  };
  RefDb db;
  for (const auto& c : cases) {
    ReportArea area;
    MarriageHiddenLists hidden;
    CapturedMessages messages;
    RunMarriageReport(Row("甲", c.manYear, "6", "1"), Row("乙", c.womanYear, "6", "1"), area, hidden, messages, db,
                      kToday);
    std::string advice, result;
    for (const auto& line : area.lines()) {
      if (advice.empty() && line.rfind("婚配建议：", 0) == 0) advice = line;
      if (line.rfind("相配结果：", 0) == 0) result = line;
    }
    EXPECT_EQ(advice.substr(0, std::string(c.manAdvice).size()), c.manAdvice) << advice;
    EXPECT_EQ(result.substr(0, std::string(c.result).size()), c.result) << result;
  }
}

TEST(ChartBlock, GongluOfABirthAfterElevenAtNight) {
  // 1990-02-26 23:30: a 壬戌 day whose 子 hour takes the next day's stem, 壬子;
  // 戌 and 子 flank 亥, the 禄 of 壬.
  RefDb db;
  CapturedMessages messages;
  BaziChart chart;
  ASSERT_TRUE(ComputeBazi(chart, db, messages, 1990, 2, 26, 23, 2, 30, "男"));
  ASSERT_EQ(chart.DayStem + chart.DayBranch + chart.HourStem + chart.HourBranch, "壬戌壬子");
  LineList lines;
  WriteShenshaLines(lines, "四柱神煞：", chart, db);
  for (int p = 1; p <= 3; ++p) EXPECT_TRUE(Contains(lines.lines()[p], "拱禄")) << lines.lines()[p];
  EXPECT_FALSE(Contains(lines.lines()[4], "拱禄"));
}

TEST(ChartBlock, ShenshaLinesOfAKnownChart) {
  // 丁丑 甲辰 甲申 丙寅: the day stem 甲 sees 丑 as 天乙贵人 and 寅 as its 禄;
  // the day branch 申 (申子辰) has its 驿马 in 寅.
  RefDb db;
  CapturedMessages messages;
  BaziChart chart;
  ASSERT_TRUE(ComputeBazi(chart, db, messages, 1997, 4, 12, 3, 0, 13, "女"));
  ASSERT_EQ(chart.YearStem + chart.YearBranch + chart.MonthStem + chart.MonthBranch + chart.DayStem + chart.DayBranch +
                chart.HourStem + chart.HourBranch,
            "丁丑甲辰甲申丙寅");
  LineList lines;
  WriteShenshaLines(lines, "四柱神煞：", chart, db);
  ASSERT_EQ(lines.lines().size(), 5u);
  EXPECT_EQ(lines.lines()[0], "四柱神煞：");
  const auto has = [&](int line, const char* name) { return Contains(lines.lines()[line], name); };
  EXPECT_TRUE(lines.lines()[1].rfind("年柱：", 0) == 0);
  EXPECT_TRUE(has(1, "天乙贵人"));
  EXPECT_FALSE(has(2, "天乙贵人"));
  EXPECT_FALSE(has(3, "天乙贵人"));
  EXPECT_TRUE(has(4, "禄神"));
  EXPECT_TRUE(has(4, "驿马"));
  for (const auto& line : lines.lines()) {
    EXPECT_NE(line.back(), ' ') << line;
    EXPECT_EQ(line.find("：", 0), line.rfind("：")) << line;
  }
}

TEST(ChartBlock, AgeLabelsAndMinorPillars) {
  EXPECT_EQ(AgeLabel(5), "05岁");
  EXPECT_EQ(AgeLabel(12), "12岁");
  EXPECT_EQ(AgeLabel(101), "101岁");
  EXPECT_EQ(FlowYearName(1984), "甲子");
  BaziChart c;
  c.HourStemIdx = 1;  // 甲
  c.HourBranchIdx = 1;  // 子
  c.LuckReverse = 1;
  EXPECT_EQ(MinorPillar(c, 0), "甲子");
  EXPECT_EQ(MinorPillar(c, 1), "癸亥");
  c.LuckReverse = 0;
  EXPECT_EQ(MinorPillar(c, 1), "乙丑");
}

TEST(PersonalReport, ModesValidationAndWholeReplacement) {
  RefDb db;
  CapturedMessages messages;
  LineList out;
  out.Add("旧报告");
  PersonalInput in{"郑九", "", "女", 0, "", "", "", "", "0"};
  EXPECT_FALSE(RunPersonalReport(in, PersonalMode::kBazi, out, messages, db, kToday));
  ASSERT_EQ(messages.entries.size(), 1u);
  EXPECT_EQ(messages.entries[0].text, "请选择出生年!");
  EXPECT_EQ(out.Text(), "旧报告");

  in = {"郑九", "", "女", 0, "1990", "12", "31", "子 0", "0"};
  ASSERT_TRUE(RunPersonalReport(in, PersonalModeOfCaption("八字分析"), out, messages, db, {2013, 6, 1}));
  EXPECT_EQ(out.lines()[3], "年龄：23岁");
  EXPECT_EQ(Count(out.lines(), "<-----------------------批八字内容分隔线----------------------------->"), 4);
  EXPECT_EQ(out.lines().back(), "<-----------------------以上内容只作参考----------------------------->");

  in = {"冯十", "", "男", 0, "2001", "4", "21", "巳 10", "20"};
  ASSERT_TRUE(RunPersonalReport(in, PersonalModeOfCaption("星座分析"), out, messages, db, kToday));
  EXPECT_EQ(out.lines()[7], "星座：金牛座 ");
  EXPECT_EQ(Count(out.lines(), "<-----------------------星座分析内容分隔线--------------------------->"), 4);
  EXPECT_EQ(Count(out.lines(), "【情商解析】:"), 1);

  in = {"林一", "", "男", 1, "1990", "1", "1", "卯 5", "0"};
  ASSERT_TRUE(RunPersonalReport(in, PersonalMode::kBazi, out, messages, db, kToday));
  EXPECT_EQ(out.lines()[4], "您出生公历：1990年01月27日5点0分");

  // The star-sign report only prints the hour and minute.
  in = {"冯十", "", "男", 0, "2001", "4", "21", "10", "x"};
  ASSERT_TRUE(RunPersonalReport(in, PersonalMode::kStarSign, out, messages, db, kToday));
  EXPECT_EQ(out.lines()[4], "您出生公历：2001年04月21日点x分");
  EXPECT_THROW(RunPersonalReport(in, PersonalMode::kBazi, out, messages, db, kToday), ConversionError);

  const LineList before = out;
  in = {"林一", "", "男", 0, "2001", "2", "29", "卯 5", "0"};
  EXPECT_THROW(RunPersonalReport(in, PersonalMode::kBazi, out, messages, db, kToday), ConversionError);
  EXPECT_EQ(out.Text(), before.Text());
}

}  // namespace
}  // namespace hehun
