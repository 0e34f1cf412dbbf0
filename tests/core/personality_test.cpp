// Birthday personality texts: the table's shape and the printed sketches.
#include <gtest/gtest.h>

#include <set>

#include "bazi/personality.h"
#include "calendar/date.h"
#include "refdb/text.h"

namespace hehun {
namespace {

TEST(PersonalityTable, EveryDayAndEveryDayOfTheYearButThirtyFirstJanuary) {
  std::set<std::string> seen;
  int filled = 0;
  for (int i = 0; i < kPersonalityTableSize; ++i) {
    const std::string_view text = PersonalityEntry(i);
    const bool isDay = i >= 1 && i <= 31;
    const int month = i / 100, day = i % 100;
    const bool isMonthDay = month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(2000, month) && i != 131;
    if (!isDay && !isMonthDay) {
      EXPECT_TRUE(text.empty()) << i;
      continue;
    }
    ++filled;
    ASSERT_FALSE(text.empty()) << i;
    EXPECT_TRUE(seen.insert(std::string(text)).second) << "duplicate text at " << i;
    EXPECT_LE(Utf8Length(text), 130) << i;
    if (isDay) {
      EXPECT_EQ(text.find("，"), std::string_view::npos) << "day text " << i << " must use ASCII punctuation";
      EXPECT_EQ(text.find("。"), std::string_view::npos) << i;
    } else {
      EXPECT_EQ(text.find(','), std::string_view::npos) << "month-day text " << i << " must use Chinese punctuation";
    }
  }
  EXPECT_EQ(filled, 396);
  EXPECT_EQ(PersonalityEntry(131), "");
  EXPECT_EQ(PersonalityEntry(230), "");
  EXPECT_EQ(PersonalityEntry(-1), "");
  EXPECT_EQ(PersonalityEntry(2001), "");
}

TEST(PersonalityTable, FixedRowsAndJoinedTexts) {
  EXPECT_EQ(PersonalityEntry(1).substr(0, std::string("是一个有野心并具有大丈夫性格的人,").size()),
            "是一个有野心并具有大丈夫性格的人,");
  EXPECT_EQ(BirthdayPersonalityText(2000, 2, 29, 0), std::string(PersonalityEntry(29)) + std::string(PersonalityEntry(229)));
  EXPECT_EQ(BirthdayPersonalityText(1990, 5, 31, 0), std::string(PersonalityEntry(31)) + std::string(PersonalityEntry(531)));
  EXPECT_EQ(BirthdayPersonalityText(1990, 1, 31, 0), std::string(PersonalityEntry(31)));
  EXPECT_EQ(BirthdayPersonalityText(1990, 1, 1, 5), BirthdayPersonalityText(2011, 1, 1, 20));
}

TEST(PersonalitySketches, LayoutOfTheThreeRoutines) {
  RefDb db;
  CapturedMessages messages;
  BaziChart chart;
  LineList personal, male, female;
  PersonalityBrief(chart, db, messages, 1990, 5, 31, 10, 0, 0, "男", personal);
  ASSERT_EQ(personal.lines().size(), 5u);
  EXPECT_EQ(personal.lines()[0], kBaziSeparator);
  EXPECT_EQ(personal.lines()[1], "");
  EXPECT_EQ(personal.lines()[2], "性格简评：");
  EXPECT_EQ(personal.lines()[3], "    " + BirthdayPersonalityText(1990, 5, 31, 10));
  EXPECT_EQ(personal.lines()[4], "");
  MalePersonalityBrief(chart, db, messages, 1990, 1, 1, 10, 0, 0, "男", male);
  EXPECT_EQ(male.Text(), "男方性格简评：\n    " + BirthdayPersonalityText(1990, 1, 1, 10));
  FemalePersonalityBrief(chart, db, messages, 1990, 1, 1, 10, 0, 0, "女", female);
  EXPECT_EQ(female.lines()[0], "女方性格简评：");
  // A refused date prints the text the chart already held.
  LineList refused;
  MalePersonalityBrief(chart, db, messages, 1990, 4, 31, 10, 0, 0, "男", refused);
  EXPECT_EQ(refused.lines()[1], "    " + BirthdayPersonalityText(1990, 1, 1, 10));
  // A conversion error passes through before any line.
  LineList failed;
  EXPECT_THROW(FemalePersonalityBrief(chart, db, messages, 1990, 1, 32, 10, 0, 0, "女", failed), ConversionError);
  EXPECT_TRUE(failed.lines().empty());
}

TEST(LineSinks, ListsAppendThemselvesWithAClosingEmptyLine) {
  LineList a, b;
  a.Add("一\n二");
  a.Add("");
  a.AppendTo(b);
  EXPECT_EQ(b.lines(), (std::vector<std::string>{"一", "二", "", ""}));
}

}  // namespace
}  // namespace hehun
