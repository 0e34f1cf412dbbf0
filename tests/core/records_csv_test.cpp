// CSV files of the records archive: RFC 4180 reading and writing, the round
// trip of a thousand generated people, and imports that refuse bad rows.
#include <gtest/gtest.h>

#include "records/csv.h"
#include "records/csv_transfer.h"
#include "records_support.h"
#include "test_support.h"

namespace hehun::records {
namespace {

namespace fs = std::filesystem;

std::vector<CsvRecord> ReadAll(std::string_view text, std::string* error = nullptr) {
  CsvReader reader(text);
  std::vector<CsvRecord> records;
  CsvRecord r;
  while (reader.Next(r)) records.push_back(r);
  if (error) *error = reader.error();
  return records;
}

TEST(RecordsCsv, ReadsQuotedFieldsAndNamesTheirLines) {
  const std::string text = std::string(kUtf8Bom) +
                           "a,\"b,c\",\"say \"\"hi\"\"\"\r\n"
                           "\"two\nlines\",,x\n"
                           "last,\"\",\"\r\n\"";
  const auto records = ReadAll(text);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].fields, (std::vector<std::string>{"a", "b,c", "say \"hi\""}));
  EXPECT_EQ(records[1].fields, (std::vector<std::string>{"two\nlines", "", "x"}));
  EXPECT_EQ(records[1].line, 2);
  EXPECT_EQ(records[2].fields, (std::vector<std::string>{"last", "", "\r\n"}));
  EXPECT_EQ(records[2].line, 4);

  std::string error;
  ReadAll("a,b\n\"open,c\nd\n", &error);
  EXPECT_EQ(error, "第2行：引号没有闭合");
  ReadAll("a,\"b\"c\n", &error);
  EXPECT_EQ(error, "第1行：引号外有多余的文字（字段中的引号应写成两个）");
}

TEST(RecordsCsv, WritesFieldsQuotedOnlyWhenNeeded) {
  EXPECT_EQ(CsvLine({"张三", "a,b", "say \"hi\"", "x\ny", ""}), "张三,\"a,b\",\"say \"\"hi\"\"\",\"x\ny\",\r\n");
  const std::vector<std::string> fields = {"", ",", "\"", "\r\n", " 空格 ", "中文"};
  const auto back = ReadAll(CsvLine(fields));
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0].fields, fields);
}

TEST(RecordsCsv, ThousandPeopleComeBackWithEveryFieldEqual) {
  test::TempDir dir;
  const auto people = test::GeneratedPeople(1000, 11);
  test::WriteText(dir.path() / "in.csv", test::CsvOfPeople(people));
  Archive archive(dir.path() / "records.db");
  const ImportResult imported = ImportPeopleCsv(archive, dir.path() / "in.csv", false);
  EXPECT_EQ(imported.refused, std::vector<std::string>{});
  ASSERT_EQ(imported.added, 1000);
  ASSERT_EQ(ExportPeopleCsv(archive, dir.path() / "out.csv"), 1000);

  const std::string exported = test::ReadFile(dir.path() / "out.csv");
  ASSERT_EQ(exported.rfind(std::string(kUtf8Bom) + "id," + kCsvHeader + "\r\n", 0), 0u);
  const auto rows = ReadAll(exported);
  ASSERT_EQ(rows.size(), 1001u);
  for (size_t i = 0; i < people.size(); ++i) {
    const auto& f = rows[i + 1].fields;
    ASSERT_EQ(f.size(), 10u);
    const PersonTexts want = TextsOf(people[i]);
    const std::vector<std::string> expected = {want.name, want.sex,   want.calendar, want.date, want.time,
                                               want.leap, want.place, want.blood,    want.note};
    EXPECT_EQ(std::vector<std::string>(f.begin() + 1, f.end()), expected) << "row " << i;
  }
  // The exported file imports again (the id column taken and ignored).
  Archive second(dir.path() / "second.db");
  const ImportResult again = ImportPeopleCsv(second, dir.path() / "out.csv", false);
  EXPECT_EQ(again.added, 1000);
  const auto stored = second.FindPeople({});
  for (size_t i = 0; i < people.size(); ++i) test::ExpectSameFields(people[i], stored[i], "row " + std::to_string(i));
}

