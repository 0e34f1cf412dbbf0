// The folk tests: name-stroke affinity, QQ-number pair, character element,
// and their command-line forms.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "divination/character_element.h"
#include "divination/hanzi_table.h"
#include "divination/name_affinity.h"
#include "divination/number81.h"
#include "divination/qq_pair.h"
#include "test_support.h"

namespace hehun {
namespace {

using Rows = std::vector<std::vector<int>>;

TEST(NameAffinity, RowsAddNeighbouringDigitsKeepingTheUnits) {
  struct Case {
    std::vector<int> strokes;
    Rows rows;
    int index;
  } cases[] = {
      // 张三 李四: 7 3 | 7 5
      {{7, 3, 7, 5}, {{7, 3, 7, 5}, {0, 0, 2}, {0, 2}}, 2},
      // a count of ten or more gives two digits: 强 12, 李 7
      {{12, 7}, {{1, 2, 7}, {3, 9}}, 39},
      // two digits from the start are the result
      {{4, 6}, {{4, 6}}, 46},
      // "00" reads as a full score
      {{5, 5, 5}, {{5, 5, 5}, {0, 0}}, 100},
      {{1, 9, 1}, {{1, 9, 1}, {0, 0}}, 100},
  };
  for (const Case& c : cases) {
    const Rows rows = AffinityRows(c.strokes);
    EXPECT_EQ(rows, c.rows);
    EXPECT_EQ(AffinityIndex(rows.back()), c.index);
  }
}

TEST(NameAffinity, ReportShowsStrokesRowsIndexAndBand) {
  CapturedMessages messages;
  LineList out;
  ASSERT_TRUE(NameAffinityReport(" 张三 ", "李四", messages, out));
  EXPECT_TRUE(messages.entries.empty());
  const std::string text = out.Text();
  for (const char* part : {"缘分测试：张三 与 李四", "笔画：张7 三3 李7 四5", "简化字", "第1行：7 3 7 5",
                           "第2行：0 0 2", "第3行：0 2", "缘分指数：2\n", "【萍水相逢】"})
    EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
}

TEST(NameAffinity, IndexStaysWithinOneToHundred) {
  for (int a = 1; a <= 30; ++a)
    for (int b = 1; b <= 30; ++b) {
      const Rows rows = AffinityRows({a, b});
      const int index = AffinityIndex(rows.back());
      EXPECT_GE(index, 1);
      EXPECT_LE(index, 100);
    }
  // Two one-character names of one-digit strokes give their digits directly.
  CapturedMessages messages;
  LineList out;
  ASSERT_TRUE(NameAffinityReport("丁", "丁", messages, out));  // 2 2
  EXPECT_NE(out.Text().find("缘分指数：22\n【若即若离】"), std::string::npos) << out.Text();
  // 石 5 石 5 | 石 5: 5 5 5 -> 0 0, the full score
  out.Clear();
  ASSERT_TRUE(NameAffinityReport("石石", "石", messages, out));
  EXPECT_NE(out.Text().find("缘分指数：100（末两位为“00”，按满分计）\n【百分良缘】"), std::string::npos) << out.Text();
}

TEST(NameAffinity, BadNamesGiveAMessageAndNoLines) {
  struct Case {
    const char* first;
    const char* second;
    const char* message;
  } cases[] = {
      {"", "李四", "请输入第一个姓名！"},
      {"张三", "  ", "请输入第二个姓名！"},
      {"Tom", "李四", "第一个姓名只能由汉字组成：“Tom”中的“T”不是汉字"},
      {"张三", "李4", "第二个姓名只能由汉字组成：“李4”中的“4”不是汉字"},
      {"欧阳娜娜娜", "李四", "第一个姓名最多4个汉字：“欧阳娜娜娜”"},
      {"张三", "李。", "第二个姓名只能由汉字组成：“李。”中的“。”不是汉字"},
  };
  for (const Case& c : cases) {
    CapturedMessages messages;
    LineList out;
    EXPECT_FALSE(NameAffinityReport(c.first, c.second, messages, out)) << c.first << " " << c.second;
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text, c.message);
    EXPECT_TRUE(out.lines().empty());
  }
}

TEST(QqPair, NumbersMustHaveFiveToElevenDigits) {
  EXPECT_EQ(CheckQqNumber("10001", "第一个QQ号码"), "");
  EXPECT_EQ(CheckQqNumber(" 12345678901 ", "第一个QQ号码"), "");
  EXPECT_EQ(CheckQqNumber("", "第一个QQ号码"), "请输入第一个QQ号码！");
  EXPECT_EQ(CheckQqNumber("1234", "第二个QQ号码"), "第二个QQ号码应为5至11位数字：“1234”");
  EXPECT_EQ(CheckQqNumber("123456789012", "第二个QQ号码"), "第二个QQ号码应为5至11位数字：“123456789012”");
  EXPECT_EQ(CheckQqNumber("12a45", "第一个QQ号码"), "第一个QQ号码只能由数字组成：“12a45”");
  EXPECT_EQ(CheckQqNumber("-12345", "第一个QQ号码"), "第一个QQ号码只能由数字组成：“-12345”");
}

TEST(QqPair, TheSumIsLookedUpAsTheNumberToolLooksItUp) {
  const struct {
    const char *a, *b;
    long long sum;
  } cases[] = {{"10001", "20002", 30003}, {"12345678901", "98765432109", 111111111010}, {"88888", "11111", 99999}};
  for (const auto& c : cases) {
    CapturedMessages messages;
    LineList out;
    ASSERT_TRUE(QqPairReport(c.a, c.b, messages, out));
    const FortuneFields f = SplitFortune(Number81Fortune(std::to_string(c.sum)));
    const std::vector<std::string>& lines = out.lines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1], std::string("两号之和：") + c.a + " + " + c.b + " = " + std::to_string(c.sum) + "（按八十一数理取数）");
    EXPECT_EQ(lines[2], "数理：" + f.state);
    EXPECT_EQ(lines[3], "吉凶：" + f.grade);
    EXPECT_EQ(lines[4], "缘分解读：" + std::string(PairGradeReadingOf(f.grade)));
  }
}

