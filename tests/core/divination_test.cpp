// Number and name divination: the 81-number table, the mobile-number key
// and table, the pinyin converter with its index, the nickname traits, the
// omen pages and the conception table, and their command-line output.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "divination/number81.h"
#include "divination/number_divination.h"
#include "divination/omens.h"
#include "divination/pinyin.h"
#include "refdb/gbk.h"
#include "refdb/refdb.h"
#include "refdb/text.h"
#include "test_support.h"

namespace hehun {
namespace {

const std::string kEntry1 =
    "大展鸿图，信用得固，名利双收，可获成功|吉|主人性格类型：[做事喜好凭直觉型]，其具体表现为：有特强的第六灵感，"
    "性格率直无机心，深得朋辈爱戴。感情路上多采多姿。做事喜好凭个人直觉及预感做决定。";

TEST(Number81, NumbersUpTo81ReadTheirOwnEntryAndLargerOnesAreReducedBy80) {
  const struct {
    const char* number;
    int entry;
  } cases[] = {{"1", 1},       {"80", 80},       {"81", 81},       {"82", 2},
               {"100", 20},    {"+100", 20},     {"160", 80},      {"161", 81},
               {"162", 2},     {"12345678", 78}, {"999999999999999999", 999999999999999999 % 80},
               {"9223372036854775807", 9223372036854775807 % 80}};
  for (const auto& c : cases) EXPECT_EQ(Number81Fortune(c.number), Number81Entry(c.entry)) << c.number;
  EXPECT_EQ(std::string(Number81Fortune("1")), kEntry1);
  EXPECT_EQ(std::string(Number81Entry(81)),
            "最极之数，还本归元，能得繁荣，发达成功|吉|主人性格类型：[做事喜好凭直觉型]，其具体表现为：有特强的第六灵感，"
            "性格率直无机心，深得朋辈爱戴。感情路上多采多姿。做事喜好凭个人直觉及预感做决定。");
  for (std::int64_t n : {1, 2, 80, 81, 82, 159, 160, 161, 162, 241, 1000})
    EXPECT_EQ(Number81Of(n), [n] { std::int64_t m = n; while (m > 81) m -= 80; return static_cast<int>(m); }()) << n;
}

TEST(Number81, ZeroAndNegativeNumbersAreRefusedAndOtherTextsAreConversionErrors) {
  for (const char* n : {"0", "-0", "-1", "-80", "-81", "-100"}) EXPECT_EQ(Number81Fortune(n), kNumber81Refusal) << n;
  for (int n : {0, 82, -1}) EXPECT_EQ(Number81Entry(n), kNumber81Refusal) << n;
  for (const char* bad : {"", "abc", "12a", " 12", "1.5", "9223372036854775808", "--1", "+-1"})
    EXPECT_THROW(Number81Fortune(bad), ConversionError) << bad;
}

TEST(Number81, TableAsTheTraditionHasIt) {
  std::map<std::string, int> grades;
  for (int n = 1; n <= kNumber81Count; ++n) grades[SplitFortune(Number81Entry(n)).grade]++;
  EXPECT_EQ(grades, (std::map<std::string, int>{{"吉", 35}, {"凶", 30}, {"吉带凶", 13}, {"凶带吉", 3}}));

  // Number and grade as the 八十一数理 give them: 1 太极 吉, 2 两仪 凶, 9 凶,
  // 10 凶, 28 凶, 34 凶, 81 还本归元 吉.
  const std::pair<int, const char*> known[] = {{1, "吉"},  {2, "凶"},  {3, "吉"},  {4, "凶"}, {9, "凶"},
                                               {10, "凶"}, {28, "凶"}, {34, "凶"}, {41, "吉"}, {81, "吉"}};
  for (const auto& [n, grade] : known) EXPECT_EQ(SplitFortune(Number81Entry(n)).grade, grade) << n;
  EXPECT_EQ(SplitFortune(Number81Entry(2)).state, "根基不固，摇摇欲坠，一盛一衰，劳而无获");
  EXPECT_EQ(SplitFortune(Number81Entry(20)).state, "智商志大，历尽艰难，焦心忧劳，进退两难");
  EXPECT_EQ(SplitFortune(Number81Entry(52)).state, "草木逢春，雨过天晴，渡过难关，即获得成功");
  EXPECT_EQ(SplitFortune(Number81Entry(68)).state, "思虑周详，计划力行，不失先机，可望成功");
  EXPECT_EQ(SplitFortune(Number81Entry(76)).state, "此数大凶，破产之象，宜速换号，以避厄运");
  for (int n = 1; n <= kNumber81Count; ++n) {
    const std::string verse = SplitFortune(Number81Entry(n)).state;
    for (const char* advice : {"更名", "改名"}) EXPECT_EQ(verse.find(advice), std::string::npos) << n;
  }

  // The types travel with their verses and break the nine-step cycle.
  const auto type = [](int n) {
    const std::string d = SplitFortune(Number81Entry(n)).detail;
    return d.substr(0, d.find(']') + 1);
  };
  EXPECT_EQ(type(26), "主人性格类型：[好奇心旺求知欲强型]");
  EXPECT_EQ(type(27), "主人性格类型：[做事喜好凭直觉型]");
  EXPECT_EQ(type(28), "主人性格类型：[好奇心旺求知欲强型]");
  EXPECT_EQ(type(73), "主人性格类型：[独断独行/吸引人型]");
  EXPECT_EQ(type(74), "主人性格类型：[独断独行/吸引人型]");
  EXPECT_EQ(SplitFortune(Number81Entry(44)).detail,
            "主人性格类型：[高度戒备难交心型]，其具体表现为：经常处于戒备状态，对任何事都没法放松处理，孤僻性情难以交朋结友。"
            "对于爱情，就更加会慎重处理。任何人必须经过你长期观察及通过连番考验，方会减除戒备与你交往。");
}

TEST(Number81, SplitFillsTheDetailWhenBarsAreMissing) {
  const FortuneFields refusal = SplitFortune(kNumber81Refusal);
  EXPECT_EQ(refusal.state, "");
  EXPECT_EQ(refusal.grade, "");
  EXPECT_EQ(refusal.detail, kNumber81Refusal);
  const FortuneFields one = SplitFortune("a|b");
  EXPECT_EQ(one.state, "a");
  EXPECT_EQ(one.grade, "");
  EXPECT_EQ(one.detail, "b");
}

TEST(NumberDivination, AnyNumber100ShowsTheVerseOf20) {
  const NumberResult r = NumberFortune("100");
  EXPECT_EQ(r.number, "100");
  EXPECT_EQ(r.state, "智商志大，历尽艰难，焦心忧劳，进退两难");
  EXPECT_EQ(r.grade, "凶");
  EXPECT_EQ(r.detail.substr(0, r.detail.find("，")), "主人性格类型：[独断独行/吸引人型]");
}

TEST(NumberDivination, MobileKeyFromTheLastFourDigits) {
  const std::pair<const char*, const char*> cases[] = {
      {"13812345678", "78"}, {"13800008000", "80"}, {"13800000000", "80"}, {"13800000081", "1"},
      {"13800000159", "79"}, {"13800000160", "80"}, {"13899999999", "79"}, {"13800000001", "1"},
      // Not 11 digits: no key.
      {"1380000123", ""},    {"138000012345", ""},  {"1380000x123", ""},   {"", ""}, {"１３８００００１２３４", ""}};
  for (const auto& [number, key] : cases) EXPECT_EQ(shoujiinfostr(number), key) << number;
}

TEST(NumberDivination, MobileNumbersOfOtherThan11DigitsAreRefused) {
  test::TempDir empty;
  RefDb db(empty.path());
  for (const char* n : {"12345", "1380000", "1380000123", "138000012345", "138 0000 1234", "1380000abcd"}) {
    CapturedMessages messages;
    EXPECT_FALSE(RunNumberDivination(NumberKind::kMobile, n, db, messages).has_value()) << n;
    ASSERT_EQ(messages.entries.size(), 1u) << n;
    EXPECT_EQ(messages.entries[0].text, "请输入11位手机号码！");
    EXPECT_THROW(MobileFortune(db, n), ConversionError) << n;
  }
  // A valid number needs the table: without it the action stops silently.
  EXPECT_THROW(MobileFortune(db, "13812345678"), SilentAbort);
}

TEST(NumberDivination, ZeroAndNegativeQqAndOtherNumbersAreRefused) {
  test::TempDir empty;
  RefDb db(empty.path());
  for (NumberKind kind : {NumberKind::kQq, NumberKind::kAny})
    for (const char* n : {"0", "000", "-7"}) {
      CapturedMessages messages;
      EXPECT_FALSE(RunNumberDivination(kind, n, db, messages).has_value()) << n;
      ASSERT_EQ(messages.entries.size(), 1u);
      EXPECT_EQ(messages.entries[0].text, kNumber81Refusal);
    }
}

TEST(NumberDivination, EveryMobileKeyHasItsRowAndGradeOfItsNumber) {
  RefDb db;
  std::set<std::string> titles, contents;
  for (int key = 1; key <= 80; ++key) {
    const std::string number = "1380000" + std::to_string(10000 + key).substr(1);
    ASSERT_EQ(shoujiinfostr(number), std::to_string(key)) << number;
    const NumberResult r = MobileFortune(db, number);
    EXPECT_FALSE(r.state.empty() || r.grade.empty() || r.detail.empty()) << key;
    EXPECT_EQ(r.grade.find("超吉"), std::string::npos);
    // The same grade as the 81-number table gives the number (大吉 and 大凶
    // are 吉 and 凶 there).
    std::string grade = r.grade;
    if (grade.rfind("大", 0) == 0) grade = grade.substr(std::string("大").size());
    EXPECT_EQ(grade, SplitFortune(Number81Entry(key)).grade) << key;
    titles.insert(r.state);
    contents.insert(r.detail);
  }
  EXPECT_EQ(titles.size(), 80u);
  EXPECT_EQ(contents.size(), 80u);
  EXPECT_EQ(MobileFortune(db, "13812345678").state,
            db.First(Unguarded{}, RefFile::kBookFile, "SELECT title FROM shouji WHERE num = '78'").Text("title"));
  EXPECT_EQ(MobileFortune(db, "13800008000").state,
            db.First(Unguarded{}, RefFile::kBookFile, "SELECT title FROM shouji WHERE num = '80'").Text("title"));
}

TEST(NumberDivination, EmptyNumbersShowTheirMessage) {
  test::TempDir empty;
  RefDb db(empty.path());
  const std::pair<NumberKind, const char*> cases[] = {{NumberKind::kMobile, "请输入11位手机号码！"},
                                                      {NumberKind::kQq, "请输入你的QQ号码！"},
                                                      {NumberKind::kAny, "请输入你的号码！"}};
  for (const auto& [kind, message] : cases) {
    CapturedMessages messages;
    EXPECT_FALSE(RunNumberDivination(kind, "   ", db, messages).has_value());
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text, message);
  }
}

std::string Gbk(const char* utf8) { return gbk::FromUtf8(utf8); }

TEST(Pinyin, ConverterOptions) {
  const struct {
    const char* text;
    int flags, max;
    const char* expected;
  } cases[] = {
      {"张三", 0, 255, "ZS"},        {"张三", 1, 255, "ZHANGSAN"},  {"王!", 2, 255, "W"},
      {"王!", 6, 255, "W!"},         {"张三", -1, 255, ""},         {"张三", 1, 5, "ZHANG"},
      {"a张b", 0, 255, "AZB"},       {"★", 0, 255, ""},             {"★", 2, 255, "?"},
      {"⑩⒛Ⅻⅰ㈢", 0, 255, "10201213"}, {"ΩαΨ", 0, 255, "OAPS"},       {"ＡｂＣ１", 0, 255, "ABC1"},
      {"！", 0, 255, ""},            {"！", 4, 255, "!"},           {"女略", 1, 255, "NVLVE"},
      {"〇", 3, 255, "?"},  // Unihan gives the ideographic zero no reading        {"\xEF\xA4\xAC", 1, 255, "LANG"},  // U+F92C, a compatibility ideograph
  };
  for (const auto& c : cases) EXPECT_EQ(PinyinCode(Gbk(c.text), c.flags, c.max), c.expected) << c.text << " " << c.flags;
  // Raw bytes: a lead byte at the end, a trail byte below 0x40, a code without a character.
  EXPECT_EQ(PinyinCode("a\xD5", 6, 255), "A\xD5");
  EXPECT_EQ(PinyinCode("\xD5\x30", 2, 255), "0");
  EXPECT_EQ(PinyinCode("\xA2\xA0\xA1\x40", 2, 255), "??");
  EXPECT_EQ(PinyinCode("\xFE\xFF", 2, 255), "?");
  // UTF-8 text: a character GBK cannot hold has no reading.
  EXPECT_EQ(PinyinCodeUtf8("张😀", 2, 255), "Z?");
}

TEST(Pinyin, TablesInTheirLayout) {
  EXPECT_EQ(PinyinSyllable(1), "a");
  EXPECT_EQ(PinyinSyllable(2), "ai");
  EXPECT_EQ(PinyinSyllable(6), "ba");
  const int n = PinyinSyllableCount();
  const char* closing[] = {"ei", "m", "n", "dia", "cen", "nou", "jv", "qv", "xv", "lv", "nv"};
  for (int i = 0; i < 11; ++i) EXPECT_EQ(PinyinSyllable(n - 10 + i), closing[i]);
  EXPECT_EQ(PinyinSyllable(n - 11), "");
  EXPECT_EQ(PinyinSyllable(0), "");
  EXPECT_EQ(PinyinSyllable(n + 1), "");
  for (int s = 1; s < n - 12; ++s) {
    EXPECT_LT(PinyinSyllable(s), PinyinSyllable(s + 1)) << s;  // alphabetical, no repeats
    EXPECT_LE(PinyinSyllable(s).size(), 6u);
  }

  int nonZero = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead)
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      const int s = PinyinSyllableNumber(lead, trail);
      ASSERT_TRUE(s >= 0 && s <= n && s != n - 11) << lead << " " << trail;
      nonZero += s != 0;
    }
  EXPECT_GE(nonZero, 20745);
  EXPECT_EQ(PinyinSyllableNumber(0xB0, 0x3F), 0);
  EXPECT_EQ(PinyinSyllableNumber(0xB0, 0xFF), 0);
  EXPECT_EQ(PinyinSyllableNumber(0xA1, 0xA1), 0);  // the ideographic space
}

