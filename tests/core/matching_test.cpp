// The function page's matchings: zodiac relations with the marriage report's
// priority, star-sign aspects and scores, blood types, the readings of every
// pair, the defaults from a birth row, and the command line.
#include <gtest/gtest.h>

#include <set>

#include "bazi/matching.h"
#include "reports/match_lines.h"
#include "refdb/refdb.h"
#include "test_support.h"

namespace hehun {
namespace {

int Animal(std::string_view a) { return IndexOf(kZodiacAnimals, a); }

TEST(ZodiacMatch, RelationsFollowTheTraditionalRulesWithTheReportsPriority) {
  const struct {
    const char *a, *b, *relation, *grade, *detail;
    std::vector<std::string> others;
  } cases[] = {
      {"鼠", "牛", "六合", "上等", "子丑六合", {}},
      {"虎", "猪", "六合", "上等", "寅亥六合", {"相破（寅亥相破）"}},  // 寅亥 also break
      {"猴", "鼠", "三合", "上等", "申子辰三合水局", {}},
      {"兔", "羊", "三合", "上等", "亥卯未三合木局", {}},
      {"马", "狗", "三合", "上等", "寅午戌三合火局", {}},
      {"龙", "龙", "同属相", "中等", "辰辰同属", {"相刑（辰辰自刑）"}},
      {"牛", "牛", "同属相", "中等", "丑丑同属", {}},
      {"鼠", "马", "六冲", "下等", "子午相冲", {}},
      {"虎", "猴", "六冲", "下等", "寅申相冲", {"相刑（寅申相刑，属寅巳申无恩之刑）"}},
      {"鼠", "羊", "六害", "下等", "子未相害", {}},
      {"虎", "蛇", "六害", "下等", "寅巳相害", {"相刑（寅巳相刑，属寅巳申无恩之刑）"}},
      {"鼠", "兔", "相刑", "下等", "子卯无礼之刑", {}},
      {"牛", "狗", "相刑", "下等", "丑戌相刑，属丑戌未恃势之刑", {}},
      {"羊", "狗", "相刑", "下等", "未戌相刑，属丑戌未恃势之刑", {"相破（未戌相破）"}},
      {"鼠", "鸡", "相破", "中等", "子酉相破", {}},
      {"兔", "马", "相破", "中等", "卯午相破", {}},
      {"鼠", "虎", "无", "中等", "亦无刑、害、破", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.a) + c.b);
    const ZodiacMatch m = MatchZodiac(Animal(c.a), Animal(c.b));
    EXPECT_EQ(m.relation, c.relation);
    EXPECT_EQ(m.grade, c.grade);
    EXPECT_EQ(m.detail, c.detail);
    EXPECT_EQ(m.others, c.others);
  }
  // 暗合: the main hidden stems of the two branches combine.
  const struct {
    const char *a, *b, *hidden;
  } hidden[] = {{"牛", "虎", "寅丑暗合，寅中甲木与丑中己土相合"}, {"兔", "猴", "卯申暗合，卯中乙木与申中庚金相合"},
                {"马", "猪", "午亥暗合，午中丁火与亥中壬水相合"}, {"虎", "羊", "寅未暗合，寅中甲木与未中己土相合"},
                {"鼠", "狗", "戌子暗合，戌中戊土与子中癸水相合"}, {"蛇", "鸡", "巳酉暗合，巳中丙火与酉中辛金相合"},
                {"鼠", "龙", "辰子暗合，辰中戊土与子中癸水相合"}, {"鼠", "虎", ""}, {"马", "羊", ""}};
  for (const auto& h : hidden) EXPECT_EQ(MatchZodiac(Animal(h.a), Animal(h.b)).hiddenHarmony, h.hidden) << h.a << h.b;
  EXPECT_EQ(MatchZodiac(Animal("鸡"), Animal("蛇")).others.back(), "暗合（巳酉暗合，巳中丙火与酉中辛金相合）");
  // 蛇猴: 六合 wins over the punishment and the break they also form.
  const ZodiacMatch snakeMonkey = MatchZodiac(Animal("蛇"), Animal("猴"));
  EXPECT_EQ(snakeMonkey.relation, "六合");
  EXPECT_EQ(snakeMonkey.others.size(), 2u);
}

TEST(ZodiacMatch, ElementsAndTheXiaoWuHunVerse) {
  const ZodiacMatch ratOx = MatchZodiac(Animal("牛"), Animal("鼠"));
  EXPECT_EQ(ratOx.elements.text, "土克水");
  EXPECT_EQ(ratOx.elements.bond, ElementBond::kControlling);
  EXPECT_EQ(MatchZodiac(Animal("猪"), Animal("虎")).elements.text, "水生木");
  EXPECT_EQ(MatchZodiac(Animal("猴"), Animal("鸡")).elements.text, "同为金");
  EXPECT_EQ(MatchZodiac(Animal("鸡"), Animal("马")).verse, "金鸡不到马群跑");
  EXPECT_EQ(MatchZodiac(Animal("猪"), Animal("龙")).verse, "江猪不敢跳龙门");
  EXPECT_EQ(MatchZodiac(Animal("鼠"), Animal("牛")).verse, "");
}

// The dialog's grade agrees with the grade the marriage report prints for
// the same relation (上等婚; 中等婚; 下等婚 and 中下婚 count as 下).
TEST(ZodiacMatch, GradeAgreesWithTheMarriageReportsTable) {
  RefDb db(test::BinDir());
  for (const char* relation : {"六合", "三合", "同属相", "六冲", "六害", "相刑", "相破", "无"}) {
    SCOPED_TRACE(relation);
    const std::string reportGrade =
        db.First(Unguarded{}, RefFile::kTgcode, "SELECT grade FROM sxgx WHERE relation = ?", {std::string(relation)})
            .Text("grade");
    const std::string grade = ZodiacGrade(relation);
    const char* level = reportGrade.find("上") != std::string::npos   ? "上等"
                        : reportGrade.find("下") != std::string::npos ? "下等"
                                                                      : "中等";
    EXPECT_EQ(grade, level);
  }
}

TEST(SignMatch, AspectsByTheDistanceOfTheSigns) {
  const struct {
    const char *a, *b;
    Aspect aspect;
    int degrees;
  } cases[] = {
      {"白羊座", "狮子座", Aspect::kTrine, 120},      {"白羊座", "天秤座", Aspect::kOpposition, 180},
      {"白羊座", "白羊座", Aspect::kConjunction, 0},  {"白羊座", "双子座", Aspect::kSextile, 60},
      {"白羊座", "巨蟹座", Aspect::kSquare, 90},      {"白羊座", "金牛座", Aspect::kSemiSextile, 30},
      {"白羊座", "处女座", Aspect::kQuincunx, 150},   {"双鱼座", "白羊座", Aspect::kSemiSextile, 30},
      {"摩羯座", "金牛座", Aspect::kTrine, 120},      {"水瓶座", "双子座", Aspect::kTrine, 120},
      {"巨蟹座", "摩羯座", Aspect::kOpposition, 180}, {"天蝎座", "水瓶座", Aspect::kSquare, 90},
      {"射手座", "水瓶座", Aspect::kSextile, 60},     {"双鱼座", "狮子座", Aspect::kQuincunx, 150},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.a) + c.b);
    const SignMatch m = MatchSigns(SignIndex(c.a), SignIndex(c.b));
    EXPECT_EQ(m.aspect, c.aspect);
    EXPECT_EQ(m.degrees, c.degrees);
  }
  EXPECT_EQ(SignIndex("金牛座 "), 1);  // the sign text with its trailing blank
  EXPECT_EQ(SignIndex("蛇夫座"), -1);
}

