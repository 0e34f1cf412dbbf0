// The almanac table, the day view and the wedding-day search.
#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <set>
#include <sstream>

#include "almanac/almanac_view.h"
#include "almanac/wedding_days.h"
#include "bazi/chart.h"
#include "refdb/ganzhi.h"
#include "refdb/text.h"
#include "test_support.h"

namespace hehun {
namespace {

std::vector<std::string> SplitOn(const std::string& text, const std::string& sep) {
  std::vector<std::string> out;
  size_t start = 0;
  while (true) {
    const size_t at = text.find(sep, start);
    out.push_back(text.substr(start, at == std::string::npos ? std::string::npos : at - start));
    if (at == std::string::npos) return out;
    start = at + sep.size();
  }
}

struct ReferenceDay {
  std::vector<std::string> f;  // the columns of almanac_reference.tsv
};

std::vector<ReferenceDay> ReferenceDays() {
  std::ifstream in(std::string(HEHUN_SOURCE_DIR) + "/tests/data/almanac_reference.tsv");
  std::vector<ReferenceDay> days;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    days.push_back({SplitOn(line, "\t")});
  }
  return days;
}

Row DayRow(RefDb& db, const std::string& day) {
  return db.First(Unguarded{}, RefFile::kBookFile, "SELECT * FROM huangdao WHERE gn = ?", {day});
}

// Pillars, 冲煞, 彭祖, 胎神, nayin, 建除 and the ruling spirit of published
// almanac days, to the character.
TEST(AlmanacTable, DayFactsMatchPublishedAlmanacDays) {
  const auto days = ReferenceDays();
  ASSERT_EQ(days.size(), 24u);
  RefDb db;
  for (const auto& d : days) {
    const auto& f = d.f;
    ASSERT_EQ(f.size(), 17u);
    SCOPED_TRACE(f[0]);
    const Row row = DayRow(db, f[0]);
    ASSERT_TRUE(row.found());
    const auto suici = SplitOn(row.Text("suici"), " ");
    ASSERT_EQ(suici.size(), 3u);
    EXPECT_EQ(suici[1], f[1] + "月");
    EXPECT_EQ(suici[2], f[2] + "日");
    EXPECT_EQ(row.Text("cong"), "冲" + f[3] + "(" + f[4] + ") 煞" + f[5]);
    EXPECT_EQ(row.Text("pzbj"), f[6] + " " + f[7]);
    EXPECT_EQ(row.Text("tszf"), f[8]);
    EXPECT_EQ(row.Text("wuhang"), f[9] + " " + f[10] + "日");
    EXPECT_TRUE(row.Text("nn").ends_with(" " + f[11] + f[12] + "日")) << row.Text("nn");
  }
}

// The 节 day belongs to the new month: 立春 1984 fell at 23:19 on
// 4 February, and the whole of that day already counts in 甲子 丙寅, as its
// officer (满, the one of 3 February repeated) does; so does 1992-03-05,
// whose 惊蛰 came in the afternoon.
TEST(AlmanacTable, TheJieDayBelongsToTheNewMonth) {
  RefDb db;
  const struct {
    const char *day, *suici, *nn, *wuhang;
  } cases[] = {
      {"1984-02-03", "癸亥(猪)年 乙丑月 丁卯日", "农历正月初二 星期五 天德黄道日", "炉中火 满日"},
      {"1984-02-04", "甲子(鼠)年 丙寅月 戊辰日", "农历正月初三 星期六 金匮黄道日", "大林木 满日"},
      {"1984-02-05", "甲子(鼠)年 丙寅月 己巳日", "农历正月初四 星期日 天德黄道日", "大林木 平日"},
      {"1992-03-04", "壬申(猴)年 壬寅月 己卯日", nullptr, "城头土 除日"},
      {"1992-03-05", "壬申(猴)年 癸卯月 庚辰日", "农历二月初二 星期四 天刑黑道日", "白蜡金 除日"},
      {"1901-01-01", "庚子(鼠)年 戊子月 己卯日", "农历冬月十一 星期二 玉堂黄道日", nullptr},
      {"2100-12-31", "庚申(猴)年 戊子月 丁未日", "农历腊月初一 星期五 勾陈黑道日", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.day);
    const Row row = DayRow(db, c.day);
    EXPECT_EQ(row.Text("suici"), c.suici);
    if (c.nn) {
      EXPECT_EQ(row.Text("nn"), c.nn);
    }
    if (c.wuhang) {
      EXPECT_EQ(row.Text("wuhang"), c.wuhang);
    }
  }
}

// The foetus spirit's direction moves in runs through the sixty days; 癸卯
// alone stands in the west of the room, between 房内南 and 房内东.
TEST(AlmanacTable, FoetusSpiritRunsAroundGuiMao) {
  RefDb db;
  const struct {
    const char *day, *tszf;
  } cases[] = {
      {"2024-02-08", "仓库炉 房内南"},    // 壬寅
      {"2024-02-09", "房床门 房内西"},    // 癸卯
      {"2024-02-10", "占门栖 房内东"},    // 甲辰
  };
  for (const auto& c : cases) EXPECT_EQ(DayRow(db, c.day).Text("tszf"), c.tszf) << c.day;
}

// The almanac's pillars are those of a chart cast at the end of the day: on
// ordinary days that is the chart at noon, and on the day a 节 begins the
// chart after the term's instant. The day pillar is the noon chart's.
TEST(AlmanacTable, PillarsAgreeWithTheChartAtTheEndOfTheDay) {
  RefDb db;
  CapturedMessages messages;
  std::vector<DateValue> days;
  for (DateValue d = EncodeDate(1901, 1, 1); d <= EncodeDate(2100, 12, 31); d += 53) days.push_back(d);
  for (const Row& term : db.All(Unguarded{}, RefFile::kTgcode,
                                "SELECT SJ FROM JQ WHERE YearA IN (1901, 1984, 1992, 2024, 2100) AND JQ IN "
                                "('立春','惊蛰','清明','立夏','芒种','小暑','立秋','白露','寒露','立冬','大雪','小寒')"))
    days.push_back(DateOf(ParseDateTimeText(term.Text("SJ"))));
  for (const DateValue d : days) {
    const Ymd ymd = DecodeDate(d);
    SCOPED_TRACE(FormatYmd(ymd));
    BaziChart noon, late;
    ASSERT_TRUE(ComputeBazi(noon, db, messages, ymd.year, ymd.month, ymd.day, 12, 0, 0, "男"));
    ASSERT_TRUE(ComputeBazi(late, db, messages, ymd.year, ymd.month, ymd.day, 23, 0, 59, "男"));
    const std::string animal(kZodiacAnimals[IndexOf(kCalendarBranches, late.YearBranch)]);
    const std::string expected = late.YearStem + late.YearBranch + "(" + animal + ")年 " + late.MonthStem +
                                 late.MonthBranch + "月 " + noon.DayStem + noon.DayBranch + "日";
    EXPECT_EQ(DayRow(db, FormatYmd(ymd)).Text("suici"), expected);
  }
}

TEST(AlmanacTable, HoldsEveryDayFrom1901To2100AndNoOther) {
  RefDb db;
  const Row count = db.First(Unguarded{}, RefFile::kBookFile,
                             "SELECT count(*), min(gn), max(gn), count(DISTINCT gn) FROM huangdao");
  EXPECT_EQ(count.Text(0), "73049");
  EXPECT_EQ(count.Text(1), "1901-01-01");
  EXPECT_EQ(count.Text(2), "2100-12-31");
  EXPECT_EQ(count.Text(3), "73049");
  const Row empty = db.First(Unguarded{}, RefFile::kBookFile,
                             "SELECT count(*) FROM huangdao WHERE jsyq = '' OR yi = '' OR xsyq = '' OR ji = ''");
  EXPECT_EQ(empty.Text(0), "0");
}

// The four lists against the reference almanac: their overlap is measured
// and printed; the floors only guard against a rule table gone wrong. The 忌
// line names only the weightiest taboos, as the reference does, so it is
// held to its precision as well.
TEST(AlmanacTable, SpiritsAndActivitiesOverlapTheReference) {
  RefDb db;
  struct Tally {
    const char* name;
    size_t refColumn;
    const char* column;
    double floor, precisionFloor;
    size_t matched = 0, reference = 0, ours = 0;
  } tallies[] = {{"吉神", 15, "jsyq", 0.95, 0.9},
                 {"凶神", 16, "xsyq", 0.95, 0.9},
                 {"宜", 13, "yi", 0.55, 0.35},
                 {"忌", 14, "ji", 0.2, 0.25}};
  for (const auto& d : ReferenceDays()) {
    const Row row = DayRow(db, d.f[0]);
    for (auto& t : tallies) {
      const auto ref = SplitOn(d.f[t.refColumn], "、");
      const auto ours = SplitOn(row.Text(t.column), " ");
      const std::set<std::string> mine(ours.begin(), ours.end());
      for (const auto& r : ref) t.matched += mine.count(r);
      t.reference += ref.size();
      t.ours += ours.size();
    }
  }
  for (const auto& t : tallies) {
    const double recall = double(t.matched) / double(t.reference);
    const double precision = double(t.matched) / double(t.ours);
    std::cout << t.name << ": " << t.matched << " of " << t.reference << " reference entries found ("
              << int(recall * 100 + 0.5) << "%), " << t.matched << " of our " << t.ours << " entries in the reference ("
              << int(precision * 100 + 0.5) << "%)\n";
    EXPECT_GE(recall, t.floor) << t.name;
    EXPECT_GE(precision, t.precisionFloor) << t.name;
  }
}

class CollectedLines : public LineList {};

TEST(AlmanacView, ShowsNineteenLinesWithTheTwoBlankHeadline) {
  RefDb db;
  CapturedMessages messages;
  const struct {
    AlmanacChoice choice;
    const char* dateText;
  } cases[] = {
      {{"2024", "05", "01"}, "2024-05-01"},
      {{"2024", "5", "01"}, "2024-5-01"},  // a month typed as one digit stays as typed
      {{" 2024 ", " 5", "1 "}, "2024-5-1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dateText);
    LineList lines;
    std::string headline;
    ASSERT_EQ(ViewAlmanacDay(c.choice, messages, db, headline, lines), AlmanacOutcome::kShown);
    EXPECT_EQ(headline, std::string(c.dateText) + "  农历三月廿三 星期三 玄武黑道日");
    const auto& l = lines.lines();
    ASSERT_EQ(l.size(), 19u);
    EXPECT_EQ(l[0], "当日统览:" + headline);
    const char* labels[] = {"当日统览:", "岁次:", "每日胎神占方:", "五行:", "冲:",
                            "彭祖百忌:", "吉神宜趋:", "宜:", "凶神宜忌:", "忌:"};
    for (size_t i = 0; i < 10; ++i) {
      EXPECT_TRUE(l[2 * i].starts_with(labels[i])) << l[2 * i];
      if (i < 9) {
        EXPECT_EQ(l[2 * i + 1], "");
      }
    }
    EXPECT_EQ(l[2], "岁次:甲辰(龙)年 戊辰月 乙丑日");
    EXPECT_EQ(l[8], "冲:冲羊(己未) 煞东");
  }
  EXPECT_TRUE(messages.entries.empty());
}

TEST(AlmanacView, RefusesEmptyAndInvalidChoicesAndIsSilentWithoutARow) {
  RefDb db;
  const struct {
    AlmanacChoice choice;
    AlmanacOutcome outcome;
    const char* message;
  } cases[] = {
      {{" ", "05", "01"}, AlmanacOutcome::kRefused, "请选择年!"},
      {{"2024", "", "01"}, AlmanacOutcome::kRefused, "请选择月!"},
      {{"2024", "05", " "}, AlmanacOutcome::kRefused, "请选择日!"},
      {{"2023", "02", "29"}, AlmanacOutcome::kRefused, "请选择有效的日期!"},
      {{"2024", "04", "31"}, AlmanacOutcome::kRefused, "请选择有效的日期!"},
      {{"2024", "五", "01"}, AlmanacOutcome::kRefused, "请选择有效的日期!"},
      {{"1900", "06", "01"}, AlmanacOutcome::kRefused, "黄历数据收录1901年至2100年"},
      {{"2101", "01", "01"}, AlmanacOutcome::kRefused, "黄历数据收录1901年至2100年"},
      {{"1800", "01", "01"}, AlmanacOutcome::kRefused, "黄历数据收录1901年至2100年"},
      {{"2150", "12", "31"}, AlmanacOutcome::kRefused, "黄历数据收录1901年至2100年"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.choice.year + "-" + c.choice.month + "-" + c.choice.day);
    CapturedMessages messages;
    LineList lines;
    std::string headline = "kept";
    EXPECT_EQ(ViewAlmanacDay(c.choice, messages, db, headline, lines), c.outcome);
    EXPECT_TRUE(lines.lines().empty());
    EXPECT_EQ(headline, "kept");
    if (c.message == nullptr) {
      EXPECT_TRUE(messages.entries.empty());
    } else {
      ASSERT_EQ(messages.entries.size(), 1u);
      EXPECT_EQ(messages.entries[0].text, c.message);
    }
  }
}

TEST(AlmanacView, MissingDatabaseIsAnError) {
  test::TempDir empty;
  RefDb db(empty.path());
  CapturedMessages messages;
  LineList lines;
  std::string headline;
  EXPECT_THROW(ViewAlmanacDay({"2024", "05", "01"}, messages, db, headline, lines), DatabaseError);
}

TEST(AlmanacView, GlossaryHasItsThirtyFourLines) {
  const auto lines = SplitOn(AlmanacGlossary(), "\n");
  ASSERT_EQ(lines.size(), 34u);
  EXPECT_EQ(lines[0], "嫁娶 ：男娶女嫁，举行结婚大典的吉日 ");
  EXPECT_EQ(lines[13], "今社会上多已滥用属阴宅择日时属阴宅须辨别之。 ");
  EXPECT_EQ(lines[33], "挂匾 ：指悬挂招牌或各种匾额");
}

TEST(AlmanacCli, PrintsTheNineteenLinesOfTheView) {
  int status = -1;
  const std::string out = test::RunProgram("hehun-cli almanac 2024-05-01", "", &status);
  EXPECT_EQ(status, 0);
  RefDb db;
  CapturedMessages messages;
  LineList lines;
  std::string headline;
  ViewAlmanacDay({"2024", "05", "01"}, messages, db, headline, lines);
  EXPECT_EQ(out, lines.Text() + "\n");
  test::RunProgram("hehun-cli almanac 1899-01-01", "", &status);
  EXPECT_EQ(status, 1);
}

// --- the wedding-day search ---------------------------------------------------

WeddingSearch Couple(const std::string& range, const std::string& purpose, const std::string& kind) {
  // 1990 is a 马 year, 1992 a 猴 year.
  return {{"张三", 0, "1990", "5", "1", "辰 8", "30"}, {"李四", 0, "1992", "10", "12", "未 14", "5"}, range, purpose, kind};
}

struct Listed {
  std::string day, cong, list;
};

// The days of a result: a line that begins with a date, then its 宜 or 忌 line.
std::vector<Listed> ListedDays(const LineList& out) {
  std::vector<Listed> days;
  const auto& l = out.lines();
  for (size_t i = 0; i + 1 < l.size(); ++i) {
    if (l[i].size() < 10 || l[i][0] < '0' || l[i][0] > '9' || l[i][4] != '-' || l[i][7] != '-') continue;
    const auto parts = SplitOn(l[i], "  ");
    days.push_back({l[i].substr(0, 10), parts.back(), l[i + 1]});
  }
  return days;
}

TEST(WeddingDays, FavourableDaysHaveThePurposeAndClashWithNeitherPartner) {
  RefDb db;
  CapturedMessages messages;
  const struct {
    const char* purpose;
    std::vector<std::string> acts;
  } purposes[] = {{"结婚", {"嫁娶"}}, {"订婚", {"订盟", "纳采"}}};
  for (const auto& p : purposes) {
    SCOPED_TRACE(p.purpose);
    LineList out;
    ASSERT_TRUE(RunWeddingDaySearch(Couple("一年以内", p.purpose, "宜"), out, messages, db, {2026, 12, 10}));
    const auto days = ListedDays(out);
    ASSERT_GT(days.size(), 10u);
    for (const auto& d : days) {
      SCOPED_TRACE(d.day);
      EXPECT_GE(d.day, "2026-12-10");
      EXPECT_LE(d.day, "2027-12-09");
      EXPECT_FALSE(Contains(d.cong, "冲马") || Contains(d.cong, "冲猴")) << d.cong;
      ASSERT_TRUE(d.list.starts_with("宜："));
      bool has = false;
      for (const auto& a : SplitOn(d.list.substr(std::string("宜：").size()), "、"))
        for (const auto& w : p.acts) has = has || a == w;
      EXPECT_TRUE(has) << d.list;
      // The day's own row agrees.
      const Row row = DayRow(db, d.day);
      EXPECT_EQ(Contains(row.Text("yi"), p.acts[0]) || (p.acts.size() > 1 && Contains(row.Text("yi"), p.acts[1])), true);
    }
    EXPECT_EQ(out.lines().back(), "共找到" + std::to_string(days.size()) + "个宜" +
                                      (p.acts.size() == 1 ? std::string("嫁娶") : std::string("订盟、纳采")) + "的日子。");
  }
  EXPECT_TRUE(messages.entries.empty());
}

TEST(WeddingDays, UnfavourableDaysListTheirTaboos) {
  RefDb db;
  CapturedMessages messages;
  LineList out;
  ASSERT_TRUE(RunWeddingDaySearch(Couple("一月以内", "结婚", "忌"), out, messages, db, {2024, 5, 1}));
  const auto days = ListedDays(out);
  ASSERT_FALSE(days.empty());
  for (const auto& d : days) {
    SCOPED_TRACE(d.day);
    EXPECT_TRUE(d.list == "忌：诸事不宜" || Contains(d.list, "嫁娶")) << d.list;
  }
  EXPECT_EQ(days.front().day, "2024-05-01");  // 2024-05-01 忌 嫁娶 in the table
  EXPECT_LE(days.back().day, "2024-05-31");
}

TEST(WeddingDays, RangesEndWhereTheirNamesSay) {
  const struct {
    const char* range;
    Ymd end;
  } cases[] = {{"3天以内", {2024, 1, 3}},   {"一周以内", {2024, 1, 7}},  {"一月以内", {2024, 1, 31}},
               {"三月以内", {2024, 3, 31}}, {"半年以内", {2024, 6, 30}}, {"一年以内", {2024, 12, 31}}};
  for (const auto& c : cases) EXPECT_EQ(WeddingRangeEnd({2024, 1, 1}, c.range), c.end) << c.range;
  EXPECT_EQ(WeddingRangeEnd({2024, 1, 31}, "一月以内"), (Ymd{2024, 2, 28}));
  EXPECT_THROW(WeddingRangeEnd({2024, 1, 1}, "两年"), UserError);
}

TEST(WeddingDays, ReadsTheRowsLikeTheMarriagePage) {
  RefDb db;
  WeddingSearch search = Couple("三月以内", "结婚", "宜");
  search.woman.name = " ";
  CapturedMessages messages;
  LineList out;
  EXPECT_FALSE(RunWeddingDaySearch(search, out, messages, db, {2024, 5, 1}));
  ASSERT_EQ(messages.entries.size(), 1u);
  EXPECT_EQ(messages.entries[0].text, "女方姓名不能为空!");
  EXPECT_TRUE(out.lines().empty());

  search = Couple("三月以内", "结婚", "宜");
  search.man.month = "13";
  EXPECT_THROW(RunWeddingDaySearch(search, out, messages, db, {2024, 5, 1}), ConversionError);
}

TEST(WeddingDays, SaysSoWhenNothingIsFound) {
  RefDb db;
  CapturedMessages messages;
  LineList outside;
  ASSERT_TRUE(RunWeddingDaySearch(Couple("一周以内", "结婚", "宜"), outside, messages, db, {2101, 1, 1}));
  EXPECT_TRUE(Contains(outside.lines().back(), "没有黄历数据")) << outside.lines().back();

  // Three days around a 月破 and 四废 stretch have nothing to offer a wedding.
  for (int start = 1; start < 360; ++start) {
    const Ymd from = DecodeDate(EncodeDate(2030, 1, 1) + start);
    LineList out;
    RunWeddingDaySearch(Couple("3天以内", "结婚", "宜"), out, messages, db, from);
    if (ListedDays(out).empty()) {
      EXPECT_EQ(out.lines().back(), "所选范围内没有宜嫁娶的日子，请放宽日期范围再查。");
      return;
    }
  }
  FAIL() << "no three days without a wedding day in 2030";
}

TEST(WeddingDaysCli, PrintsThePageResult) {
  int status = -1;
  const std::string out = test::RunProgram(
      "hehun-cli weddingdays --man 1990-05-01 --woman 1992-10-12 --from 2024-05-01 --range 一月以内 --purpose 结婚 "
      "--kind 宜",
      "", &status);
  EXPECT_EQ(status, 0);
  EXPECT_TRUE(out.starts_with("结婚吉日分析（宜嫁娶）\n查询范围：2024-05-01 至 2024-05-31（一月以内）\n"
                              "男方生肖属马；女方生肖属猴。\n"))
      << out;
}

}  // namespace
}  // namespace hehun