// Strips the tone marks of a Unihan reading, ü as "v".
std::string PlainReading(const std::string& reading) {
  static const std::pair<const char*, char> marks[] = {
      {"ā", 'a'}, {"á", 'a'}, {"ǎ", 'a'}, {"à", 'a'}, {"ē", 'e'}, {"é", 'e'}, {"ě", 'e'}, {"è", 'e'},
      {"ī", 'i'}, {"í", 'i'}, {"ǐ", 'i'}, {"ì", 'i'}, {"ō", 'o'}, {"ó", 'o'}, {"ǒ", 'o'}, {"ò", 'o'},
      {"ū", 'u'}, {"ú", 'u'}, {"ǔ", 'u'}, {"ù", 'u'}, {"ü", 'v'}, {"ǖ", 'v'}, {"ǘ", 'v'}, {"ǚ", 'v'},
      {"ǜ", 'v'}, {"ń", 'n'}, {"ň", 'n'}, {"ǹ", 'n'}, {"ḿ", 'm'}};
  std::string out;
  for (const std::string& ch : Utf8Chars(reading)) {
    char plain = ch.size() == 1 ? ch[0] : 0;
    for (const auto& [mark, letter] : marks)
      if (ch == mark) plain = letter;
    EXPECT_NE(plain, 0) << reading;
    out += plain;
  }
  return out;
}