TEST(QqPair, EveryGradeOfTheTableHasAReading) {
  for (int r = 1; r <= kNumber81Count; ++r) {  // the table counts from 1
    const FortuneFields f = SplitFortune(Number81Entry(r));
    EXPECT_FALSE(PairGradeReadingOf(f.grade).empty()) << r << " " << f.grade;
  }
}

// 康熙 strokes and elements of common name characters as the naming
// dictionaries give them. Strokes: the traditional form with the radical in
// full (the rule stated in naming manuals such as 《康熙字典取名必读》).
// Elements: by radical where it belongs to an element, otherwise as the
// common naming dictionaries record it (mostly by the initial).
TEST(CharacterElement, CommonNameCharacters) {
  const struct {
    const char* c;
    int strokes;
    const char* element;
  } cases[] = {
      {"林", 8, "木"},  {"海", 11, "水"}, {"江", 7, "水"},  {"明", 8, "火"},  {"华", 14, "水"}, {"张", 11, "火"},
      {"李", 7, "火"},  {"王", 4, "土"},  {"刘", 15, "金"}, {"陈", 16, "火"}, {"杨", 13, "木"}, {"赵", 14, "火"},
      {"黄", 12, "土"}, {"周", 8, "金"},  {"吴", 7, "木"},  {"伟", 11, "土"}, {"芳", 10, "木"}, {"娜", 10, "火"},
      {"敏", 11, "水"}, {"静", 16, "金"}, {"丽", 19, "火"}, {"强", 12, "木"}, {"磊", 15, "土"}, {"军", 9, "木"},
      {"洋", 10, "水"}, {"勇", 9, "土"},  {"艳", 24, "土"}, {"杰", 12, "木"}, {"娟", 10, "木"}, {"涛", 18, "水"},
      {"超", 12, "金"}, {"秀", 7, "金"},  {"霞", 17, "水"}, {"平", 5, "水"},  {"刚", 10, "金"}, {"桂", 10, "木"},
      {"四", 4, "金"},  {"鹏", 19, "水"}, {"胜", 12, "金"}, {"志", 7, "火"},  {"胡", 11, "土"},
  };
  for (const auto& c : cases) {
    const HanziRecord* r = FindHanzi(c.c);
    ASSERT_NE(r, nullptr) << c.c;
    EXPECT_EQ(r->kangxiStrokes, c.strokes) << c.c;
    EXPECT_EQ(ElementName(r->element), c.element) << c.c;
  }
}

