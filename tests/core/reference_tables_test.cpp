// Life palace, bone weight and star signs: the listed cases, the traditional
// values of the tables, and the completeness of every authored table.
#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "bazi/bone_weight.h"
#include "bazi/life_palace.h"
#include "bazi/personality.h"
#include "bazi/star_sign.h"
#include "calendar/date.h"
#include "refdb/ganzhi.h"
#include "refdb/refdb.h"
#include "refdb/text.h"
#include "test_support.h"

namespace hehun {
namespace {

TEST(LifePalace, IndexesAndBranches) {
  EXPECT_EQ(GanZhiIndex("亥", true), 11);
  EXPECT_EQ(GanZhiIndex("癸", false), 9);
  EXPECT_EQ(GanZhiIndex("猫", true), 0);
  EXPECT_EQ(YinBasedBranchNumber("寅"), 1);
  EXPECT_EQ(YinBasedBranchNumber("丑"), 12);
  EXPECT_EQ(YinBasedBranchNumber("x"), 0);
  EXPECT_EQ(LifePalaceBranch("寅", "子"), "卯");
  EXPECT_EQ(LifePalaceBranch("子", "亥"), "午");
  EXPECT_EQ(LifePalaceBranch("丑", "丑"), "卯");
  EXPECT_EQ(LifePalaceBranch("午", "申"), "卯");
  EXPECT_EQ(LifePalaceBranch("x", "y"), "");
  EXPECT_EQ(PairingNumber("五", false), "二");
  EXPECT_EQ(PairingNumber("五", true), "八");
  EXPECT_EQ(PairingNumber("三", true), "三");
  EXPECT_EQ(LifePalaceGroup("五"), PalaceGroup::kWest);
  EXPECT_EQ(LifePalaceGroup("九"), PalaceGroup::kEast);
}

TEST(LifePalace, TrigramNumbersAndMatchesOfTheTradition) {
  RefDb db;
  // 1984: man 兑 (七), woman 艮 (八); 甲子 海中金, the rat is water.
  EXPECT_EQ(LifePalaceOf(db, 1984, false), "甲子七金水");
  EXPECT_EQ(LifePalaceOf(db, 1984, true), "甲子八金水");
  EXPECT_EQ(Utf8CharAt(LifePalaceOf(db, 1990, true), 2), "五");
  EXPECT_EQ(Utf8CharAt(LifePalaceOf(db, 2000, false), 2), "九");
  EXPECT_EQ(LifePalaceOf(db, 1850, false), "");
  for (int y = 1900; y <= 2100; ++y) ASSERT_EQ(Utf8Length(LifePalaceOf(db, y, y % 2)), 5) << y;
  // 乾 and 坤 are 延年, 坎 and 离 延年, 乾 and 离 绝命, a trigram with itself 伏位.
  EXPECT_EQ(LifePalaceMatch(db, "六", "二").substr(0, std::string("延年(上等婚)").size()), "延年(上等婚)");
  EXPECT_EQ(LifePalaceMatch(db, "一", "九").substr(0, std::string("延年(上等婚)").size()), "延年(上等婚)");
  EXPECT_EQ(LifePalaceMatch(db, "六", "九").substr(0, std::string("绝命(下等婚)").size()), "绝命(下等婚)");
  EXPECT_EQ(LifePalaceMatch(db, "三", "三").substr(0, std::string("伏位(中等婚)").size()), "伏位(中等婚)");
  EXPECT_EQ(LifePalaceMatch(db, "一", "四").substr(0, std::string("生气(上等婚)").size()), "生气(上等婚)");
  EXPECT_EQ(LifePalaceMatch(db, "五", "五"), "(下等婚)");
  // A whole text: name, grade and analysis with nothing between them.
  EXPECT_EQ(LifePalaceMatch(db, "六", "二"),
            "延年(上等婚)二人命卦相遇为延年，值武曲金星，与生气同列上吉，旧时合婚最看重此配，视为白头偕老之兆。"
            "延年之好不在一时热烈，而在日久弥笃，夫妻和顺、患难相扶。武曲又是财星，利于守业积财、置产兴家；"
            "子女方面多主儿女孝顺、家风端正；健康方面主夫妇俱享高寿。稍须留意的是武曲性刚，两人意见不合时宜多商量，"
            "莫各执己见。");
  EXPECT_EQ(LifePalaceElementMatch(db, "金", "水").substr(0, std::string("(非常合)").size()), "(非常合)");
  EXPECT_EQ(LifePalaceElementMatch(db, "水", "金").substr(0, std::string("(非常合)").size()), "(非常合)");
  EXPECT_EQ(LifePalaceElementMatch(db, "土", "土").substr(0, std::string("(中等合)").size()), "(中等合)");
  EXPECT_EQ(LifePalaceElementMatch(db, "金", "木").substr(0, std::string("(不合)").size()), "(不合)");
  EXPECT_EQ(LifePalaceElementMatch(db, "x", "y"), "(不合)");
  // Same-group pairs are the four good relations, mixed pairs the four bad ones.
  const char* numbers[] = {"一", "二", "三", "四", "六", "七", "八", "九"};
  for (auto m : numbers)
    for (auto w : numbers) {
      const bool sameGroup = LifePalaceGroup(m) == LifePalaceGroup(w);
      const std::string match = LifePalaceMatch(db, m, w);
      const bool good = match.find("(上等婚)") != std::string::npos || match.find("(中等婚)") != std::string::npos;
      EXPECT_EQ(sameGroup, good) << m << w << " " << match.substr(0, 30);
    }
}

TEST(LifePalace, UnreadableDatabaseGivesEmptyResults) {
  // A missing Tgcode.dll, and one that is no database at all: every lookup
  // swallows the error and gives empty text, not the no-row grades.
  for (bool damaged : {false, true}) {
    test::TempDir dir;
    if (damaged) std::ofstream(dir.path() / "Tgcode.dll", std::ios::binary) << std::string(4096, 'x');
    RefDb db(dir.path());
    EXPECT_EQ(LifePalaceOf(db, 1990, false), "") << damaged;
    EXPECT_EQ(LifePalaceMatch(db, "一", "九"), "") << damaged;
    EXPECT_EQ(LifePalaceElementMatch(db, "金", "水"), "") << damaged;
  }
  // A database that reads but has no row gives the grades alone.
  RefDb db;
  EXPECT_EQ(LifePalaceMatch(db, "十", "九"), "(下等婚)");
  EXPECT_EQ(LifePalaceElementMatch(db, "x", "y"), "(不合)");
}

TEST(BoneWeight, KeysAndLines) {
  EXPECT_EQ(BoneWeightKey(1.2 + 0.9 + 1.6 + 1.0), "47");
  EXPECT_EQ(BoneWeightKey(5.0), "50");
  EXPECT_EQ(BoneWeightKey(0), "00");
  EXPECT_EQ(BoneWeightKey(4.75), "47");
  EXPECT_EQ(BoneWeightKey(10.2), "1.");
  RefDb db;
  // Lunar 1990 (庚午 0.9), month 5 (0.5), day 1 (0.5), hour 0 (子 1.6): 3两5钱.
  const std::string weight = BoneWeightFortune(db, "1990", "5", "1", 0, "0");
  EXPECT_EQ(weight.substr(0, std::string("你的骨重为：3两5钱 ").size()), "你的骨重为：3两5钱 ");
  EXPECT_EQ(BoneWeightFortune(db, "1990", "5", "1", 1, "0").substr(0, std::string("诗评：").size()), "诗评：");
  EXPECT_EQ(BoneWeightFortune(db, "1990", "5", "1", 2, "0").substr(0, std::string("诗意：").size()), "诗意：");
  EXPECT_EQ(BoneWeightFortune(db, "1990", "5", "1", 3, "0"), "");
  // Lunar 1984 (甲子 1.2), month 3 (1.8), day 4 (1.5), hour 11 (午 1.0): 5两5钱; 1.8+... checks a whole key.
  EXPECT_EQ(BoneWeightFortune(db, "1984", "3", "4", 0, "11").substr(0, std::string("你的骨重为：5两5钱 ").size()),
            "你的骨重为：5两5钱 ");
  // Nothing found: total 0, no verse for 00.
  EXPECT_EQ(BoneWeightFortune(db, "1800", "0", "0", 0, "x"), "");
  test::TempDir dir;
  RefDb none(dir.path());
  EXPECT_THROW(BoneWeightFortune(none, "1990", "5", "1", 0, "0"), SilentAbort);
}

TEST(BoneWeight, EveryBirthFindsAVerse) {
  RefDb db;
  for (int year : {1900, 1950, 2000, 2100})
    for (int month = 1; month <= 12; ++month)
      for (int day = 1; day <= 30; day += 7)
        for (int hour = 0; hour < 24; hour += 5)
          ASSERT_FALSE(BoneWeightFortune(db, std::to_string(year), std::to_string(month), std::to_string(day), 0,
                                         std::to_string(hour))
                           .empty())
              << year << "-" << month << "-" << day << " " << hour;
}

TEST(StarSigns, BoundariesAndEssays) {
  struct {
    int m, d;
    const char* sign;
  } cases[] = {{12, 22, "摩羯座"}, {1, 19, "摩羯座"}, {1, 20, "水瓶座"},  {2, 19, "双鱼座"},
               {4, 21, "金牛座 "}, {6, 21, "双子座"}, {6, 22, "巨蟹座"}, {11, 21, "天蝎座"},
               {11, 22, "射手座"}, {12, 21, "射手座"}};
  for (const auto& c : cases) EXPECT_EQ(StarSignOf(EncodeDate(2001, c.m, c.d)), c.sign) << c.m << "-" << c.d;
  EXPECT_EQ(StarSignOf(EncodeDate(2000, 2, 29)), "双鱼座");
  EXPECT_EQ(StarSignOf(EncodeDateTime(2001, 1, 19, 12, 0)), "");
  EXPECT_EQ(StripParagraphTags("<p>甲</p><p>乙</p><P>丙</P>"), "甲乙<P>丙</P>");
  RefDb db;
  const std::string taurus = StarSignText(db, "金牛座 ", 0);
  EXPECT_FALSE(taurus.empty());
  EXPECT_EQ(taurus.find("<p>"), std::string::npos);
  EXPECT_EQ(StarSignText(db, "猫座", 1), "");
  EXPECT_THROW(StarSignText(db, "金牛座", 3), SilentAbort);
  test::TempDir dir;
  RefDb none(dir.path());
  EXPECT_THROW(StarSignText(none, "金牛座", 0), SilentAbort);
}

TEST(StarSigns, StrengthEssaysShareOneShape) {
  // 【星座实力】: four paragraphs, the first on the sign's strengths (not on
  // love), the full name once and the short name after it.
  RefDb db;
  const char* signs[] = {"白羊座", "金牛座", "双子座", "巨蟹座", "狮子座", "处女座",
                         "天秤座", "天蝎座", "射手座", "摩羯座", "水瓶座", "双鱼座"};
  for (auto sign : signs) {
    const std::string raw =
        db.First(Swallow{}, RefFile::kBookFile, "SELECT content FROM aiqing WHERE title = ?", {std::string(sign)})
            .Text("content");
    size_t paragraphs = 0, names = 0;
    for (size_t at = raw.find("<p>"); at != std::string::npos; at = raw.find("<p>", at + 1)) ++paragraphs;
    for (size_t at = raw.find(sign); at != std::string::npos; at = raw.find(sign, at + 1)) ++names;
    EXPECT_EQ(paragraphs, 4u) << sign;
    EXPECT_EQ(names, 1u) << sign;
    const std::string first = raw.substr(0, raw.find("</p>"));
    EXPECT_FALSE(Contains(first, "爱情") || Contains(first, "恋爱")) << sign << ": " << first;
    EXPECT_TRUE(Contains(raw.substr(raw.find("</p>")), Utf8Mid(sign, 0, 2))) << sign;
  }
}

TEST(StarSigns, BirthdaySketchesOfCuspDaysFitTheSignOfTheDate) {
  // The last day of a sign is printed with that sign; its sketch names it.
  for (auto [m, d] : {std::pair{1, 19}, {2, 18}, {4, 20}, {9, 22}, {10, 22}}) {
    const std::string sign = Trim(StarSignOf(EncodeDate(2001, m, d)));
    const std::string sketch(PersonalityEntry(m * 100 + d));
    EXPECT_TRUE(Contains(sketch, Utf8Mid(sign, 0, 2))) << m << "-" << d << " " << sign << ": " << sketch;
  }
  EXPECT_FALSE(Contains(std::string(PersonalityEntry(622)), "母性"));
}

TEST(ReferenceTables, ReviewedWordings) {
  RefDb db;
  // The couple texts speak of the couple in one voice.
  for (const char* sql : {"SELECT text FROM hhjx", "SELECT text FROM hhdj", "SELECT text FROM mgzu"})
    for (const Row& row : db.All(Swallow{}, RefFile::kTgcode, sql)) {
      EXPECT_FALSE(Contains(row.Text("text"), "你们")) << row.Text("text");
    }
  // The zodiac relations are graded within the report's 上等婚, 中等婚 and 下等婚.
  const auto relations = db.All(Swallow{}, RefFile::kTgcode, "SELECT relation, grade FROM sxgx");
  EXPECT_EQ(relations.size(), 8u);
  for (const Row& row : relations) {
    const std::string grade = row.Text("grade");
    EXPECT_TRUE(grade == "上等婚" || grade == "中等婚" || grade == "下等婚") << row.Text("relation") << grade;
  }
  // The verse of 3两8钱 has 黉门 (the school), and no internet slang in 3两5钱.
  const Row v38 = db.First(Swallow{}, RefFile::kBookFile, "SELECT MM FROM chenggu WHERE weight = ?", {std::string("38")});
  EXPECT_EQ(v38.Text("MM"), "一身骨肉最清高，早入黉门姓氏标。待到年将三十六，蓝衫脱去换红袍。");
  for (const Row& row : db.All(Swallow{}, RefFile::kBookFile, "SELECT MM, content, content2 FROM chenggu"))
    for (size_t c = 0; c < 3; ++c) {
      EXPECT_FALSE(Contains(row.Text(c), "簧门") || Contains(row.Text(c), "风口")) << row.Text(c);
    }
}

TEST(ReferenceTables, CompleteDistinctAndReal) {
  RefDb db;
  const char* signs[] = {"白羊座", "金牛座", "双子座", "巨蟹座", "狮子座", "处女座",
                         "天秤座", "天蝎座", "射手座", "摩羯座", "水瓶座", "双鱼座"};
  std::set<std::string> texts;
  for (int topic = 0; topic < 3; ++topic)
    for (auto s : signs) {
      const std::string t = StarSignText(db, s, topic);
      EXPECT_GE(Utf8Length(t), 300) << s << topic;
      EXPECT_LE(Utf8Length(t), 800) << s << topic;
      EXPECT_TRUE(texts.insert(t).second) << s << topic;
    }
  for (int key = 21; key <= 72; ++key) {
    const Row r = db.First(Unguarded{}, RefFile::kBookFile, "SELECT MM, content, content2 FROM chenggu WHERE weight = ?",
                           {std::to_string(key)});
    ASSERT_TRUE(r.found()) << key;
    for (size_t c = 0; c < 3; ++c) {
      EXPECT_FALSE(r.Text(c).empty()) << key;
      EXPECT_TRUE(texts.insert(r.Text(c)).second) << key << " column " << c;
    }
  }
  for (auto animal : kZodiacAnimals) {
    const Row r = db.First(Unguarded{}, RefFile::kTgcode, "SELECT * FROM shengxiao WHERE shuxing = ?", {std::string(animal)});
    ASSERT_TRUE(r.found()) << animal;
    for (const char* col : {"Tedian", "shouhushen", "yanshe", "fangwei", "hua", "shuzi"})
      EXPECT_TRUE(texts.insert(r.Text(col)).second) << animal << " " << col;
  }
  for (auto relation : {"生气", "延年", "天医", "伏位", "绝命", "五鬼", "六煞", "祸害"}) {
    const Row r = db.First(Unguarded{}, RefFile::kTgcode, "SELECT \"Values\" FROM mgfx WHERE mc = ?", {relation});
    EXPECT_TRUE(texts.insert(r.Text("Values")).second) << relation;
  }
  for (auto a : kElementNames)
    for (auto b : kElementNames) {
      const Row r = db.First(Unguarded{}, RefFile::kTgcode, "SELECT note FROM mgwx WHERE nan = ? AND nv = ?",
                             {std::string(a), std::string(b)});
      EXPECT_TRUE(texts.insert(r.Text("note")).second) << a << b;
    }
  for (const auto& t : texts) {
    EXPECT_EQ(t.find("TODO"), std::string::npos);
    EXPECT_EQ(t.find("占位"), std::string::npos);
  }
  const Row years = db.First(Unguarded{}, RefFile::kBookFile, "SELECT count(*), min(year), max(year) FROM chenggu1");
  EXPECT_EQ(years.Text(size_t{0}), "201");
  EXPECT_EQ(db.First(Unguarded{}, RefFile::kTgcode, "SELECT count(*) FROM mghp").Text(size_t{0}), "64");
}

}  // namespace
}  // namespace hehun
