// Lunar births in a leap month and names pasted across lines: the reading of
// a birth row, and the marriage, personal and chart commands that take
// "YYYY-闰M-DD".
#include <gtest/gtest.h>

#include <string>

#include "calendar/birth_row.h"
#include "calendar/lunar_calc.h"
#include "test_support.h"

namespace hehun {
namespace {

BirthRowTexts LunarRow(const std::string& year, const std::string& month, const std::string& day, bool flag = false) {
  BirthRowTexts t;
  t.name = "张三";
  t.calendarIndex = 1;
  t.year = year;
  t.month = month;
  t.day = day;
  t.hour = "辰 8";
  t.minute = "30";
  t.leapMonth = flag;
  return t;
}

TEST(LeapMonthBirth, MonthTextsNameTheirMonth) {
  struct Case {
    const char* text;
    int month;
    bool leap;
  } cases[] = {{"2", 2, false},     {"02", 2, false},   {"二", 2, false},   {"二月", 2, false},  {"正月", 1, false},
               {"腊", 12, false},   {"十一月", 11, false}, {"闰2", 2, true},  {"闰二", 2, true},   {"闰二月", 2, true},
               {"闰12", 12, true},  {"13", 0, false},   {"闰", 0, true},    {"二十", 0, false},  {"x", 0, false}};
  for (const Case& c : cases) {
    bool leap = !c.leap;
    EXPECT_EQ(LunarMonthOfText(c.text, leap), c.month) << c.text;
    EXPECT_EQ(leap, c.leap) << c.text;
  }
  EXPECT_EQ(LunarMonthItem(2, true), "闰2");
  EXPECT_EQ(LunarMonthItem(11, false), "11");
}

TEST(LeapMonthBirth, ALeapMonthRowReadsItsOwnDay) {
  // 2023 has 闰二月: 二月十五 is 2023-03-06, 闰二月十五 a month later.
  struct Case {
    BirthRowTexts texts;
    const char* date;
  } cases[] = {{LunarRow("2023", "2", "15"), "2023-03-06"},      {LunarRow("2023", "闰2", "15"), "2023-04-05"},
               {LunarRow("2023", "闰二", "15"), "2023-04-05"},   {LunarRow("2023", "2", "15", true), "2023-04-05"},
               {LunarRow("2023", "闰二月", "01"), "2023-03-22"}, {LunarRow("2020", "闰4", "1"), "2020-05-23"}};
  for (const Case& c : cases) {
    CapturedMessages messages;
    BirthRow row;
    ASSERT_EQ(ReadBirthRow(c.texts, ManRowMessages(), "男方", messages, row), RowCheck::kOk) << c.texts.month;
    EXPECT_EQ(row.dateText, c.date) << c.texts.month;
  }
}

TEST(LeapMonthBirth, ALeapMonthTheYearLacksIsRefused) {
  struct Case {
    BirthRowTexts texts;
    const char* message;
  } cases[] = {
      {LunarRow("2024", "闰2", "15"), "男方的农历出生月：农历2024年没有闰月，请重新输入。"},
      {LunarRow("2023", "闰3", "15"), "男方的农历出生月：农历2023年的闰月是闰二月，没有闰三月，请重新输入。"},
      {LunarRow("2023", "闰13", "1"), "男方的农历出生月“闰13”应在1到12之间，请重新输入。"},
  };
  for (const Case& c : cases) {
    CapturedMessages messages;
    BirthRow row;
    try {
      ReadBirthRow(c.texts, ManRowMessages(), "男方", messages, row);
      ADD_FAILURE() << c.texts.month << " was read";
    } catch (const ConversionError& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
  }
  BirthRowTexts solar = LunarRow("2023", "闰2", "15");
  solar.calendarIndex = 0;
  CapturedMessages messages;
  BirthRow row;
  EXPECT_THROW(ReadBirthRow(solar, ManRowMessages(), "男方", messages, row), ConversionError);
}

TEST(LeapMonthBirth, NamesKeepOneLine) {
  EXPECT_EQ(OneLineName(" 张\n三\t\r\n "), "张三");
  EXPECT_EQ(OneLineName("李 四"), "李 四");
  BirthRowTexts t = LunarRow("2023", "2", "15");
  t.name = "王\r\n五\t";
  CapturedMessages messages;
  BirthRow row;
  ASSERT_EQ(ReadBirthRow(t, ManRowMessages(), "男方", messages, row), RowCheck::kOk);
  EXPECT_EQ(row.name, "王五");
  t.name = "\n\t\n";
  EXPECT_EQ(ReadBirthRow(t, ManRowMessages(), "男方", messages, row), RowCheck::kNameEmpty);
}

std::string Cli(const std::string& arguments, int* status) {
  return test::RunProgram("hehun-cli " + arguments, "", status);
}

TEST(LeapMonthBirth, CommandsTakeALeapMonthDate) {
  int status = -1;
  const std::string leapChart = Cli("chart --date 2023-闰2-15 --time 08:30 --sex 男 --lunar", &status);
  ASSERT_EQ(status, 0) << leapChart;
  EXPECT_EQ(leapChart, Cli("chart --date 2023-2-15 --time 08:30 --sex 男 --lunar --leap", &status));
  EXPECT_EQ(leapChart, Cli("chart --date 2023-04-05 --time 08:30 --sex 男", &status));
  EXPECT_NE(leapChart, Cli("chart --date 2023-2-15 --time 08:30 --sex 男 --lunar", &status));

  const std::string personal =
      Cli("personal --name 张三 --sex 男 --date 2023-闰2-15 --time 08:30 --lunar --today 2026-01-01", &status);
  ASSERT_EQ(status, 0) << personal;
  EXPECT_NE(personal.find("您出生公历：2023年04月05日"), std::string::npos) << personal;
  EXPECT_NE(personal.find("农历：癸卯(兔年)闰二月十五"), std::string::npos) << personal;

  const std::string marriage = Cli(
      "marriage --man 张三,2023-闰2-15,08:30,lunar --woman 李四,1995-03-08,12:00 --today 2026-01-01", &status);
  ASSERT_EQ(status, 0) << marriage;
  EXPECT_NE(marriage.find("农历：癸卯(兔年)闰二月十五"), std::string::npos) << marriage;
  EXPECT_EQ(marriage, Cli("marriage --man 张三,2023-04-05,08:30 --woman 李四,1995-03-08,12:00 --today 2026-01-01",
                          &status));

  // 2024 has no leap month.
  EXPECT_EQ(Cli("chart --date 2024-闰2-15 --time 08:30 --sex 男 --lunar", &status), "");
  EXPECT_EQ(status, 1);
  EXPECT_EQ(Cli("personal --sex 男 --date 2024-闰2-15 --time 08:30 --lunar", &status), "");
  EXPECT_EQ(status, 1);
}

}  // namespace
}  // namespace hehun