TEST(RecordsCsv, ABadRowRefusesTheWholeImportAndNamesItsLine) {
  test::TempDir dir;
  auto people = test::GeneratedPeople(30, 5);
  for (auto& p : people) p.note = "";
  people[2].note = "两行\n备注";  // the rows after it start one line later
  std::string text = test::CsvOfPeople(people);
  // Row 16 of people sits on line 18 (header, one extra line); give it 1990-02-30.
  auto rows = ReadAll(text);
  const auto lineOf = [&](int row) { return rows[row + 1].line; };
  ASSERT_EQ(lineOf(15), 18);
  const std::string bad = "坏人,男,公历,1990-02-30,08:30,0,,,\r\n";
  const std::string badSex = "坏人,X,公历,1990-01-01,08:30,0,,,\r\n";
  const std::string shortRow = "坏人,男\r\n";
  text.clear();
  text = test::CsvOfPeople(std::vector(people.begin(), people.begin() + 15)) + bad + badSex;
  for (size_t i = 15; i < people.size(); ++i) {
    const auto t = TextsOf(people[i]);
    text += CsvLine({t.name, t.sex, t.calendar, t.date, t.time, t.leap, t.place, t.blood, t.note});
  }
  text += shortRow;
  test::WriteText(dir.path() / "in.csv", text);
  const std::vector<std::string> reasons = {"第18行：出生日期“1990-02-30”不是有效的日期",
                                            "第19行：性别“X”应为“男”或“女”", "第35行：应有9列，实有2列"};

  Archive archive(dir.path() / "records.db");
  archive.AddPerson(people[0]);
  const ImportResult refused = ImportPeopleCsv(archive, dir.path() / "in.csv", false);
  EXPECT_EQ(refused.refused, reasons);
  EXPECT_FALSE(refused.committed);
  EXPECT_EQ(refused.added, 0);
  EXPECT_EQ(archive.CountPeople(), 1);

  const ImportResult skipped = ImportPeopleCsv(archive, dir.path() / "in.csv", true);
  EXPECT_EQ(skipped.refused, reasons);
  EXPECT_TRUE(skipped.committed);
  EXPECT_EQ(skipped.added, 30);
  EXPECT_EQ(archive.CountPeople(), 31);
}

TEST(RecordsCsv, WrongHeaderOrEncodingRefusesTheFile) {
  test::TempDir dir;
  Archive archive(dir.path() / "records.db");
  const struct {
    std::string text;
    std::string reason;
  } cases[] = {
      {"name,sex,date\r\n张三,男,1990-01-01\r\n", "第1行：表头应为“name,sex,calendar,date,time,leap,place,blood,note”（前面可加id列）"},
      {"", "第1行：文件是空的，应有表头“name,sex,calendar,date,time,leap,place,blood,note”"},
      {std::string(kCsvHeader) + "\r\n\xD5\xC5\xC8\xFD,\xC4\xD0,,1990-01-01,08:00,0,,,\r\n",
       "文件不是UTF-8文字（在电子表格程序中请另存为“CSV UTF-8”格式）"},
  };
  for (const auto& c : cases) {
    test::WriteText(dir.path() / "in.csv", c.text);
    const ImportResult r = ImportPeopleCsv(archive, dir.path() / "in.csv", true);
    EXPECT_EQ(r.refused, std::vector<std::string>{c.reason});
    EXPECT_FALSE(r.committed);
  }
  // A header without the BOM and with blank lines between rows is fine.
  test::WriteText(dir.path() / "in.csv", std::string(kCsvHeader) + "\n张三,男,公历,1990-01-01,08:00,0,,,\n\n");
  EXPECT_EQ(ImportPeopleCsv(archive, dir.path() / "in.csv", false).added, 1);
}

TEST(RecordsCsv, ExportLeavesNoHalfFileAndReplacesWhole) {
  test::TempDir dir;
  Archive archive(dir.path() / "records.db");
  archive.AddPerson(test::GeneratedPeople(1, 1)[0]);
  test::WriteText(dir.path() / "out.csv", "old");
  EXPECT_EQ(ExportPeopleCsv(archive, dir.path() / "out.csv"), 1);
  EXPECT_EQ(ReadAll(test::ReadFile(dir.path() / "out.csv")).size(), 2u);
  // A folder that cannot be written: an error, and nothing under the name.
  EXPECT_THROW(ExportPeopleCsv(archive, dir.path() / "missing" / "out.csv"), ArchiveError);
  EXPECT_FALSE(fs::exists(dir.path() / "missing"));
  for (const auto& entry : fs::directory_iterator(dir.path()))
    EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos) << entry.path();
}

}  // namespace
}  // namespace hehun::records