TEST(SignMatch, ScoresRankTheAspectsAndStayWithinAHundred) {
  const auto score = [](const char* a, const char* b) { return MatchSigns(SignIndex(a), SignIndex(b)).score; };
  const int trine = score("白羊座", "狮子座"), sextile = score("白羊座", "双子座"), same = score("白羊座", "白羊座");
  const int opposition = score("白羊座", "天秤座"), semi = score("白羊座", "金牛座");
  const int square = score("白羊座", "巨蟹座"), quincunx = score("白羊座", "处女座");
  EXPECT_GT(trine, sextile);
  EXPECT_GT(sextile, same);
  EXPECT_GT(same, opposition);
  EXPECT_GT(opposition, semi);
  EXPECT_GT(semi, std::max(square, quincunx));
  for (int a = 0; a < 12; ++a)
    for (int b = 0; b < 12; ++b) {
      const int s = MatchSigns(a, b).score;
      EXPECT_GE(s, 0);
      EXPECT_LE(s, 100);
    }
}

TEST(BloodMatch, TypeNames) {
  EXPECT_EQ(BloodTypeIndex("A"), 0);
  EXPECT_EQ(BloodTypeIndex("O型"), 2);
  EXPECT_EQ(BloodTypeIndex("ab"), 3);
  EXPECT_EQ(BloodTypeIndex(" AB型 "), 3);
  EXPECT_EQ(BloodTypeIndex(""), -1);
  EXPECT_EQ(BloodTypeIndex("C"), -1);
  EXPECT_EQ(BloodTypeIndex("型"), -1);
}

