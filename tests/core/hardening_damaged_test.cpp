// Damaged installations, feature by feature through hehun-cli: a database
// missing, empty, cut short, not a database at all or without one table; the
// folder shensha/ missing, one rule file missing, empty or not GBK. Each
// feature either gives its full result, stops silently where the lookup's
// policy says so (keeping what it had written), or stops with a clear
// Chinese message; it never crashes.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "hardening_support.h"

namespace hehun {
namespace {

using test::CliRun;
using test::Installation;

struct Feature {
  const char* name;
  std::vector<std::string> args;
  std::string input;
};

const std::vector<Feature>& Features() {
  static const std::vector<Feature> features = {
      {"marriage",
       {"marriage", "--man", "张明,1990-06-15,11:30", "--woman", "李芳,1992-03-08,06:05", "--today", "2024-03-05"},
       ""},
      {"personal", {"personal", "--name", "张明", "--sex", "男", "--date", "1990-06-15", "--time", "11:30", "--today",
                    "2024-03-05"}, ""},
      {"star", {"personal", "--name", "李芳", "--sex", "女", "--date", "1992-03-08", "--time", "06:05", "--star",
                "--today", "2024-03-05"}, ""},
      {"almanac", {"almanac", "2024-03-05"}, ""},
      {"weddingdays", {"weddingdays", "--man", "1990-06-15", "--woman", "1992-03-08", "--from", "2024-03-05", "--range",
                       "一月以内"}, ""},
      {"mobile", {"mobile", "13812345678"}, ""},
      {"zodiacmatch", {"zodiacmatch", "鼠", "牛"}, ""},
      {"signmatch", {"signmatch", "白羊座", "狮子座"}, ""},
      {"bloodmatch", {"bloodmatch", "A", "AB"}, ""},
      {"solarterms", {"solarterms", "2024"}, ""},
      {"pillars", {"pillars"}, "1990-06-15 11:30 男\n"},
      {"nickname", {"nickname", "张三"}, ""},
      {"number", {"number", "81"}, ""},
      {"cnday", {"cnday"}, "2024-03-05\n"},
  };
  return features;
}

// What a feature shows in a damaged installation.
enum class Output {
  kSame,    // exactly the result of the sound installation
  kGaps,    // every line of the result, some with empty parts
  kPrefix,  // exactly the lines written before a silent stop
  kPartial, // the lines written before the message (with gaps), fewer than in full
  kNone,    // nothing on standard output
};

struct Expect {
  int status = 0;
  Output output = Output::kSame;
  std::string message;  // on standard error; empty: nothing there
};

struct Damage {
  const char* name;
  std::function<void(Installation&)> apply;
  std::map<std::string, Expect> differing;  // features not named give their full result
};

// The messages, "{dir}" standing for the installation's folder.
std::string Missing(const std::string& file) { return "找不到数据库文件“{dir}/" + file + "”，请重新安装本软件。"; }
std::string Broken(const std::string& file) {
  return "数据库文件“{dir}/" + file + "”已损坏，或不是本软件的数据库文件，请重新安装本软件。";
}
std::string EmptyFile(const std::string& file) {
  return "数据库文件“{dir}/" + file + "”已损坏，或不是本软件的数据库文件（文件是空的），请重新安装本软件。";
}
std::string NotAFile(const std::string& file) {
  return "数据库文件“{dir}/" + file + "”不是普通文件，无法读取，请重新安装本软件。";
}
std::string NoTable(const std::string& file, const std::string& table) {
  return "数据库文件“{dir}/" + file + "”缺少数据表“" + table + "”，请重新安装本软件。";
}

std::map<std::string, Expect> TgcodeUnreadable(const std::string& message) {
  // The swallowed lookups (elements, ten gods, nayin, life palace, solar
  // terms) leave gaps; the zodiac section of the marriage report and the
  // solar-term listing read without a guard and stop with the message.
  return {{"marriage", {1, Output::kPartial, message}},
          {"personal", {0, Output::kGaps, ""}},
          {"solarterms", {1, Output::kNone, message}}};
}

std::map<std::string, Expect> BookFileUnreadable(const std::string& message) {
  // The bone weight stops the reports silently (the marriage report keeps
  // the man's half), the mobile number and the star-sign essays too; the
  // almanac, the wedding days and the matchings show the message.
  return {{"marriage", {2, Output::kPrefix, ""}},   {"personal", {2, Output::kNone, ""}},
          {"star", {2, Output::kNone, ""}},         {"almanac", {1, Output::kNone, message}},
          {"weddingdays", {1, Output::kNone, message}}, {"mobile", {2, Output::kNone, ""}},
          {"zodiacmatch", {1, Output::kNone, message}}, {"signmatch", {1, Output::kNone, message}},
          {"bloodmatch", {1, Output::kNone, message}}};
}

std::map<std::string, Expect> ShenshaUnreadable(const std::string& file) {
  const std::string message = "无法打开神煞规则文件“{dir}/shensha/" + file + "”，请重新安装本软件。";
  return {{"marriage", {1, Output::kPartial, message}}, {"personal", {1, Output::kNone, message}}};
}

const std::vector<Damage>& Damages() {
  static const std::vector<Damage> damages = {
      {"Tgcode.dll missing", [](Installation& i) { i.Remove("Tgcode.dll"); }, TgcodeUnreadable(Missing("Tgcode.dll"))},
      {"Tgcode.dll empty", [](Installation& i) { i.Empty("Tgcode.dll"); }, TgcodeUnreadable(EmptyFile("Tgcode.dll"))},
      {"Tgcode.dll cut short", [](Installation& i) { i.Truncate("Tgcode.dll"); }, TgcodeUnreadable(Broken("Tgcode.dll"))},
      {"Tgcode.dll not a database", [](Installation& i) { i.Replace("Tgcode.dll", std::string(5000, 'x')); },
       TgcodeUnreadable(Broken("Tgcode.dll"))},
      {"Tgcode.dll without shengxiao", [](Installation& i) { i.DropTable("Tgcode.dll", "shengxiao"); },
       {{"marriage", {1, Output::kPrefix, NoTable("Tgcode.dll", "shengxiao")}}}},
      {"Tgcode.dll without JQ", [](Installation& i) { i.DropTable("Tgcode.dll", "JQ"); },
       {{"marriage", {0, Output::kGaps, ""}},
        {"personal", {0, Output::kGaps, ""}},
        {"solarterms", {1, Output::kNone, NoTable("Tgcode.dll", "JQ")}}}},
      {"BookFile.dll missing", [](Installation& i) { i.Remove("BookFile.dll"); }, BookFileUnreadable(Missing("BookFile.dll"))},
      {"BookFile.dll empty", [](Installation& i) { i.Empty("BookFile.dll"); }, BookFileUnreadable(EmptyFile("BookFile.dll"))},
      {"BookFile.dll cut short", [](Installation& i) { i.Truncate("BookFile.dll"); }, BookFileUnreadable(Broken("BookFile.dll"))},
      {"BookFile.dll not a database",
       [](Installation& i) { i.Replace("BookFile.dll", "Microsoft Access database, but not SQLite"); },
       BookFileUnreadable(Broken("BookFile.dll"))},
      {"BookFile.dll without huangdao", [](Installation& i) { i.DropTable("BookFile.dll", "huangdao"); },
       {{"almanac", {1, Output::kNone, NoTable("BookFile.dll", "huangdao")}},
        {"weddingdays", {1, Output::kNone, NoTable("BookFile.dll", "huangdao")}}}},
      {"BookFile.dll without chenggu", [](Installation& i) { i.DropTable("BookFile.dll", "chenggu"); },
       {{"marriage", {2, Output::kPrefix, ""}}, {"personal", {2, Output::kNone, ""}}}},
      {"BookFile.dll without shouji", [](Installation& i) { i.DropTable("BookFile.dll", "shouji"); },
       {{"mobile", {2, Output::kNone, ""}}}},
      {"BookFile.dll without sxpd", [](Installation& i) { i.DropTable("BookFile.dll", "sxpd"); },
       {{"zodiacmatch", {1, Output::kNone, NoTable("BookFile.dll", "sxpd")}}}},
      {"BookFile.dll without aiqing", [](Installation& i) { i.DropTable("BookFile.dll", "aiqing"); },
       {{"star", {2, Output::kNone, ""}}}},
      {"BookFile.dll a folder", [](Installation& i) { i.Remove("BookFile.dll"), i.MakeFolder("BookFile.dll"); },
       BookFileUnreadable(NotAFile("BookFile.dll"))},
      {"Tgcode.dll a named pipe", [](Installation& i) { i.Remove("Tgcode.dll"), i.MakePipe("Tgcode.dll"); },
       TgcodeUnreadable(NotAFile("Tgcode.dll"))},
      {"shensha/ missing", [](Installation& i) { i.Remove("shensha"); }, ShenshaUnreadable("niangan.txt")},
      {"shensha/rizhu.txt missing", [](Installation& i) { i.Remove("shensha/rizhu.txt"); },
       ShenshaUnreadable("rizhu.txt")},
      {"shensha/rizhu.txt a folder", [](Installation& i) { i.Remove("shensha/rizhu.txt"), i.MakeFolder("shensha/rizhu.txt"); },
       ShenshaUnreadable("rizhu.txt")},
      {"shensha/yuezhi.txt a named pipe", [](Installation& i) { i.Remove("shensha/yuezhi.txt"), i.MakePipe("shensha/yuezhi.txt"); },
       ShenshaUnreadable("yuezhi.txt")},
      {"shensha/rizhu.txt empty", [](Installation& i) { i.Empty("shensha/rizhu.txt"); },
       {{"marriage", {0, Output::kGaps, ""}}, {"personal", {0, Output::kGaps, ""}}}},
      {"shensha/nianzhi.txt not GBK",
       [](Installation& i) { i.Replace("shensha/nianzhi.txt", "\xff\xfe\x80\x80 \xa1\n\x81\n\xfe\xff\xff:\xff,\xa1:\n"); },
       {{"marriage", {0, Output::kGaps, ""}}, {"personal", {0, Output::kGaps, ""}}}},
  };
  return damages;
}

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The results of the sound installation.
const std::map<std::string, CliRun>& Sound() {
  static const std::map<std::string, CliRun> runs = [] {
    std::map<std::string, CliRun> r;
    Installation sound;
    for (const auto& f : Features()) r[f.name] = test::RunCli(sound / "hehun-cli", f.args, f.input);
    return r;
  }();
  return runs;
}

class DamagedInstallation : public ::testing::TestWithParam<size_t> {};

TEST_P(DamagedInstallation, EveryFeatureGivesItsResultOrItsMessage) {
  const Damage& damage = Damages()[GetParam()];
  Installation installation;
  damage.apply(installation);
  for (const auto& f : Features()) {
    SCOPED_TRACE(std::string(damage.name) + " / " + f.name);
    const CliRun& sound = Sound().at(f.name);
    ASSERT_EQ(sound.status, 0) << sound.err;
    const auto it = damage.differing.find(f.name);
    const Expect expect = it == damage.differing.end() ? Expect{} : it->second;
    const CliRun run = test::RunCli(installation / "hehun-cli", f.args, f.input);
    EXPECT_EQ(run.status, expect.status) << run.err;
    std::string message = expect.message;
    if (const size_t at = message.find("{dir}"); at != std::string::npos)
      message.replace(at, 5, installation.dir().string());
    EXPECT_EQ(run.err, message.empty() ? "" : message + "\n");
    // A message is one line of Chinese text: no English error text of the
    // database engine.
    for (const char* english : {"no such", "database", "malformed", "unable", "error", "file is"})
      EXPECT_EQ(run.err.find(english), std::string::npos) << run.err;
    const auto lines = LinesOf(run.out), soundLines = LinesOf(sound.out);
    switch (expect.output) {
      case Output::kSame:
        EXPECT_EQ(run.out, sound.out);
        break;
      case Output::kGaps:
        EXPECT_EQ(lines.size(), soundLines.size());
        break;
      case Output::kPrefix:
        EXPECT_FALSE(lines.empty());
        EXPECT_LT(lines.size(), soundLines.size());
        EXPECT_EQ(sound.out.compare(0, run.out.size(), run.out), 0) << run.out;
        break;
      case Output::kPartial:
        ASSERT_FALSE(lines.empty());
        EXPECT_LT(lines.size(), soundLines.size());
        EXPECT_EQ(lines.front(), soundLines.front());
        break;
      case Output::kNone:
        EXPECT_EQ(run.out, "");
        break;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Hardening, DamagedInstallation, ::testing::Range<size_t>(0, Damages().size()),
                         [](const ::testing::TestParamInfo<size_t>& info) {
                           std::string name;
                           for (char c : std::string(Damages()[info.param].name))
                             name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name;
                         });

}  // namespace
}  // namespace hehun
