// Hostile input on the command line: impossible dates and times, lunar dates
// without a Gregorian day, years far outside the tables, very long names,
// characters GBK cannot hold, non-digits, negative and huge numbers. Every
// one ends with a clear message (or the result the dialogs specify), never
// with a crash or a hang.
#include <gtest/gtest.h>

#include "hardening_support.h"

namespace hehun {
namespace {

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

const std::string kWoman = "李芳,1992-03-08,06:05";
const std::vector<std::string> kPersonal = {"personal", "--name", "张明", "--sex", "男", "--today", "2024-03-05"};

std::vector<std::string> Marriage(const std::string& man, const std::string& woman = kWoman) {
  return {"marriage", "--man", man, "--woman", woman, "--today", "2024-03-05"};
}

std::vector<std::string> Personal(const std::string& date, const std::string& time,
                                  const std::vector<std::string>& more = {}) {
  std::vector<std::string> args = kPersonal;
  args.insert(args.end(), {"--date", date, "--time", time});
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

struct Case {
  const char* what;
  std::vector<std::string> args;
  std::string input;
  int status;
  std::string message;  // on standard error ("" : nothing there)
  std::string output;   // a text the output holds ("" : no output at all)
};

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      // The marriage report: the man's row before anything is written, the
      // woman's after the man's half.
      {"30 February", Marriage("张明,1990-02-30,11:30"), "", 1, "男方的出生日期“1990-2-30”不是有效的日期，请重新输入。", ""},
      {"month 13", Marriage("张明,1990-13-01,11:30"), "", 1, "男方的出生日期“1990-13-1”不是有效的日期", ""},
      {"day 32", Marriage("张明,1990-01-32,11:30"), "", 1, "男方的出生日期“1990-1-32”不是有效的日期", ""},
      {"all zero", Marriage("张明,0000-00-00,11:30"), "", 1, "男方的出生日期“0-0-0”不是有效的日期", ""},
      {"year 9999", Marriage("张明,9999-01-01,11:30"), "", 1,
       "男方的出生日期9999-01-01超出可计算的范围（1900年1月31日至2100年12月31日），请重新输入。", ""},
      {"year beyond int", Marriage("张明,99999999999999999999-01-01,11:30"), "", 1,
       "男方的出生日期“99999999999999999999-1-1”不是有效的日期", ""},
      {"negative year", Marriage("张明,-1990-01-01,11:30"), "", 1, "男方的出生日期“-1990-1-1”不是有效的日期", ""},
      {"very long year", Marriage("张明," + Repeat("1", 5000) + "-01-01,11:30"), "", 1,
       "男方的出生日期“111111111111111111111111…”不是有效的日期，请重新输入。\n", ""},
      {"before the tables", Marriage("张明,1899-12-31,11:30"), "", 1, "男方的出生日期1899-12-31超出可计算的范围", ""},
      {"after the tables", Marriage("张明,2101-01-01,11:30"), "", 1, "男方的出生日期2101-01-01超出可计算的范围", ""},
      {"hour 25", Marriage("张明,1990-06-15,25:00"), "", 1, "男方的出生时辰“25”无法识别，请从列表中选择。", ""},
      {"minute 61", Marriage("张明,1990-06-15,11:61"), "", 1, "男方的出生分钟“61”应在0到59之间。", ""},
      {"time of letters", Marriage("张明,1990-06-15,ab:cd"), "", 1, "男方的出生时辰“ab”无法识别", ""},
      {"negative time", Marriage("张明,1990-06-15,-1:-1"), "", 1, "男方的出生时辰“-1”无法识别", ""},
      {"lunar 1900", Marriage("张明,1900-01-01,11:00,lunar"), "", 1,
       "男方的农历出生日期1900年1月1日不存在，或不在可计算的1901年至2099年之内，请重新输入。", ""},
      {"lunar 2100", Marriage("张明,2100-01-01,11:00,lunar"), "", 1, "男方的农历出生日期2100年1月1日不存在", ""},
      {"lunar month 13", Marriage("张明,1990-13-01,11:00,lunar"), "", 1, "男方的农历出生月“13”应在1到12之间", ""},
      {"lunar day 31", Marriage("张明,1990-01-31,11:00,lunar"), "", 1, "男方的农历出生日“31”应在1到30之间", ""},
      {"woman's impossible date", Marriage("张明,1990-06-15,11:30", "李芳,1992-02-30,06:05"), "", 1,
       "女方的出生日期“1992-2-30”不是有效的日期", "男方基本信息："},
      {"very long name", Marriage(Repeat("张", 5000) + ",1990-06-15,11:30"), "", 0, "", "特别声明："},
      {"names GBK cannot hold", Marriage("😀张明ㄅ한,1990-06-15,11:30", "𠀀芳,1992-03-08,06:05"), "", 0, "",
       "😀张明ㄅ한"},
      {"name of invalid UTF-8", Marriage("\xff\xfe,1990-06-15,11:30"), "", 0, "", "特别声明："},
      // The personal report.
      {"29 February of a common year", Personal("2001-02-29", "11:30"), "", 1,
       "出生日期“2001-2-29”不是有效的日期，请重新输入。", ""},
      {"star sign, 31 April", Personal("1990-04-31", "11:30", {"--star"}), "", 1, "出生日期“1990-4-31”不是有效的日期", ""},
      {"year 99999", Personal("99999-01-01", "11:30"), "", 1, "出生日期“99999-1-1”不是有效的日期", ""},
      {"hour 24", Personal("1990-06-15", "24:00"), "", 1, "出生时辰“24”无法识别", ""},
      {"lunar day 31 of a month", Personal("2021-04-31", "11:30", {"--lunar"}), "", 1, "农历出生日“31”应在1到30之间", ""},
      {"lunar 2100, star sign", Personal("2100-06-01", "11:30", {"--lunar", "--star"}), "", 1,
       "农历出生日期2100年6月1日不存在", ""},
      {"name GBK cannot hold", {"personal", "--name", "😀", "--date", "1990-06-15", "--time", "11:30"}, "", 0, "",
       "姓名：😀"},
      // The almanac.
      {"almanac, 30 February", {"almanac", "2024-02-30"}, "", 1, "请选择有效的日期!", ""},
      {"almanac, 29 February 2023", {"almanac", "2023-02-29"}, "", 1, "请选择有效的日期!", ""},
      {"almanac, month 13", {"almanac", "2024-13-01"}, "", 1, "请选择有效的日期!", ""},
      {"almanac, letters", {"almanac", "abcd"}, "", 1, "请选择有效的日期!", ""},
      {"almanac, year 99999", {"almanac", "99999-01-01"}, "", 1, "请选择有效的日期!", ""},
      {"almanac, year 1800", {"almanac", "1800-01-01"}, "", 1, "黄历数据收录1901年至2100年", ""},
      {"almanac, year 9999", {"almanac", "9999-12-31"}, "", 1, "黄历数据收录1901年至2100年", ""},
      {"almanac, negative year", {"almanac", "-5-01-01"}, "", 1, "请选择有效的日期!", ""},
      // The wedding-day search.
      {"wedding days, impossible birth", {"weddingdays", "--man", "1990-02-30", "--woman", "1992-03-08", "--from",
                                          "2024-03-05"}, "", 1, "男方的出生日期“1990-02-30”不是有效的日期", ""},
      {"wedding days, lunar 2100", {"weddingdays", "--man", "1990-06-15,lunar", "--woman", "2100-01-01,lunar", "--from",
                                    "2024-03-05"}, "", 1, "女方的农历出生日期2100年01月01日不存在", ""},
      {"wedding days, unknown range", {"weddingdays", "--man", "1990-06-15", "--woman", "1992-03-08", "--from",
                                       "2024-03-05", "--range", "十年"}, "", 1, "“十年”不是可查询的日期范围。", ""},
      {"wedding days, impossible start", {"weddingdays", "--man", "1990-06-15", "--woman", "1992-03-08", "--from",
                                          "2024-02-30"}, "", 1, "“2024-02-30”不是有效的日期", ""},
      {"wedding days beyond the almanac", {"weddingdays", "--man", "1990-06-15", "--woman", "1992-03-08", "--from",
                                           "2101-01-01", "--range", "一周以内"}, "", 0, "", "结婚吉日分析"},
      // Numbers: pasted non-digits, negative and huge numbers.
      {"number with letters", {"number", "12a3"}, "", 1, "“12a3”不是有效的整数", ""},
      {"number in exponent form", {"number", "1e5"}, "", 1, "“1e5”不是有效的整数", ""},
      {"number of Arabic-Indic digits", {"number", "٣"}, "", 1, "“٣”不是有效的整数", ""},
      {"negative number", {"number", "-5"}, "", 1, "八十一数从1数起，请输入大于0的号码！", ""},
      {"negative QQ number", {"qq", "-1"}, "", 1, "八十一数从1数起，请输入大于0的号码！", ""},
      {"number zero", {"number", "0"}, "", 1, "八十一数从1数起，请输入大于0的号码！", ""},
      {"largest number", {"number", "999999999999999999"}, "", 0, "", "状态：\t如走夜路，前途无光，希望不大，劳而无功"},
      {"number beyond 18 digits", {"number", "99999999999999999999999"}, "", 1, "号码最多18位", ""},
      {"number beyond 64 bits", {"number", "-9223372036854775809"}, "", 1, "号码最多18位", ""},
      {"blank number", {"number", "   "}, "", 1, "请输入你的号码！", ""},
      {"QQ number of letters", {"qq", "abc"}, "", 1, "“abc”不是有效的整数", ""},
      {"mobile number with letters", {"mobile", "138abc12345"}, "", 1, "请输入11位手机号码！", ""},
      {"mobile number of letters", {"mobile", "abc"}, "", 1, "请输入11位手机号码！", ""},
      {"short mobile number", {"mobile", "12345"}, "", 1, "请输入11位手机号码！", ""},
      {"negative mobile number", {"mobile", "-13812345678"}, "", 1, "号码最多11位", ""},
      {"huge mobile number", {"mobile", Repeat("9", 300)}, "", 1, "号码最多11位", ""},
      // Nicknames.
      {"nickname GBK cannot hold", {"nickname", "张😀"}, "", 0, "", "你的性格：\n"},
      {"nickname of Hangul", {"nickname", "한국"}, "", 0, "", "你的网名：한국\n你的性格：\n"},
      {"nickname of invalid UTF-8", {"nickname", "\xff\xfe"}, "", 0, "", "你的性格：\n"},
      // The pinyin code is cut to 255 letters: the 255th character decides.
      {"very long nickname", {"nickname", Repeat("张", 3000) + "三"}, "", 0, "", "你的性格：老实，想问题容易兜圈子"},
      {"blank nickname", {"nickname", "   "}, "", 1, "请输入你的网名！", ""},
      // Matchings and the calendar tools.
      {"unknown animal", {"zodiacmatch", "鼠", "龙龙"}, "", 1, "“龙龙”不是生肖", ""},
      {"unknown sign", {"signmatch", "x", "狮子座"}, "", 1, "“x”不是星座", ""},
      {"empty blood type", {"bloodmatch", "", "A"}, "", 1, "“”不是血型", ""},
      {"solar terms of year 99999", {"solarterms", "99999"}, "", 1, "99999年的节气不在数据范围（1900至2100年）内", ""},
      {"solar terms of a huge year", {"solarterms", "99999999999999999999"}, "", 1, "不是有效的整数", ""},
      {"pillars of bad lines", {"pillars"}, "9999-99-99 99:99 男\n1990-06-15 11:30 男\nabc\n", 0, "",
       "ERROR “9999-99-99”不是有效的日期"},
      {"lunar of impossible days", {"lunar"}, "2024-02-30\n1800-01-01\n99999999999-1-1\n", 0, "", "ERROR “2024-02-30”"},
      {"solar of huge numbers", {"solar"}, "99999999999 1 1 0\n2020 4 30 1\n-5 -5 -5 0\n", 0, "", "0001-01-01\n"},
      {"calendar texts far outside", {"cnday"}, "1800-01-01\n3000-12-31\nabc\n", 0, "", "ERROR “abc”"},
  };
  return cases;
}

class HostileInput : public ::testing::TestWithParam<size_t> {};

TEST_P(HostileInput, GivesItsMessageOrItsResult) {
  const Case& c = Cases()[GetParam()];
  SCOPED_TRACE(c.what);
  const test::CliRun run = test::RunCli(test::BinDir() / "hehun-cli", c.args, c.input);
  EXPECT_EQ(run.status, c.status) << run.err;
  if (c.message.empty())
    EXPECT_EQ(run.err, "");
  else
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  if (c.output.empty())
    EXPECT_EQ(run.out, "");
  else
    EXPECT_NE(run.out.find(c.output), std::string::npos) << run.out.substr(0, 2000);
}

INSTANTIATE_TEST_SUITE_P(Hardening, HostileInput, ::testing::Range<size_t>(0, Cases().size()),
                         [](const ::testing::TestParamInfo<size_t>& info) {
                           std::string name;
                           for (char c : std::string(Cases()[info.param].what))
                             name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name;
                         });

}  // namespace
}  // namespace hehun