TEST(CharacterElement, RadicalsCountInFull) {
  // 扌 手 4, 忄 心 4, 礻 示 5, 衤 衣 6, 辶 辵 7, 阝 right 邑 7, 阝 left 阜 8, 月 as flesh 肉 6, 王 玉 5.
  const struct {
    const char* c;
    int radical;
    int strokes;
  } cases[] = {{"打", 64, 6},  {"情", 61, 12}, {"福", 113, 14}, {"裕", 145, 13}, {"远", 162, 17},
               {"郭", 163, 15}, {"陈", 170, 16}, {"胡", 130, 11}, {"玲", 96, 10},
               // radicals written with fewer strokes today keep their Kangxi count: 廴 3, 瓦 5, 骨 10
               {"建", 54, 9},   {"瓶", 98, 11}, {"骨", 188, 10}};
  for (const auto& c : cases) {
    const HanziRecord* r = FindHanzi(c.c);
    ASSERT_NE(r, nullptr) << c.c;
    EXPECT_EQ(r->radical, c.radical) << c.c;
    EXPECT_EQ(r->kangxiStrokes, c.strokes) << c.c;
  }
  EXPECT_EQ(RadicalCharacter(85), "水");
  EXPECT_EQ(RadicalStrokes(140), 6);
}

TEST(CharacterElement, LinesNameTheTraditionalFormPinyinAndRadical) {
  CapturedMessages messages;
  LineList out;
  ASSERT_TRUE(CharacterElementReport("林 海华", messages, out));
  ASSERT_EQ(out.lines().size(), 3u);
  EXPECT_EQ(out.lines()[0], "林\t康熙笔画 8\t五行 木（部首“木”属木）\t拼音 lín\t部首 木");
  EXPECT_EQ(out.lines()[1], "海\t康熙笔画 11\t五行 水（部首“水”属水）\t拼音 hǎi\t部首 水");
  EXPECT_EQ(out.lines()[2].rfind("华（華）\t康熙笔画 14\t五行 水（", 0), 0u) << out.lines()[2];
}

TEST(CharacterElement, BadTextGivesAMessage) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {{"", "请输入要查询的汉字！"},
               {"  ", "请输入要查询的汉字！"},
               {"林a", "只能查询汉字：“林a”中的“a”不是汉字"},
               {"一二三四五六七八九十一二三四五六七八九十一", "一次最多查询20个汉字"}};
  for (const auto& c : cases) {
    CapturedMessages messages;
    LineList out;
    EXPECT_FALSE(CharacterElementReport(c.text, messages, out)) << c.text;
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text, c.message);
    EXPECT_TRUE(out.lines().empty());
  }
}

TEST(FolkCommands, AnswerOnStandardOutputAndRefuseBadInput) {
  int status = -1;
  const std::string cli = "hehun-cli";
  std::string out = test::RunProgram(cli + " yuanfen 张三 李四", "", &status);
  EXPECT_EQ(status, 0);
  EXPECT_NE(out.find("第3行：0 2\n缘分指数：2\n"), std::string::npos) << out;
  out = test::RunProgram(cli + " qqyuanfen 10001 20002", "", &status);
  EXPECT_EQ(status, 0);
  EXPECT_NE(out.find("= 30003"), std::string::npos) << out;
  out = test::RunProgram(cli + " wuxing 林海", "", &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(out.substr(0, out.find('\t')), "林");
  EXPECT_NE(out.find("\n海\t康熙笔画 11"), std::string::npos) << out;
  for (const char* bad : {" yuanfen 张三 Tom 2>/dev/null", " qqyuanfen 1234 12345 2>/dev/null", " wuxing abc 2>/dev/null"}) {
    out = test::RunProgram(cli + bad, "", &status);
    EXPECT_EQ(status, 1) << bad;
    EXPECT_EQ(out, "") << bad;
  }
  test::RunProgram(cli + " yuanfen 张三 2>/dev/null", "", &status);
  EXPECT_EQ(status, 2);
}

}  // namespace
}  // namespace hehun
