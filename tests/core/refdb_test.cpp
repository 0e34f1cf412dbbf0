// The reference database layer: the shared lookups on the built data, key
// handling, the three error policies, and that files are never changed.
#include <gtest/gtest.h>

#include <fstream>

#include "refdb/ganzhi.h"
#include "refdb/lookups.h"
#include "refdb/text.h"
#include "refdb/refdb.h"
#include "test_support.h"

namespace hehun {
namespace {

TEST(SharedLookups, AnswerForEveryStemBranchAndPillar) {
  RefDb db;
  for (auto s : kCalendarStems) EXPECT_EQ(HanziElement(db, s), kElementNames[static_cast<int>(StemElement(IndexOf(kCalendarStems, s)))]) << s;
  for (int b = 0; b < 12; ++b)
    EXPECT_EQ(HanziElement(db, kCalendarBranches[b]), kElementNames[static_cast<int>(kBranchElements[b])]);
  for (int i = 0; i < 60; ++i) EXPECT_FALSE(NayinOf(db, PillarName(i)).empty()) << PillarName(i);
  for (auto d : kCalendarStems)
    for (auto s : kCalendarStems) EXPECT_EQ(Utf8Length(TenGodOf(db, std::string(d) + std::string(s))), 2);
}

TEST(SharedLookups, TraditionalValues) {
  RefDb db;
  EXPECT_EQ(NayinOf(db, "甲子"), "海中金");
  EXPECT_EQ(NayinOf(db, "乙丑"), "海中金");
  EXPECT_EQ(NayinOf(db, "庚午"), "路旁土");
  EXPECT_EQ(NayinOf(db, "癸亥"), "大海水");
  EXPECT_EQ(TenGodOf(db, "甲甲"), "比肩");
  EXPECT_EQ(TenGodOf(db, "甲乙"), "劫财");
  EXPECT_EQ(TenGodOf(db, "甲丙"), "食神");
  EXPECT_EQ(TenGodOf(db, "甲丁"), "伤官");
  EXPECT_EQ(TenGodOf(db, "甲戊"), "偏财");
  EXPECT_EQ(TenGodOf(db, "甲己"), "正财");
  EXPECT_EQ(TenGodOf(db, "甲庚"), "七杀");
  EXPECT_EQ(TenGodOf(db, "甲辛"), "正官");
  EXPECT_EQ(TenGodOf(db, "甲壬"), "偏印");
  EXPECT_EQ(TenGodOf(db, "甲癸"), "正印");
  EXPECT_EQ(TenGodOf(db, "戊丙"), "偏印");
  EXPECT_EQ(HanziElement(db, "午"), "火");
  EXPECT_EQ(HanziElement(db, "丑"), "土");
  EXPECT_EQ(HanziElement(db, "好"), "");
  EXPECT_EQ(HanziElement(db, ""), "");
}

TEST(SharedLookups, TrailingBlanksOfTheKeyAreIgnored) {
  RefDb db;
  EXPECT_EQ(NayinOf(db, "丁卯 "), NayinOf(db, "丁卯"));
  EXPECT_EQ(NayinOf(db, "丁卯 "), "炉中火");
  EXPECT_EQ(TenGodOf(db, "甲丙 "), "食神");
}

TEST(SharedLookups, MissingOrDamagedDatabaseGivesEmptyText) {
  test::TempDir dir;
  {
    RefDb db(dir.path());
    EXPECT_EQ(NayinOf(db, "甲子"), "");
    EXPECT_EQ(TenGodOf(db, "甲丙"), "");
    EXPECT_EQ(HanziElement(db, "甲"), "");
  }
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "Tgcode.dll")) << "a missing file must not be created";
  {
    std::ofstream(dir.path() / "Tgcode.dll") << "this is not a database at all, just some damaged bytes";
    RefDb db(dir.path());
    EXPECT_EQ(NayinOf(db, "甲子"), "");
    EXPECT_EQ(TenGodOf(db, "甲丙"), "");
    EXPECT_EQ(HanziElement(db, "甲"), "");
  }
}

TEST(ErrorPolicies, EachPolicyEndsTheActionItsOwnWay) {
  test::TempDir dir;
  RefDb db(dir.path());
  const char* sql = "SELECT 1";
  EXPECT_FALSE(db.First(Swallow{}, RefFile::kBookFile, sql).found());
  EXPECT_THROW(db.First(AbortSilently{}, RefFile::kBookFile, sql), SilentAbort);
  EXPECT_THROW(db.First(Unguarded{}, RefFile::kBookFile, sql), DatabaseError);
  RefDb real;
  EXPECT_THROW(real.First(Unguarded{}, RefFile::kTgcode, "SELECT nothing FROM no_such_table"), DatabaseError);
  EXPECT_THROW(real.First(AbortSilently{}, RefFile::kTgcode, "SELECT nothing FROM no_such_table"), SilentAbort);
}

TEST(RefDbRows, FirstRowTrimmedByNameAndPosition) {
  RefDb db;
  const Row row = db.First(Unguarded{}, RefFile::kTgcode,
                           "SELECT '  padded  ' AS a, 4.7 AS b, NULL AS c UNION ALL SELECT 'second', 1, 1");
  ASSERT_TRUE(row.found());
  EXPECT_EQ(row.Text("a"), "padded");
  EXPECT_EQ(row.Text(size_t{0}), "padded");
  EXPECT_DOUBLE_EQ(row.Number(1), 4.7);
  EXPECT_EQ(row.Text("c"), "");
  EXPECT_EQ(row.Number(2), 0);
  const Row none = db.First(Unguarded{}, RefFile::kTgcode, "SELECT layin FROM jiazi WHERE jiazi = ?", {"无此柱"});
  EXPECT_FALSE(none.found());
  EXPECT_EQ(none.Text("layin"), "");
}

TEST(RefDbRows, DatabasesAreOpenedReadOnly) {
  const auto path = test::BinDir() / "Tgcode.dll";
  const std::string before = test::ReadFile(path);
  {
    RefDb db;
    EXPECT_THROW(db.First(Unguarded{}, RefFile::kTgcode, "DELETE FROM jiazi"), DatabaseError);
    EXPECT_EQ(NayinOf(db, "甲子"), "海中金");
  }
  EXPECT_EQ(test::ReadFile(path), before);
}

}  // namespace
}  // namespace hehun
