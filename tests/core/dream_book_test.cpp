// The dream book: search and browse on a small fixture (the search rules),
// then on the built BookFile.dll (the book itself) and the command line.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <fstream>
#include <string>
#include <vector>

#include "knowledge/dream_book.h"
#include "test_support.h"

namespace hehun {
namespace {

// A BookFile.dll holding only the fixture's dream table.
class DreamFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open((dir_.path() / "BookFile.dll").c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE dream (category TEXT, image TEXT, reading TEXT)", nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_stmt* ins = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "INSERT INTO dream VALUES (?, ?, ?)", -1, &ins, nullptr), SQLITE_OK);
    std::ifstream in(std::string(HEHUN_SOURCE_DIR) + "/tests/data/dream_fixture.tsv");
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
      const size_t a = line.find('\t'), b = line.find('\t', a + 1);
      const std::string fields[] = {line.substr(0, a), line.substr(a + 1, b - a - 1), line.substr(b + 1)};
      for (int i = 0; i < 3; ++i) sqlite3_bind_text(ins, i + 1, fields[i].c_str(), -1, SQLITE_TRANSIENT);
      ASSERT_EQ(sqlite3_step(ins), SQLITE_DONE);
      sqlite3_reset(ins);
    }
    sqlite3_finalize(ins);
    sqlite3_close(db);
  }

  std::vector<std::string> Images(const std::string& text) {
    RefDb db(dir_.path());
    std::vector<std::string> images;
    for (const auto& e : SearchDreams(db, DreamSearchWords(text))) images.push_back(e.image);
    return images;
  }

  test::TempDir dir_;
};

TEST_F(DreamFixture, FindsAWordInTheImageFirstThenInTheReading) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Images("蛇"), (V{"梦见蛇", "梦见老师", "梦见彩虹"}));
  EXPECT_EQ(Images("财运"), (V{"梦见蛇"}));
  // every word must occur, in the image or in the reading
  EXPECT_EQ(Images("蛇 老师"), (V{"梦见老师"}));
  EXPECT_EQ(Images("彩虹，口舌"), (V{"梦见彩虹"}));
  EXPECT_EQ(Images("蛇　猫"), V{});
  // the pattern characters of LIKE are matched as themselves
  EXPECT_EQ(Images("50%"), (V{"梦见下雨"}));
  EXPECT_EQ(Images("%"), (V{"梦见下雨"}));
  EXPECT_EQ(Images("_"), V{});
  EXPECT_EQ(Images("'"), V{});
}

TEST_F(DreamFixture, CategoriesInBookOrderWithCounts) {
  RefDb db(dir_.path());
  const std::vector<std::pair<std::string, int>> expected = {{"动物", 2}, {"人物", 1}, {"自然", 2}};
  EXPECT_EQ(DreamCategories(db), expected);
  LineList out;
  DreamCategoryReport(db, out);
  EXPECT_EQ(out.Text(), "动物\t2\n人物\t1\n自然\t2\n合计\t5");
  CapturedMessages messages;
  LineList browse;
  ASSERT_TRUE(DreamCategoryBrowse(db, "自然", messages, browse));
  EXPECT_EQ(browse.lines().front(), "自然类梦境共 2 条：");
  EXPECT_EQ(browse.lines()[1], "【自然】梦见下雨");
  EXPECT_FALSE(DreamCategoryBrowse(db, "外星", messages, browse));
  ASSERT_EQ(messages.entries.size(), 1u);
  EXPECT_EQ(messages.entries[0].text, "没有这个梦境分类：“外星”");
}

TEST_F(DreamFixture, SearchReportCountsAndSaysWhenNothingIsFound) {
  RefDb db(dir_.path());
  CapturedMessages messages;
  LineList out;
  ASSERT_TRUE(DreamSearchReport(db, " 猫 ", messages, out));
  EXPECT_EQ(out.Text(), "与“猫”有关的梦共 1 条：\n【动物】梦见猫\n    猫在梦里多与身边的女性有关，看清它的神态可知人际的冷暖。");
  out.Clear();
  ASSERT_TRUE(DreamSearchReport(db, "飞碟", messages, out));
  EXPECT_EQ(out.lines().size(), 1u);
  EXPECT_EQ(out.lines()[0].rfind("没有找到与“飞碟”有关的梦", 0), 0u);
  out.Clear();
  EXPECT_FALSE(DreamSearchReport(db, "  ", messages, out));
  EXPECT_TRUE(out.lines().empty());
  ASSERT_EQ(messages.entries.size(), 1u);
  EXPECT_EQ(messages.entries[0].kind, CapturedMessages::Entry::kInfo);
}

TEST(DreamBook, TheBuiltBookHasTwelveCategoriesAndAtLeastSixHundredEntries) {
  RefDb db(test::BinDir());
  const auto categories = DreamCategories(db);
  const std::vector<std::string> names = {"人物", "动物", "植物", "物品", "活动", "生活",
                                          "自然", "鬼神", "建筑", "身体", "情爱", "其他"};
  ASSERT_EQ(categories.size(), names.size());
  int total = 0;
  for (size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(categories[i].first, names[i]);
    EXPECT_GE(categories[i].second, 30) << names[i];
    total += categories[i].second;
  }
  EXPECT_GE(total, 600);
  const auto snakes = SearchDreams(db, {"蛇"});
  ASSERT_FALSE(snakes.empty());
  EXPECT_EQ(snakes.front().image, "梦见蛇");
}

TEST(DreamBook, CommandLine) {
  int status = -1;
  std::string out = test::RunProgram("hehun-cli dream 蛇", "", &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(out.rfind("与“蛇”有关的梦共 ", 0), 0u) << out;
  EXPECT_NE(out.find("\n【动物】梦见蛇\n"), std::string::npos);
  out = test::RunProgram("hehun-cli dream --categories", "", &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(out.rfind("人物\t", 0), 0u) << out;
  EXPECT_NE(out.find("\n其他\t"), std::string::npos);
  EXPECT_NE(out.find("\n合计\t"), std::string::npos);
  test::RunProgram("hehun-cli dream", "", &status);
  EXPECT_EQ(status, 2);
  test::RunProgram("hehun-cli dream --category 外星", "", &status);
  EXPECT_EQ(status, 1);
}

}  // namespace
}  // namespace hehun
