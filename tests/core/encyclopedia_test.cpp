// The encyclopedia articles of BookFile.dll and their lookup.
#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "knowledge/encyclopedia.h"
#include "refdb/text.h"
#include "test_support.h"

namespace hehun {
namespace {

TEST(Encyclopedia, TenDistinctArticlesUnderTheirButtonTitles) {
  RefDb db;
  std::set<std::string> texts;
  for (const EncyclopediaEntry& entry : kEncyclopediaEntries) {
    SCOPED_TRACE(std::string(entry.key));
    const Row row = db.First(Unguarded{}, RefFile::kBookFile, "SELECT Tite FROM Noter WHERE Cid = ?",
                             {std::string(entry.key)});
    EXPECT_EQ(row.Text(size_t{0}), entry.title);
    const std::string text = EncyclopediaArticle(db, entry.key);
    EXPECT_GE(Utf8Length(text), 300);
    EXPECT_GE(std::count(text.begin(), text.end(), '\n'), 2) << "several paragraphs";
    EXPECT_EQ(text.rfind("\u3000\u3000", 0), 0u) << "the first paragraph keeps its indent";
    EXPECT_TRUE(texts.insert(text).second) << "the same text as another article";
  }
}

// The traditional pairs as the articles state them.
TEST(Encyclopedia, BranchRelationArticlesNameTheTraditionalPairs) {
  RefDb db;
  const struct {
    const char* key;
    std::vector<std::string> phrases;
  } cases[] = {
      {"hh06", {"子午相冲", "丑未相冲", "寅申相冲", "卯酉相冲", "辰戌相冲", "巳亥相冲"}},
      {"hh07", {"子未相害", "丑午相害", "寅巳相害", "卯辰相害", "申亥相害", "酉戌相害"}},
      {"hh08", {"寅、巳、申三支相刑，称为“无恩之刑”", "丑、戌、未三支相刑，称为“恃势之刑”", "子与卯相刑，称为“无礼之刑”",
                "辰、午、酉、亥四支各与自身相刑，称为“自刑”"}},
      {"hh09", {"子丑合土", "寅亥合木", "卯戌合火", "辰酉合金", "巳申合水", "午未相合", "申子辰合水局", "亥卯未合木局",
                "寅午戌合火局", "巳酉丑合金局"}},
  };
  for (const auto& c : cases) {
    const std::string text = EncyclopediaArticle(db, c.key);
    for (const std::string& phrase : c.phrases) EXPECT_NE(text.find(phrase), std::string::npos) << c.key << ": " << phrase;
  }
}

TEST(Encyclopedia, UnknownKeyIsEmptyAndAnUnreadableDatabaseStopsSilently) {
  RefDb db;
  EXPECT_EQ(EncyclopediaArticle(db, "hh99"), "");
  EXPECT_EQ(EncyclopediaArticle(db, ""), "");
  EXPECT_EQ(EncyclopediaArticle(db, "hh01 "), EncyclopediaArticle(db, "hh01"));

  test::TempDir dir;
  RefDb missing(dir.path());
  EXPECT_THROW(EncyclopediaArticle(missing, "hh01"), SilentAbort);
  std::ofstream(dir.path() / "BookFile.dll") << "not a database";
  RefDb damaged(dir.path());
  EXPECT_THROW(EncyclopediaArticle(damaged, "hh01"), SilentAbort);
}

}  // namespace
}  // namespace hehun