// Every pair in both orders: the same lines, a non-empty reading, and no two
// pairs with the same reading.
struct Tool {
  const char* name;
  int count;
  void (*write)(LineSink&, RefDb&, int, int);
};

void PrintTo(const Tool& tool, std::ostream* os) { *os << tool.name; }

class EveryPair : public ::testing::TestWithParam<Tool> {};

TEST_P(EveryPair, GivesOneDistinctReadingInEitherOrder) {
  const Tool& tool = GetParam();
  RefDb db(test::BinDir());
  std::set<std::string> readings;
  int pairs = 0;
  for (int a = 0; a < tool.count; ++a)
    for (int b = a; b < tool.count; ++b) {
      LineList forward, reverse;
      tool.write(forward, db, a, b);
      tool.write(reverse, db, b, a);
      // The zodiac tool names the pair in the order typed; everything else is the same.
      const auto unordered = [](const LineList& list) {
        std::vector<std::string> kept;
        for (const auto& line : list.lines())
          if (line.rfind("生肖配对：", 0) != 0 && line.rfind("生肖五行：", 0) != 0) kept.push_back(line);
        return kept;
      };
      EXPECT_EQ(unordered(forward), unordered(reverse));
      std::string reading;
      for (const auto& line : forward.lines())
        if (line.rfind("配对解读：", 0) == 0) reading = line.substr(std::string("配对解读：").size());
      EXPECT_GT(reading.size(), 60u) << forward.Text();
      readings.insert(reading);
      ++pairs;
    }
  EXPECT_EQ(pairs, tool.count * (tool.count + 1) / 2);
  EXPECT_EQ(static_cast<int>(readings.size()), pairs);
}