std::string Utf8Of(char32_t cp) {
  std::string s;
  if (cp < 0x800) {
    s += static_cast<char>(0xC0 | (cp >> 6));
  } else {
    s += static_cast<char>(0xE0 | (cp >> 12));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
  }
  s += static_cast<char>(0x80 | (cp & 0x3F));
  return s;
}

TEST(Pinyin, AgreesWithTheMostCustomaryUnihanReading) {
  std::ifstream in(std::string(HEHUN_SOURCE_DIR) + "/tests/data/unihan_readings_sample.txt");
  ASSERT_TRUE(in.good());
  std::map<char32_t, std::string> mandarin, hanyu;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream f(line);
    std::string code, field, value;
    std::getline(f, code, '\t');
    std::getline(f, field, '\t');
    std::getline(f, value);
    const char32_t cp = static_cast<char32_t>(std::stoul(code.substr(2), nullptr, 16));
    if (field == "kMandarin") mandarin[cp] = value.substr(0, value.find(' '));
    if (field == "kHanyuPinyin") {
      const std::string r = value.substr(value.find(':') + 1);
      hanyu[cp] = r.substr(0, r.find_first_of(", "));
    }
  }
  ASSERT_GT(mandarin.size(), 300u);
  for (const auto& [cp, reading] : hanyu) {
    const std::string expected = PlainReading(mandarin.count(cp) ? mandarin[cp] : reading);
    const std::string bytes = gbk::FromUtf8(Utf8Of(cp));
    ASSERT_EQ(bytes.size(), 2u);
    const int s = PinyinSyllableNumber(static_cast<unsigned char>(bytes[0]), static_cast<unsigned char>(bytes[1]));
    EXPECT_EQ(PinyinSyllable(s), expected) << Utf8Of(cp);
  }
}

