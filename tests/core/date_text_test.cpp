// Date arithmetic, date texts and GBK byte handling.
#include <gtest/gtest.h>

#include "calendar/date.h"
#include "refdb/gbk.h"
#include "refdb/messages.h"
#include "refdb/text.h"

namespace hehun {
namespace {

TEST(Dates, DayNumbersOfTheCalendar) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(EncodeDate(1900, 1, 31), 32);
  EXPECT_EQ(EncodeDate(2101, 1, 1), 73416);
  EXPECT_EQ(DecodeDate(73415.99), (Ymd{2100, 12, 31}));
  EXPECT_EQ(FormatDateTime(EncodeDateTime(1979, 1, 20, 23, 59, 56)), "1979-01-20 23:59:56");
  EXPECT_EQ(FormatDate(EncodeDate(1, 1, 1)), "0001-01-01");
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_EQ(DaysInMonth(2001, 2), 28);
  EXPECT_EQ(DaysInMonth(2001, 13), 0);
}

TEST(Dates, ParsingYearMonthDayTexts) {
  EXPECT_EQ(ParseDateText("1990-5-1"), EncodeDate(1990, 5, 1));
  EXPECT_EQ(ParseDateText(" 1990-05-01 "), EncodeDate(1990, 5, 1));
  EXPECT_EQ(ParseDateText("2000-2-29"), EncodeDate(2000, 2, 29));
  for (const char* bad : {"1990-2-30", "1990-1-32", "1990-13-1", "1990-0-1", "abc", "1990-5", "1990-5-1x", ""}) {
    try {
      ParseDateText(bad);
      ADD_FAILURE() << bad << " was accepted";
    } catch (const ConversionError& e) {
      EXPECT_NE(std::string(e.what()).find(std::string("“") + bad + "”"), std::string::npos) << e.what();
    }
  }
  EXPECT_EQ(ParseIntText(" 23 "), 23);
  EXPECT_THROW(ParseIntText(""), ConversionError);
  EXPECT_THROW(ParseIntText("12a"), ConversionError);
}

TEST(Gbk, BytesOfMixedText) {
  EXPECT_EQ(gbk::ByteLength("子 0"), 4);
  EXPECT_EQ(gbk::ByteLength("金牛座 "), 7);
  EXPECT_EQ(gbk::ToUtf8(gbk::FromUtf8("八字合婚 abc")), "八字合婚 abc");
  EXPECT_EQ(gbk::FromUtf8("甲").size(), 2u);
  // Cuts never split a character.
  EXPECT_EQ(gbk::TruncateBytes("甲子乙丑丙寅", 10), "甲子乙丑丙");
  EXPECT_EQ(gbk::TruncateBytes("甲子乙丑丙寅", 9), "甲子乙丑");
  EXPECT_EQ(gbk::TruncateBytes("abc甲", 4), "abc");
  // The hour text from its fourth byte on.
  EXPECT_EQ(gbk::MidBytes("巳 10", 4, 2), "10");
  EXPECT_EQ(gbk::MidBytes("子 0", 4, 2), "0");
  EXPECT_EQ(gbk::MidBytes("12", 4, 2), "");
}

TEST(Text, TrimAndCharacters) {
  EXPECT_EQ(Trim("  甲子 \t\r\n"), "甲子");
  EXPECT_EQ(TrimRight("金牛座 "), "金牛座");
  EXPECT_EQ(Utf8Length("甲子 a"), 4);
  EXPECT_EQ(Utf8CharAt("庚午(马年)", 3), "马");
  EXPECT_EQ(Utf8Mid("辛亥庚子", 2, 2), "庚子");
  EXPECT_FALSE(Contains("", ""));
  EXPECT_FALSE(Contains("甲", ""));
  EXPECT_TRUE(Contains("甲戊庚", "戊"));
}

}  // namespace
}  // namespace hehun
