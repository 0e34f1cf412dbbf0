// The reference databases are never written: a full run of every feature
// leaves every file of the installation byte for byte as it was and adds no
// file (no journal, no lock file), and the connections refuse any write.
#include <gtest/gtest.h>

#include "hardening_support.h"
#include "knowledge/encyclopedia.h"
#include "refdb/refdb.h"

namespace hehun {
namespace {

// One run of every command, with sound and with refused input.
const std::vector<std::pair<std::vector<std::string>, std::string>>& EveryCommand() {
  static const std::vector<std::pair<std::vector<std::string>, std::string>> runs = {
      {{"marriage", "--man", "张明,1990-06-15,11:30", "--woman", "李芳,1992-03-08,06:05,lunar"}, ""},
      {{"marriage", "--man", "张明,1990-06-15,11:30", "--woman", "李芳,1992-02-30,06:05"}, ""},
      {{"personal", "--name", "张明", "--date", "1990-06-15", "--time", "11:30"}, ""},
      {{"personal", "--name", "李芳", "--sex", "女", "--date", "1992-03-08", "--time", "06:05", "--star"}, ""},
      {{"almanac", "2024-03-05"}, ""},
      {{"almanac", "2024-02-30"}, ""},
      {{"weddingdays", "--man", "1990-06-15", "--woman", "1992-03-08", "--from", "2024-03-05", "--range", "一年以内"}, ""},
      {{"weddingdays", "--man", "1990-06-15", "--woman", "1992-03-08", "--from", "2024-03-05", "--kind", "忌",
        "--purpose", "订婚"},
       ""},
      {{"mobile", "13812345678"}, ""},
      {{"qq", "123456789"}, ""},
      {{"number", "81"}, ""},
      {{"nickname", "张三"}, ""},
      {{"zodiacmatch", "鼠", "马"}, ""},
      {{"signmatch", "白羊座", "狮子座"}, ""},
      {{"bloodmatch", "A", "AB"}, ""},
      {{"solarterms", "2024"}, ""},
      {{"pillars"}, "2000-01-01 12:00 男\n1990-06-15 23:30 女\n"},
      {{"lunar"}, "2024-03-05\n"},
      {{"solar"}, "2024 1 25 0\n"},
      {{"cnday"}, "2024-03-05\n"},
  };
  return runs;
}

TEST(ReadOnlyDatabases, AFullRunOfEveryFeatureChangesNoFile) {
  test::Installation installation;
  const auto before = installation.Fingerprint();
  ASSERT_TRUE(before.count("BookFile.dll") && before.count("Tgcode.dll") && before.count("shensha/rizhu.txt"));
  for (const auto& [args, input] : EveryCommand()) {
    const test::CliRun run = test::RunCli(installation / "hehun-cli", args, input);
    EXPECT_LE(run.status, 1) << args[0] << ": " << run.err;
  }
  // The encyclopedia has no command: its articles are read here.
  SetDataDirOverride(installation.dir());
  {
    RefDb db;
    for (const auto& entry : kEncyclopediaEntries) EXPECT_FALSE(EncyclopediaArticle(db, entry.key).empty());
  }
  SetDataDirOverride({});
  EXPECT_EQ(installation.Fingerprint(), before);
}

TEST(ReadOnlyDatabases, ConnectionsRefuseEveryWrite) {
  test::Installation installation;
  const auto before = installation.Fingerprint();
  {
    RefDb db(installation.dir());
    const std::pair<RefFile, const char*> writes[] = {
        {RefFile::kBookFile, "DELETE FROM huangdao"},
        {RefFile::kBookFile, "INSERT INTO Noter (Cid, Tite, content) VALUES ('x', 'x', 'x')"},
        {RefFile::kBookFile, "DROP TABLE shouji"},
        {RefFile::kTgcode, "UPDATE JQ SET SJ = ''"},
        {RefFile::kTgcode, "CREATE TABLE t (a)"},
        {RefFile::kTgcode, "PRAGMA user_version = 7"},
    };
    for (const auto& [file, sql] : writes) {
      try {
        db.First(Unguarded{}, file, sql);
        ADD_FAILURE() << sql << ": written";
      } catch (const DatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find(RefFileName(file)), std::string::npos) << e.what();
      }
    }
    // The reads of the same action still work.
    EXPECT_TRUE(db.First(Unguarded{}, RefFile::kBookFile, "SELECT * FROM huangdao WHERE gn = ?",
                         {std::string("2024-03-05")})
                    .found());
  }
  EXPECT_EQ(installation.Fingerprint(), before);
}

}  // namespace
}  // namespace hehun