INSTANTIATE_TEST_SUITE_P(Matching, EveryPair,
                         ::testing::Values(Tool{"zodiac", 12, WriteZodiacMatch},
                                           Tool{"sign", 12, WriteSignMatch},
                                           Tool{"blood", 4, WriteBloodMatch}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BloodMatch, ResultLines) {
  RefDb db(test::BinDir());
  LineList lines;
  WriteBloodMatch(lines, db, 3, 0);
  ASSERT_EQ(lines.lines().size(), 4u);
  EXPECT_EQ(lines.lines()[0], "血型配对：A型 与 AB型");
  EXPECT_EQ(lines.lines()[1], "配对结论：理性温和，相敬如宾");
  EXPECT_EQ(lines.lines()[3], "说明：血型配对是流行的民间说法，并无科学依据，仅供娱乐参考。");
}

TEST(MatchDefaults, AnimalAndSignOfABirthRow) {
  const auto row = [](int calendar, const char* y, const char* m, const char* d) {
    BirthRowTexts t;
    t.calendarIndex = calendar;
    t.year = y;
    t.month = m;
    t.day = d;
    return t;
  };
  // The animal follows the lunar year, as in the marriage report.
  EXPECT_EQ(AnimalOfRow(row(0, "1990", "1", "20")), Animal("蛇"));
  EXPECT_EQ(AnimalOfRow(row(0, "1990", "3", "1")), Animal("马"));
  EXPECT_EQ(AnimalOfRow(row(1, "1990", "1", "1")), Animal("马"));  // lunar new year's day
  EXPECT_EQ(SignOfRow(row(0, "1990", "4", "21")), SignIndex("金牛座"));
  EXPECT_EQ(SignOfRow(row(0, "1990", "12", "25")), SignIndex("摩羯座"));
  EXPECT_EQ(SignOfRow(row(1, "1990", "1", "1")), SignIndex("水瓶座"));  // 1990-01-27
  // Unfilled or impossible dates give no default.
  EXPECT_EQ(AnimalOfRow(row(0, "", "1", "1")), std::nullopt);
  EXPECT_EQ(AnimalOfRow(row(0, "1990", "2", "30")), std::nullopt);
  EXPECT_EQ(SignOfRow(row(0, "abc", "2", "3")), std::nullopt);
  EXPECT_EQ(SignOfRow(row(1, "1990", "13", "1")), std::nullopt);
}

TEST(MatchCommands, PrintTheResultInEitherOrder) {
  int status = -1;
  const std::string forward = test::RunProgram("hehun-cli zodiacmatch 鼠 牛", "", &status);
  EXPECT_EQ(status, 0);
  EXPECT_NE(forward.find("属相关系：六合（子丑六合）\n"), std::string::npos) << forward;
  EXPECT_EQ(forward.rfind("生肖配对：属鼠 与 属牛\n", 0), 0u) << forward;
  // The pair is named in the order typed, the reading is the same.
  const std::string horseRat = test::RunProgram("hehun-cli zodiacmatch 马 鼠", "", &status);
  EXPECT_EQ(horseRat.rfind("生肖配对：属马 与 属鼠\n", 0), 0u) << horseRat;
  EXPECT_NE(horseRat.find("生肖五行：马属火，鼠属水，水克火，五行相克\n"), std::string::npos) << horseRat;
  const std::string reversed = test::RunProgram("hehun-cli zodiacmatch 牛 鼠", "");
  EXPECT_EQ(reversed.rfind("生肖配对：属牛 与 属鼠\n", 0), 0u) << reversed;
  EXPECT_EQ(reversed.substr(reversed.find("配对解读：")), forward.substr(forward.find("配对解读：")));
  // A pair with neither an open combination nor a clash names its 暗合.
  const std::string oxTiger = test::RunProgram("hehun-cli zodiacmatch 牛 虎", "", &status);
  EXPECT_NE(oxTiger.find("属相关系：暗合（寅丑暗合，寅中甲木与丑中己土相合；无明合，亦无冲、刑、害、破）\n"),
            std::string::npos)
      << oxTiger;

  const std::string signs = test::RunProgram("hehun-cli signmatch 狮子座 白羊座", "", &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(signs.rfind("星座配对：白羊座 与 狮子座\n", 0), 0u) << signs;
  EXPECT_NE(signs.find("星座相位：三分相（拱），相距120度\n"), std::string::npos);

  const std::string blood = test::RunProgram("hehun-cli bloodmatch AB A", "", &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(blood, test::RunProgram("hehun-cli bloodmatch A AB", ""));

  test::RunProgram("hehun-cli zodiacmatch 鼠 狮", "", &status);
  EXPECT_EQ(status, 1);
  test::RunProgram("hehun-cli bloodmatch A", "", &status);
  EXPECT_EQ(status, 2);
}

}  // namespace
}  // namespace hehun
