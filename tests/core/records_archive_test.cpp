// The records archive through its core interface: saving, searching and
// deleting people and couples, the file's place and mode, and the files it
// refuses to touch: damaged, foreign, newer. The upgrade path with its copy.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <cstdlib>

#include "records/archive.h"
#include "records_support.h"
#include "test_support.h"

namespace hehun::records {
namespace {

namespace fs = std::filesystem;

Person Make(const std::string& name, const std::string& sex, const std::string& note = "",
            const std::vector<std::string>& tags = {}) {
  Person p;
  p.name = name;
  p.sex = sex;
  p.birthDate = {1990, 5, 1};
  p.hour = 8;
  p.minute = 30;
  p.note = note;
  p.tags = tags;
  return p;
}

std::vector<std::string> Names(const std::vector<Person>& people) {
  std::vector<std::string> names;
  for (const auto& p : people) names.push_back(p.name);
  return names;
}

// Runs statements on a file with plain SQLite, as another program would.
void RawSql(const fs::path& file, const char* sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
  sqlite3_close(db);
}

ArchiveError::Kind OpenError(const fs::path& file, ArchiveAccess access = ArchiveAccess::kWrite) {
  try {
    Archive archive(file, access);
  } catch (const ArchiveError& e) {
    return e.kind();
  }
  ADD_FAILURE() << file << " opened";
  return ArchiveError::kFailed;
}

TEST(RecordsArchive, SavesChangesAndDeletesPeople) {
  test::TempDir dir;
  Archive archive(dir.path() / "sub" / "records.db");
  const int64_t a = archive.AddPerson(Make("张三", "男", "老客户", {"客户"}));
  const int64_t b = archive.AddPerson(Make("李四", "女"));
  EXPECT_EQ(archive.CountPeople(), 2);
  Person p = archive.GetPerson(a);
  EXPECT_EQ(p.id, a);
  test::ExpectSameFields(Make("张三", "男", "老客户", {"客户"}), p, "saved");
  EXPECT_GT(p.createdAt, 0);
  p.note = "改过的备注";
  p.tags = {"VIP", "北京"};
  archive.UpdatePerson(p);
  EXPECT_EQ(archive.GetPerson(a).note, "改过的备注");
  EXPECT_EQ(archive.GetPerson(a).tags, (std::vector<std::string>{"VIP", "北京"}));

  archive.DeletePerson(b);
  EXPECT_FALSE(archive.FindPerson(b));
  // Numbers are not used again after a delete.
  EXPECT_GT(archive.AddPerson(Make("王五", "女")), b);
  try {
    archive.DeletePerson(b);
    ADD_FAILURE() << "deleted twice";
  } catch (const ArchiveError& e) {
    EXPECT_EQ(e.kind(), ArchiveError::kNotFound);
    EXPECT_EQ(std::string(e.what()), "档案中没有编号为" + std::to_string(b) + "的人");
  }
  Person bad = Make("", "男");
  bad.birthDate = {1990, 2, 30};
  try {
    archive.AddPerson(bad);
    ADD_FAILURE() << "saved a bad person";
  } catch (const ArchiveError& e) {
    EXPECT_EQ(std::string(e.what()), "姓名为空；出生日期“1990-02-30”不是有效的日期");
  }
  EXPECT_EQ(archive.CountPeople(), 2);
}

TEST(RecordsArchive, FindsByNameNoteOrTagInPages) {
  test::TempDir dir;
  Archive archive(dir.path() / "records.db");
  archive.AddPerson(Make("张伟", "男"));
  archive.AddPerson(Make("李娜", "女", "张家的表妹"));
  archive.AddPerson(Make("Anne", "女", "", {"VIP客户"}));
  archive.AddPerson(Make("王芳", "女", "100%满意_好"));
  archive.AddPerson(Make("张敏", "女"));
  const struct {
    const char* text;
    std::vector<std::string> names;
  } cases[] = {
      {"张", {"张伟", "李娜", "张敏"}}, {"vip", {"Anne"}}, {"ANNE", {"Anne"}}, {"%", {"王芳"}},
      {"_好", {"王芳"}},                 {"赵", {}},        {"", {"张伟", "李娜", "Anne", "王芳", "张敏"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Names(archive.FindPeople({c.text})), c.names) << c.text;
    EXPECT_EQ(archive.CountMatching(c.text), static_cast<int64_t>(c.names.size())) << c.text;
  }
  const auto page1 = archive.FindPeople({"张", 0, 2});
  ASSERT_EQ(Names(page1), (std::vector<std::string>{"张伟", "李娜"}));
  EXPECT_EQ(Names(archive.FindPeople({"张", page1.back().id, 2})), std::vector<std::string>{"张敏"});
}

TEST(RecordsArchive, CouplesPairAManAndAWomanAndGoWithTheirPeople) {
  test::TempDir dir;
  Archive archive(dir.path() / "records.db");
  const int64_t man = archive.AddPerson(Make("张三", "男"));
  const int64_t woman = archive.AddPerson(Make("李四", "女"));
  const int64_t other = archive.AddPerson(Make("王五", "男"));
  const int64_t couple = archive.SaveCouple(woman, man, "介绍人老陈");
  EXPECT_EQ(archive.SaveCouple(man, woman), couple);  // the same pair, the note kept
  archive.MarkMatched(couple, {2026, 5, 10});
  const Couple c = archive.GetCouple(couple);
  EXPECT_EQ(c.firstId, man);
  EXPECT_EQ(c.secondId, woman);
  EXPECT_EQ(c.note, "介绍人老陈");
  EXPECT_EQ(c.lastMatched, "2026-05-10");
  EXPECT_THROW(archive.SaveCouple(man, other), ArchiveError);  // two men
  archive.SaveCouple(other, woman);
  EXPECT_EQ(archive.ListCouples(woman).size(), 2u);
  archive.DeletePerson(woman);
  EXPECT_EQ(archive.CountCouples(), 0);
}

TEST(RecordsArchive, FileIsPrivateAndLivesInTheXdgDataHome) {
  test::TempDir dir;
  const fs::path file = dir.path() / "new" / "records.db";
  { Archive archive(file); }
  struct stat st {};
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  ASSERT_EQ(::stat(file.parent_path().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);

  const char* saved = std::getenv("XDG_DATA_HOME");
  const std::string keep = saved ? saved : "";
  setenv("XDG_DATA_HOME", "/somewhere/data", 1);
  EXPECT_EQ(DefaultArchivePath(), fs::path("/somewhere/data/瑞祺八字合婚配软件/records.db"));
  setenv("XDG_DATA_HOME", "", 1);
  EXPECT_EQ(DefaultArchivePath(), fs::path(std::getenv("HOME")) / ".local/share/瑞祺八字合婚配软件/records.db");
  if (saved) setenv("XDG_DATA_HOME", keep.c_str(), 1); else unsetenv("XDG_DATA_HOME");
}

TEST(RecordsArchive, ReadingNeverCreatesAFile) {
  test::TempDir dir;
  EXPECT_EQ(OpenError(dir.path() / "records.db", ArchiveAccess::kRead), ArchiveError::kNotFound);
  EXPECT_FALSE(fs::exists(dir.path() / "records.db"));
}

TEST(RecordsArchive, DamagedFileIsRefusedUntouchedAndCanBeMovedAside) {
  test::TempDir dir;
  const fs::path garbage = dir.path() / "records.db";
  const std::string bytes(5000, 'x');
  test::WriteText(garbage, "这不是数据库" + bytes);
  for (auto access : {ArchiveAccess::kWrite, ArchiveAccess::kRead})
    EXPECT_EQ(OpenError(garbage, access), ArchiveError::kDamaged);
  EXPECT_EQ(test::ReadFile(garbage), "这不是数据库" + bytes);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);

  // A real archive with a page overwritten fails the integrity check.
  const fs::path broken = dir.path() / "broken.db";
  {
    Archive archive(broken);
    Archive::Batch batch(archive);
    for (const auto& p : test::GeneratedPeople(2000, 7)) batch.Add(p);
    batch.Commit();
  }
  std::string content = test::ReadFile(broken);
  ASSERT_GT(content.size(), 40000u);
  for (size_t i = 20000; i < 24000; ++i) content[i] = static_cast<char>(i * 7);
  test::WriteText(broken, content);
  EXPECT_EQ(OpenError(broken), ArchiveError::kDamaged);
  EXPECT_EQ(test::ReadFile(broken), content);

  const fs::path aside = MoveArchiveAside(garbage);
  EXPECT_EQ(aside.filename().string().rfind("records.db.damaged-", 0), 0u) << aside;
  EXPECT_EQ(test::ReadFile(aside), "这不是数据库" + bytes);
  EXPECT_FALSE(fs::exists(garbage));
  // A second move on the same second does not overwrite the first.
  test::WriteText(garbage, "again");
  const fs::path second = MoveArchiveAside(garbage);
  EXPECT_NE(second, aside);
  EXPECT_EQ(test::ReadFile(aside), "这不是数据库" + bytes);
  Archive fresh(garbage);
  EXPECT_EQ(fresh.CountPeople(), 0);
}

TEST(RecordsArchive, OtherDatabasesAndNewerArchivesAreNotTouched) {
  test::TempDir dir;
  const fs::path foreign = dir.path() / "Tgcode.dll";
  RawSql(foreign, "CREATE TABLE JQ(YearA INTEGER, JQ TEXT, SJ TEXT); INSERT INTO JQ VALUES (1990, '立春', 'x')");
  const std::string before = test::ReadFile(foreign);
  EXPECT_EQ(OpenError(foreign), ArchiveError::kForeign);
  EXPECT_EQ(test::ReadFile(foreign), before);

  const fs::path newer = dir.path() / "records.db";
  { Archive archive(newer); }
  RawSql(newer, "PRAGMA user_version = 99");
  const std::string newerBytes = test::ReadFile(newer);
  EXPECT_EQ(OpenError(newer), ArchiveError::kTooNew);
  EXPECT_EQ(test::ReadFile(newer), newerBytes);
}

TEST(RecordsArchive, UpgradeCopiesTheFileFirstAndKeepsEveryPerson) {
  test::TempDir dir;
  const fs::path file = dir.path() / "records.db";
  const auto people = test::GeneratedPeople(50, 3);
  {
    Archive archive(file);
    Archive::Batch batch(archive);
    for (const auto& p : people) batch.Add(p);
    batch.Commit();
  }
  // A later version that adds a column: the program's steps plus one.
  std::vector<SchemaStep> steps = ArchiveSchemaSteps();
  steps.push_back({steps.back().version + 1, "ALTER TABLE person ADD COLUMN place_code TEXT NOT NULL DEFAULT ''"});
  {
    Archive upgraded(file, steps);
    EXPECT_EQ(upgraded.CountPeople(), 50);
    for (const auto& p : upgraded.FindPeople({})) test::ExpectSameFields(people[p.id - 1], p, "upgraded");
  }
  std::vector<fs::path> copies;
  for (const auto& entry : fs::directory_iterator(dir.path()))
    if (entry.path().filename().string().rfind("records.db.v1-backup-", 0) == 0) copies.push_back(entry.path());
  ASSERT_EQ(copies.size(), 1u);
  // The copy is the old archive, which this version still opens as it was.
  {
    Archive copy(copies[0]);
    EXPECT_EQ(copy.CountPeople(), 50);
  }
  // Opening the upgraded file again takes no second copy; an older program refuses it.
  { Archive again(file, steps); }
  EXPECT_EQ(OpenError(file), ArchiveError::kTooNew);
  int backups = 0;
  for (const auto& entry : fs::directory_iterator(dir.path()))
    backups += entry.path().filename().string().find("-backup-") != std::string::npos;
  EXPECT_EQ(backups, 1);
}

}  // namespace
}  // namespace hehun::records
