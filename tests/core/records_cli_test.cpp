// hehun-cli records as separate processes: the commands and their messages,
// two programs writing at once, an import killed at random moments, and a
// damaged archive that the command line refuses without touching it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fcntl.h>
#include <random>
#include <thread>

#include "hardening_support.h"
#include "records/archive.h"
#include "records_support.h"

namespace hehun::records {
namespace {

namespace fs = std::filesystem;
using test::CliRun;

fs::path Cli() { return test::BinDir() / "hehun-cli"; }

CliRun Records(const fs::path& db, std::vector<std::string> args) {
  args.insert(args.begin(), "records");
  args.push_back("--db");
  args.push_back(db.string());
  return test::RunCli(Cli(), args);
}

TEST(RecordsCli, AddListShowCountDelete) {
  test::TempDir dir;
  const fs::path db = dir.path() / "records.db";
  CliRun r = Records(db, {"add", "--name", "张三", "--sex", "男", "--date", "1990-05-01", "--time", "08:30",
                          "--place", "成都", "--blood", "A", "--note", "老客户，第二次来"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "1\n");
  r = Records(db, {"add", "--name", "李四", "--sex", "女", "--date", "1990-05-09", "--time", "23:10", "--lunar",
                   "--leap", "--tags", "VIP"});
  EXPECT_EQ(r.out, "2\n");
  r = Records(db, {"add", "--name", "王五", "--sex", "女", "--date", "1990-02-30", "--time", "08:30"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "出生日期“1990-02-30”不是有效的日期\n");
  EXPECT_EQ(Records(db, {"add", "--name", "王五"}).status, 2);
  EXPECT_EQ(Records(db, {"list", "--bogus"}).status, 2);

  EXPECT_EQ(Records(db, {"list"}).out,
            "1\t张三\t男\t公历\t1990-05-01\t08:30\t0\t成都\tA\t\t老客户，第二次来\n"
            "2\t李四\t女\t农历\t1990-05-09\t23:10\t1\t\t\tVIP\t\n");
  EXPECT_EQ(Records(db, {"list", "--find", "vip"}).out, "2\t李四\t女\t农历\t1990-05-09\t23:10\t1\t\t\tVIP\t\n");
  EXPECT_EQ(Records(db, {"list", "--find", "第二次"}).out.substr(0, 2), "1\t");
  const std::string shown = Records(db, {"show", "2"}).out;
  EXPECT_NE(shown.find("出生：农历（闰月） 1990-05-09 23:10\n对应：公历1990-07-01\n"), std::string::npos) << shown;
  EXPECT_EQ(Records(db, {"count"}).out, "2\n");
  r = Records(db, {"delete", "1"});
  EXPECT_EQ(r.out, "已删除编号1（张三）\n");
  r = Records(db, {"delete", "1"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "档案中没有编号为1的人\n");
  EXPECT_EQ(Records(db, {"show", "x1"}).err, "编号“x1”不是有效的编号\n");
  EXPECT_EQ(Records(db, {"count"}).out, "1\n");
  EXPECT_EQ(Records(db, {"frobnicate"}).status, 2);
}

TEST(RecordsCli, CoupleIsTheMarriageReportAndRecordsTheDay) {
  test::TempDir dir;
  const fs::path db = dir.path() / "records.db";
  Records(db, {"add", "--name", "李芳", "--sex", "女", "--date", "1992-03-08", "--time", "06:05"});
  Records(db, {"add", "--name", "张明", "--sex", "男", "--date", "1990-06-15", "--time", "11:30"});
  Records(db, {"add", "--name", "王刚", "--sex", "男", "--date", "1988-01-01", "--time", "00:00"});
  const CliRun report = Records(db, {"couple", "1", "2", "--today", "2024-03-05"});
  const CliRun direct = test::RunCli(Cli(), {"marriage", "--man", "张明,1990-06-15,11:30", "--woman",
                                             "李芳,1992-03-08,06:05", "--today", "2024-03-05"});
  EXPECT_EQ(report.status, 0) << report.err;
  EXPECT_GT(report.out.size(), 1000u);
  EXPECT_EQ(report.out, direct.out);
  EXPECT_EQ(Records(db, {"couples"}).out, "1\t1\t李芳\t2\t张明\t2024-03-05\t\n");
  const CliRun same = Records(db, {"couple", "2", "3"});
  EXPECT_EQ(same.status, 1);
  EXPECT_EQ(same.err, "“张明”和“王刚”同为男性，合婚需一男一女\n");
}

TEST(RecordsCli, ImportAndExportFiles) {
  test::TempDir dir;
  const fs::path db = dir.path() / "records.db";
  auto people = test::GeneratedPeople(20, 2);
  for (auto& p : people) p.note = "";  // one line each: the bad row is line 22
  test::WriteText(dir.path() / "in.csv", test::CsvOfPeople(people) + "坏人,男,公历,1990-02-30,08:30,0,,,\r\n");
  CliRun r = Records(db, {"import", (dir.path() / "in.csv").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "未导入任何人：“" + (dir.path() / "in.csv").string() +
                       "”中有1处错误\n第22行：出生日期“1990-02-30”不是有效的日期\n");
  r = Records(db, {"import", (dir.path() / "in.csv").string(), "--skip-bad"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "已导入20人\n");
  EXPECT_EQ(r.err, "跳过1行：\n第22行：出生日期“1990-02-30”不是有效的日期\n");
  r = Records(db, {"export", (dir.path() / "out.csv").string()});
  EXPECT_EQ(r.out, "已导出20人到“" + (dir.path() / "out.csv").string() + "”\n");
}

// A file that is not an archive: every command refuses it and leaves it be.
TEST(RecordsCli, DamagedArchiveIsRefusedAndLeftAsItWas) {
  test::TempDir dir;
  const fs::path db = dir.path() / "records.db";
  const std::string garbage = "SQLite format 3" + std::string(3000, '\x01');
  test::WriteText(db, garbage);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"add", "--name", "张三", "--sex", "男", "--date", "1990-05-01", "--time", "08:30"},
        {"list"}, {"count"}, {"import", (dir.path() / "none.csv").string()}}) {
    const CliRun r = Records(db, args);
    EXPECT_EQ(r.status, 1) << args[0];
    EXPECT_EQ(r.err.rfind("档案文件“" + db.string() + "”已损坏", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("文件未作任何改动"), std::string::npos) << r.err;
  }
  EXPECT_EQ(test::ReadFile(db), garbage);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(RecordsCli, TwoWritersAtOnceBothSucceed) {
  test::TempDir dir;
  const fs::path db = dir.path() / "records.db";
  test::WriteText(dir.path() / "a.csv", test::CsvOfPeople(test::GeneratedPeople(20000, 21)));
  const std::string cli = "'" + Cli().string() + "' records ";
  const std::string at = " --db '" + db.string() + "'";
  const std::string adds = "for i in $(seq 15); do " + cli + "add --name 并发 --sex 男 --date 1990-05-01 --time 08:30" +
                           at + " >/dev/null || echo FAIL; done";
  const std::string import = cli + "import '" + (dir.path() / "a.csv").string() + "'" + at + " >/dev/null || echo FAIL";
  const std::string script = "(" + import + "; " + adds + ") & (" + adds + "; " + import + ") & wait";
  const CliRun r = test::RunCli("/bin/sh", {"-c", script});
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "");
  Archive archive(db);
  EXPECT_EQ(archive.CountPeople(), 2 * 20000 + 2 * 15);
}

// An import of 200,000 rows killed with SIGKILL at random moments: each time
// the archive opens sound, with everything committed before and either the
// whole import or none of it.
TEST(RecordsCli, KilledImportLeavesOnlyWholeTransactions) {
  test::TempDir dir;
  const fs::path db = dir.path() / "records.db";
  const fs::path csv = dir.path() / "big.csv";
  const auto first = test::GeneratedPeople(100, 4);
  {
    Archive archive(db);
    Archive::Batch batch(archive);
    for (const auto& p : first) batch.Add(p);
    batch.Commit();
  }
  constexpr int64_t kRows = 200000;
  test::WriteText(csv, test::CsvOfPeople(test::GeneratedPeople(kRows, 8)));

  std::mt19937 random(std::random_device{}());
  int64_t committed = static_cast<int64_t>(first.size());
  int killedMidway = 0;
  for (int round = 0; round < 4; ++round) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      const int null = ::open("/dev/null", O_WRONLY);
      dup2(null, 1);
      dup2(null, 2);
      execl(Cli().c_str(), "hehun-cli", "records", "import", csv.c_str(), "--db", db.c_str(), nullptr);
      _exit(127);
    }
    const int delayMs = 20 + static_cast<int>(random() % 1500);
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    killedMidway += WIFSIGNALED(status);

    Archive archive(db);  // runs the integrity check
    const int64_t count = archive.CountPeople();
    EXPECT_TRUE(count == committed || count == committed + kRows) << "after " << delayMs << " ms: " << count;
    committed = count;
    const auto stored = archive.FindPeople({"", 0, static_cast<int>(first.size())});
    ASSERT_EQ(stored.size(), first.size());
    for (size_t i = 0; i < first.size(); ++i) test::ExpectSameFields(first[i], stored[i], "committed before");
  }
  EXPECT_GT(killedMidway, 0);
}

}  // namespace
}  // namespace hehun::records
