// The calendar subcommands of hehun-cli print exactly what the core returns.
#include <gtest/gtest.h>

#include <sstream>

#include "calendar/date.h"
#include "calendar/lunar_calc.h"
#include "test_support.h"

namespace hehun {
namespace {

TEST(CliLunar, EveryDayOfTheTableAndItsBorders) {
  std::string input;
  std::string expected;
  for (DateValue d = EncodeDate(1900, 1, 30); d <= EncodeDate(2101, 1, 1); d += 1) {
    input += FormatDate(d) + "\n";
    const LunarDate l = SolarToLunar(d);
    expected += std::to_string(l.Year) + " " + std::to_string(l.Month) + " " + std::to_string(l.Day) + " " +
                (l.IsLeap ? "1" : "0") + "\n";
  }
  int status = 0;
  const std::string out = test::RunProgram("hehun-cli lunar", input, &status);
  EXPECT_EQ(status, 0);
  ASSERT_EQ(out.substr(0, 8), "0 0 0 0\n");
  EXPECT_TRUE(out == expected);
  EXPECT_EQ(out.substr(out.size() - 8), "0 0 0 0\n");
}

TEST(CliSolar, InvertsLunarAndRejectsImpossibleDates) {
  int status = 0;
  const std::string out =
      test::RunProgram("hehun-cli solar", "1990 5 1 0\n2020 4 1 1\n2020 4 30 1\n1900 1 1 0\nx y z w\n", &status);
  EXPECT_EQ(status, 0);
  std::istringstream lines(out);
  std::string l;
  std::getline(lines, l);
  EXPECT_EQ(l, "1990-05-24");
  std::getline(lines, l);
  EXPECT_EQ(l, "2020-05-23");
  std::getline(lines, l);
  EXPECT_EQ(l, "0001-01-01");
  std::getline(lines, l);
  EXPECT_EQ(l, "0001-01-01");
  std::getline(lines, l);
  EXPECT_EQ(l.substr(0, 5), "ERROR");
}

}  // namespace
}  // namespace hehun