TEST(Nickname, TraitOfTheLastLetter) {
  const std::pair<const char*, const char*> cases[] = {
      {"张三", "心胸宽大，有深藏不露的自恋"},
      {"ABC", "可爱，较明显的自恋"},
      {"abc", "可爱，较明显的自恋"},
      {"小猫2", "老实，沉默"},
      {"小猫0", "煽情高手"},
      {"王!", "比较糊涂，容易感情用事"},
      {"王★", ""},
      {"小猫⑩", "煽情高手"},
      {"Ω", "勤劳肯干，活跃"},
      {"ＡＢＣ", "可爱，较明显的自恋"},
      {"ｘ１", "好奇心强，专一"},
      {"!!", ""},
      {"", ""},
  };
  for (const auto& [name, trait] : cases) EXPECT_EQ(Trim(NicknameTrait(name)), trait) << name;
  EXPECT_EQ(LetterTrait("m"), "反复无常，喜欢模仿神秘人物举动的小孩子性格，但是常常被宠爱");
  EXPECT_EQ(LetterTrait("A"), "");
  EXPECT_EQ(LetterTrait("?"), "");

  const NicknameResult r = AnalyseNickname("张三");
  EXPECT_EQ(r.nameLine, "你的网名：张三");
  EXPECT_EQ(r.traitLine, "你的性格：心胸宽大，有深藏不露的自恋");
  EXPECT_EQ(AnalyseNickname("★").traitLine, "你的性格：");
}

