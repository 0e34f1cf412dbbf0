// hehun-cli chart and place: the JSON keys of a chart at a birthplace, the
// place list with coordinates, and the messages for an unknown place and a
// clock time that never was.
#include <gtest/gtest.h>


#include <sstream>
#include <string>

#include "calendar/places.h"
#include "test_support.h"

namespace hehun {
namespace {

using Outcome = test::CliOutcome;
using test::RunCli;

TEST(CliChart, JsonHasEveryKeyOfAChartAtAPlace) {
  const Outcome r = RunCli("chart --date 1990-06-15 --time 23:30 --sex 女 --place 成都 --json");
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* key : {"\"place\": {\"name\": \"四川省成都市\", \"longitude\": 104.065735, \"latitude\": 30.659462",
                          "\"clock_time\": \"1990-06-15 23:30\"", "\"dst\": true",
                          "\"beijing_time\": \"1990-06-15 22:30\"", "\"true_solar_time\": \"1990-06-15 21:25\"",
                          "\"pillars\": [\"庚午\", \"壬午\", \"辛亥\", \"己亥\"]",
                          "\"ten_gods\": [\"劫财\", \"伤官\", \"日元\", \"偏印\"]",
                          "\"hidden_stems\": [[{\"stem\": \"丁\", \"ten_god\": \"七杀\"}, {\"stem\": \"己\", \"ten_god\": \"偏印\"}]",
                          "\"nayin\": [\"路旁土\", \"杨柳木\", \"钗钏金\", \"平地木\"]", "\"kongwang\": \"寅卯\"",
                          "\"luck\": {\"direction\": \"逆\", \"start\": {\"years\": ", "\"start_date\": \"",
                          "\"pillars\": [{\"ganzhi\": \"辛巳\", \"start_date\": \""})
    EXPECT_NE(r.out.find(key), std::string::npos) << key << "\n" << r.out;
}

TEST(CliChart, JsonHasTheChartViewFacts) {
  const Outcome r = RunCli("chart --date 1990-06-15 --time 23:30 --sex 女 --json");
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* key : {"\"twelve_stages\": [\"病\", \"病\", \"沐浴\", \"长生\"]", "\"shensha\": [[",
                          "\"elements\": {\"木\": 0, \"火\": 2, \"土\": 0, \"金\": 3, \"水\": 3}",
                          "\"years\": [{\"year\": "})
    EXPECT_NE(r.out.find(key), std::string::npos) << key << "\n" << r.out;
  // Ten years in each of the ten luck pillars.
  size_t years = 0;
  for (size_t at = r.out.find("{\"year\": "); at != std::string::npos; at = r.out.find("{\"year\": ", at + 1)) ++years;
  EXPECT_EQ(years, 100u);
}

TEST(CliChart, WithoutAPlaceTheClockIsBeijingTime) {
  const Outcome r = RunCli("chart --date 1990-06-15 --time 23:30 --sex 女 --json");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\"place\": null"), std::string::npos);
  EXPECT_NE(r.out.find("\"beijing_time\": \"1990-06-15 23:30\""), std::string::npos);
  EXPECT_NE(r.out.find("\"pillars\": [\"庚午\", \"壬午\", \"辛亥\", \"庚子\"]"), std::string::npos) << r.out;
}

TEST(CliChart, BadPlacesAndTimesAreExplained) {
  Outcome r = RunCli("chart --date 1990-06-15 --time 12:00 --sex 男 --place 成都府");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "找不到出生地“成都府”，相近的有：四川省成都市\n");
  r = RunCli("chart --date 1988-04-17 --time 02:30 --sex 男 --place 北京");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("并不存在"), std::string::npos) << r.err;
  r = RunCli("chart --date 1990-06-15 --time 12:00 --sex 男 --longitude 200");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("经度"), std::string::npos) << r.err;
}

// The place list by province: every mainland, Hong Kong, Macao and Taiwan
// division the table holds, each with its coordinates.
TEST(CliPlace, ListsTheSeatsOfChinasDivisionsWithCoordinates) {
  int divisions = 0;
  for (const Place& p : AllPlaces()) {
    if (p.level != PlaceLevel::kProvince) continue;
    const Outcome r = RunCli("place '" + std::string(p.full_name) + "'");
    ASSERT_EQ(r.status, 0) << p.full_name << r.err;
    std::istringstream lines(r.out);
    std::string line;
    while (std::getline(lines, line)) {
      std::istringstream fields(line);
      std::string name, level, east, north;
      std::getline(fields, name, '\t');
      std::getline(fields, level, '\t');
      std::getline(fields, east, '\t');
      std::getline(fields, north, '\t');
      if (name.rfind(std::string(p.full_name), 0) != 0) continue;  // a place elsewhere sharing the prefix
      EXPECT_GT(std::stod(east), 73) << line;
      EXPECT_GT(std::stod(north), 18) << line;
      ++divisions;
    }
  }
  EXPECT_GE(divisions, 2800);
}

TEST(CliMarriage, ABirthplaceAddsItsLines) {
  const Outcome r = RunCli(
      "marriage --man 张三,1990-05-01,08:30,,成都 --woman 李四,1992-10-12,14:05 --woman-place 纽约 --today 2024-01-01");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("出生地：四川省成都市\n北京时间：1990-05-01 07:30（夏令时已扣除1小时）\n真太阳时："),
            std::string::npos);
  EXPECT_NE(r.out.find("出生地：美国 纽约\n"), std::string::npos);
  EXPECT_NE(r.out.find("交运："), std::string::npos);
  EXPECT_NE(r.out.find("交运日："), std::string::npos);
}

}  // namespace
}  // namespace hehun
