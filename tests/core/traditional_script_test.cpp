// The Traditional Chinese output: the terms a practitioner reads, typed texts
// kept as typed, the variants, and the command line's --traditional.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

#include "calendar/places.h"
#include "refdb/chinese_script.h"
#include "refdb/messages.h"
#include "refdb/text.h"
#include "test_support.h"

namespace hehun {
namespace {

TEST(TraditionalConverter, PractitionerTerms) {
  const TraditionalConverter converter;
  const struct {
    const char* simplified;
    const char* traditional;
  } cases[] = {
      {"农历", "農曆"},           {"黄历", "黃曆"},           {"万年历", "萬年曆"},
      {"婚姻", "婚姻"},           {"纳音", "納音"},           {"后天", "後天"},
      {"干支", "干支"},           {"乾造", "乾造"},           {"坤造", "坤造"},
      {"神煞", "神煞"},           {"六冲", "六沖"},           {"无冲无害", "無沖無害"},
      {"冲:冲鼠(甲子) 煞北", "沖:沖鼠(甲子) 煞北"},       {"子丑合土", "子丑合土"},
      {"辰戌丑未", "辰戌丑未"},   {"丑午相害", "丑午相害"},   {"丑时", "丑時"},
      {"丑小鸭", "醜小鴨"},       {"出丑", "出醜"},           {"冲动", "衝動"},
      {"冲突", "衝突"},           {"每日胎神占方:占门碓 外东南", "每日胎神占方:占門碓 外東南"},
      {"周太常斗临经", "周太常斗臨經"},                      {"月干由年干推出", "月干由年干推出"},
      {"合中带刑", "合中帶刑"},   {"五行生克", "五行生剋"},   {"馀事勿取", "餘事勿取"},
      {"诸事不宜", "諸事不宜"},   {"理发", "理髮"},           {"历史", "歷史"},
  };
  for (const auto& c : cases) EXPECT_EQ(converter.Convert(c.simplified), c.traditional) << c.simplified;
}

TEST(TraditionalConverter, KeptTextsStayAsTyped) {
  const TraditionalConverter converter;
  EXPECT_EQ(converter.Convert("姓名：张三 年龄：36岁", {"张三"}), "姓名：张三 年齡：36歲");
  // The longest kept text wins where two begin at the same place.
  EXPECT_EQ(converter.Convert("张三丰与张三", {"张三", "张三丰"}), "张三丰與张三");
  // A name typed in Traditional is kept too, and empty kept texts are ignored.
  EXPECT_EQ(converter.Convert("男方：張三，属马", {"", "張三"}), "男方：張三，屬馬");
  EXPECT_EQ(converter.Convert("", {"张三"}), "");
  // Line breaks, blanks and ASCII pass unchanged.
  EXPECT_EQ(converter.Convert("1990年05月01日\n  8点30分\n"), "1990年05月01日\n  8點30分\n");
}

TEST(TraditionalConverter, Variants) {
  const TraditionalConverter standard, taiwan(TraditionalVariant::kTaiwan), hong_kong(TraditionalVariant::kHongKong);
  EXPECT_EQ(standard.Convert("家里"), "家裏");
  EXPECT_EQ(taiwan.Convert("家里"), "家裡");
  EXPECT_EQ(hong_kong.Convert("家里"), "家裏");
  EXPECT_EQ(taiwan.Convert("六冲 子丑合"), "六沖 子丑合");
  EXPECT_EQ(hong_kong.Convert("六冲 子丑合"), "六沖 子丑合");
}

TEST(TraditionalConverter, LocaleChoosesAtFirstStart) {
  const struct {
    const char* locale;
    Script script;
    TraditionalVariant variant;
  } cases[] = {
      {"zh_CN.UTF-8", Script::kSimplified, TraditionalVariant::kStandard},
      {"zh_TW.UTF-8", Script::kTraditional, TraditionalVariant::kTaiwan},
      {"zh_HK", Script::kTraditional, TraditionalVariant::kHongKong},
      {"zh_MO.UTF-8", Script::kTraditional, TraditionalVariant::kHongKong},
      {"zh-Hant-TW", Script::kTraditional, TraditionalVariant::kTaiwan},
      {"zh_Hant", Script::kTraditional, TraditionalVariant::kStandard},
      {"en_US.UTF-8", Script::kSimplified, TraditionalVariant::kStandard},
      {"C", Script::kSimplified, TraditionalVariant::kStandard},
  };
  for (const auto& c : cases) {
    const ScriptChoice choice = ScriptForLocale(c.locale);
    EXPECT_EQ(choice.script, c.script) << c.locale;
    EXPECT_EQ(choice.variant, c.variant) << c.locale;
  }
}

// OpenCC's character table (Simplified → the Traditional forms it may
// become), dumped by the build. A character is still Simplified when the
// table lists it and none of its forms is the character itself: 马 (馬) is,
// 丑 (醜 丑) and 干 (幹 乾 干) are not, since they are Traditional too.
const std::map<std::string, std::vector<std::string>>& StillSimplifiedTable() {
  static const auto table = [] {
    std::map<std::string, std::vector<std::string>> t;
    std::istringstream in(test::ReadFile(HEHUN_ST_CHARACTERS));
    std::string line;
    while (std::getline(in, line)) {
      const size_t tab = line.find('\t');
      if (tab == std::string::npos) continue;
      std::istringstream forms(line.substr(tab + 1));
      std::vector<std::string> list;
      for (std::string form; forms >> form;) list.push_back(form);
      t[line.substr(0, tab)] = list;
    }
    return t;
  }();
  return table;
}

// No character of a converted text (typed names left out) is one that
// OpenCC would still turn into another form.
void ExpectFullyConverted(const std::string& converted, const std::vector<std::string>& typed) {
  const auto& table = StillSimplifiedTable();
  ASSERT_GT(table.size(), 2000u);
  std::string text = converted;
  for (const auto& name : typed) text = ReplaceAll(text, name, "");
  const auto chars = Utf8Chars(text);
  for (size_t i = 0; i < chars.size(); ++i) {
    auto it = table.find(chars[i]);
    if (it == table.end()) continue;
    const bool traditional_too = std::find(it->second.begin(), it->second.end(), chars[i]) != it->second.end();
    EXPECT_TRUE(traditional_too) << "“" << chars[i] << "” is still Simplified near “"
                                 << Utf8Mid(text, std::max<int>(0, static_cast<int>(i) - 6), 12) << "”";
  }
}

TEST(TraditionalCommandLine, ReportsAndPagesConvertedNamesKept) {
  const std::string cli = "hehun-cli";
  const struct {
    std::string args;
    std::vector<std::string> typed;
  } runs[] = {
      {"--traditional marriage --man 张三,1990-05-01,08:30 --woman 李四,1992-10-12,14:05,lunar --today 2026-12-10",
       {"张三", "李四"}},
      {"marriage --man 張三豐,1985-02-04,23:30 --woman 赵六,1987-07-07,00:10 --today 2026-12-10 --traditional",
       {"張三豐", "赵六"}},
      {"--traditional personal --name 张三 --sex 男 --date 1990-05-01 --time 08:30 --today 2026-12-10", {"张三"}},
      {"--traditional personal --name 李四 --sex 女 --date 1992-10-12 --time 14:05 --star --today 2026-12-10",
       {"李四"}},
      {"--traditional almanac 2026-12-12", {}},
      {"--traditional almanac 1992-03-05", {}},
      {"--traditional nickname 风中的小猫", {"风中的小猫"}},
  };
  for (const auto& run : runs) {
    int status = -1;
    const std::string out = test::RunProgram(cli + " " + run.args, "", &status);
    ASSERT_EQ(status, 0) << run.args;
    ASSERT_FALSE(out.empty()) << run.args;
    for (const auto& name : run.typed) EXPECT_NE(out.find(name), std::string::npos) << name;
    ExpectFullyConverted(out, run.typed);
  }
}

TEST(TraditionalInput, PlacesTypedInTraditionalResolve) {
  const struct {
    const char* typed;
    const char* place;
  } cases[] = {
      {"成都", "四川省成都市"},  {"廣州", "广东省广州市"},  {"臺北", "台湾省台北市"},
      {"台北", "台湾省台北市"},  {"重慶市", "重庆市"},       {" 深圳 ", "广东省深圳市"},
  };
  for (const auto& c : cases) EXPECT_EQ(ResolvePlace(c.typed).full_name, c.place) << c.typed;
  // Completion as one types a Traditional beginning.
  const auto found = SearchPlaces("廣");
  ASSERT_FALSE(found.empty());
  EXPECT_EQ(found.front()->name.substr(0, 3), "广");
  // A place unknown in either script is still refused with its typed name.
  try {
    ResolvePlace("無此地方");
    FAIL() << "accepted";
  } catch (const UserError& error) {
    EXPECT_NE(std::string(error.what()).find("無此地方"), std::string::npos);
  }
  EXPECT_EQ(SimplifiedText("張三 1990"), "张三 1990");
  EXPECT_EQ(SimplifiedText("abc"), "abc");
}

TEST(TraditionalInput, TraditionalNameAndPlaceAccepted) {
  int status = -1;
  const std::string out = test::RunProgram(
      "hehun-cli marriage --man 張三豐,1985-02-04,23:30 --woman 劉麗華,1987-07-07,10:10 --man-place 廣州 "
      "--woman-place 臺北 --today 2026-12-10",
      "", &status);
  ASSERT_EQ(status, 0) << out;
  EXPECT_NE(out.find("張三豐"), std::string::npos);
  EXPECT_NE(out.find("劉麗華"), std::string::npos);
  EXPECT_NE(out.find("广州"), std::string::npos);
  EXPECT_NE(out.find("台北"), std::string::npos);
}

TEST(TraditionalCommandLine, MisusedOptions) {
  const std::string cli = "hehun-cli";
  int status = -1;
  test::RunProgram(cli + " --traditional --variant cn almanac 2026-12-12", "", &status);
  EXPECT_EQ(status, 2);
  test::RunProgram(cli + " almanac 2026-12-12 --variant tw", "", &status);
  EXPECT_EQ(status, 2);
  const std::string tw = test::RunProgram(cli + " almanac 2026-12-12 --traditional --variant tw", "", &status);
  EXPECT_EQ(status, 0);
  EXPECT_NE(tw.find("農曆"), std::string::npos);
}

// What the user typed into the archive is printed as typed by the records
// commands too; the program's own words are converted.
TEST(TraditionalCommandLine, StoredNamesAndNotesKept) {
  test::TempDir dir;
  const std::string db = " --db '" + (dir.path() / "records.db").string() + "'";
  int status = -1;
  test::RunProgram("hehun-cli records add --name 张丽华 --sex 女 --date 1990-05-01 --time 08:30 --place 广州 "
                   "--note 介绍人说话" + db, "", &status);
  ASSERT_EQ(status, 0);
  test::RunProgram("hehun-cli records add --name 王国强 --sex 男 --date 1988-02-01 --time 12:00" + db, "", &status);
  ASSERT_EQ(status, 0);
  const std::string list = test::RunProgram("hehun-cli --traditional records list" + db, "", &status);
  EXPECT_NE(list.find("张丽华\t女\t公曆"), std::string::npos) << list;
  EXPECT_NE(list.find("广州"), std::string::npos) << list;
  EXPECT_NE(list.find("介绍人说话"), std::string::npos) << list;
  const std::string report =
      test::RunProgram("hehun-cli --traditional records couple 2 1 --today 2026-12-10" + db, "", &status);
  EXPECT_EQ(status, 0);
  EXPECT_NE(report.find("姓名：王国强 年齡"), std::string::npos) << report.substr(0, 200);
}

}  // namespace
}  // namespace hehun