TEST(Omens, PagesAsGiven) {
  const char* titles[] = {"打喷嚏占卜吉凶", "面热测吉凶", "心惊测吉凶", "犬吠测吉凶",
                          "眼跳测吉凶",     "耳热测吉凶", "耳鸣测吉凶"};
  for (int p = 0; p < kOmenPageCount; ++p) {
    EXPECT_EQ(OmenTitle(p), titles[p]);
    EXPECT_EQ(OmenEntries(p).size(), p == 0 ? 12u : 6u);
  }
  EXPECT_EQ(OmenEntries(0)[0], "凌晨1点-凌晨3点 有人思念你、有客人前来相求事情。");
  EXPECT_EQ(OmenEntries(0)[3], "早上7点-早上9点 有人请食饭、大喜之事将发生。");
  EXPECT_EQ(OmenEntries(1)[1], "丑时：主有烦恼，忧愁之事。  未时：主有词讼，口舌是非。");
  EXPECT_EQ(OmenEntries(3)[0], "子时：主夫妇间，时有争闹。 午时：主有酒食，宴会事吉。");
  EXPECT_EQ(OmenEntries(3)[2], "寅时：主得财帛，大吉大利。 申时：主家宅内，小口事凶。");
  EXPECT_EQ(OmenEntries(5)[0], "子时：主有僧道，来商量事。午时：主有饮食，喜事来吉。");
  EXPECT_EQ(OmenEntries(5)[4], "辰时：主有财喜，大通达吉。戌时：主有词讼，口舌之事。");
  // Every line names its hours with a full-width colon, never a semicolon,
  // and the clock times carry no blanks inside them.
  for (int p = 0; p < kOmenPageCount; ++p)
    for (std::string_view e : OmenEntries(p))
      for (const char* fault : {"；", "镅", "想见", "已时", " 点", "室至", "夺吉"})
        EXPECT_EQ(e.find(fault), std::string_view::npos) << e;
  EXPECT_EQ(OmenEntries(6)[5], "午时：左主远信，右主亲来。亥时：左主大吉，右主饮食。");

  const std::string page3 = OmenPageText(3);
  EXPECT_EQ(page3.substr(0, page3.find("\n\n")), std::string(OmenEntries(3)[0]));
  EXPECT_EQ(page3.size(), [] {
    size_t n = 0;
    for (auto e : OmenEntries(3)) n += e.size();
    return n + 2 * 5;
  }());
  EXPECT_NE(page3.back(), '\n');
  EXPECT_EQ(OmenHourNote(),
            "说明：\n   子时为23点-1点 丑时为1点-3点 寅时为3点-5点 卯时为5点-7点\n"
            "   辰时为7点-9点 巳时为9点-11点 午时11点-13点 未时13点-15点\n"
            "   申时15点-17点 酉时17点-19点 戌时19点-21点 亥时为21点-23点\n");
}

TEST(Conception, TableCellsAndAlignedLines) {
  EXPECT_EQ(ConceptionSex(18, 1), "女");
  EXPECT_EQ(ConceptionSex(18, 12), "男");
  EXPECT_EQ(ConceptionSex(21, 2), "女");
  EXPECT_EQ(ConceptionSex(38, 5), "男");
  EXPECT_EQ(ConceptionSex(45, 11), "男");
  EXPECT_EQ(ConceptionSex(17, 1), "");
  EXPECT_EQ(ConceptionSex(30, 13), "");

  const auto lines = ConceptionTableLines();
  ASSERT_EQ(lines.size(), 29u);
  EXPECT_EQ(lines[0], "年龄   1月    2月   3月   4月   5月   6月   7月   8月   9月  10月   11月   12月");
  // Columns on screen (a Chinese character is two wide) of each "月" in the
  // header and of each entry in the rows below.
  const auto columnsOf = [](const std::string& line, bool header) {
    std::vector<int> cols;
    int at = 0;
    for (const std::string& ch : Utf8Chars(line)) {
      if (header ? ch == "月" : (ch == "男" || ch == "女")) cols.push_back(at);
      at += ch.size() == 1 ? 1 : 2;
    }
    return cols;
  };
  const std::vector<int> header = columnsOf(lines[0], true);
  for (int age = 18; age <= 45; ++age) {
    const std::string& line = lines[age - 17];
    EXPECT_EQ(line.substr(0, 2), std::to_string(age));
    EXPECT_EQ(columnsOf(line, false), header) << line;
  }
}

TEST(CliDivination, NumberCommandsPrintTheFourRows) {
  int status = -1;
  std::string out = test::RunProgram("hehun-cli number 100", "", &status);
  EXPECT_EQ(status, 0);
  const NumberResult any = NumberFortune("100");
  EXPECT_EQ(out, "输入号码是：\t100\n状态：\t" + any.state + "\n吉凶：\t凶\n具体表现：\t" + any.detail + "\n");

  out = test::RunProgram("hehun-cli qq 81", "", &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(out.substr(0, out.find('\n')), "qq号码是：\t81");

  out = test::RunProgram("hehun-cli mobile 13800008000", "", &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(out.substr(0, out.find('\n', out.find('\n') + 1)),
            "手机号码是：\t13800008000\n状态：\t辛劳难歇，得而复失，知退守分，化险为夷");
  EXPECT_EQ(out.find("超吉"), std::string::npos);

  out = test::RunProgram("hehun-cli number 1", "", &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(out, "输入号码是：\t1\n状态：\t大展鸿图，信用得固，名利双收，可获成功\n吉凶：\t吉\n具体表现：\t" +
                     SplitFortune(Number81Entry(1)).detail + "\n");

  for (const char* bad : {"hehun-cli number 12x", "hehun-cli qq ''", "hehun-cli mobile 123456789012",
                          "hehun-cli number 0", "hehun-cli qq -7", "hehun-cli mobile 12345"}) {
    EXPECT_EQ(test::RunProgram(bad, "", &status), "") << bad;
    EXPECT_EQ(status, 1) << bad;
  }
}

TEST(CliDivination, NicknamePrintsTheTwoLabels) {
  int status = -1;
  EXPECT_EQ(test::RunProgram("hehun-cli nickname '王!'", "", &status),
            "你的网名：王!\n你的性格：比较糊涂，容易感情用事\n");
  EXPECT_EQ(status, 0);
  test::RunProgram("hehun-cli nickname ' '", "", &status);
  EXPECT_EQ(status, 1);
}

}  // namespace
}  // namespace hehun
