// The stored solar-term instants against published instants, including
// terms within seconds of midnight, and the shape of the whole table.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "calendar/date.h"
#include "refdb/ganzhi.h"
#include "refdb/refdb.h"
#include "test_support.h"

namespace hehun {
namespace {

std::string StoredInstant(RefDb& db, int year, const std::string& term) {
  return db
      .First(Unguarded{}, RefFile::kTgcode, "SELECT SJ FROM JQ WHERE YearA = ? AND JQ = ? ORDER BY rowid LIMIT 1",
             {static_cast<long long>(year), term})
      .Text("SJ");
}

TEST(SolarTermTable, WithinAMinuteOfPublishedInstantsAndOnTheRightDay) {
  std::ifstream in(std::string(HEHUN_SOURCE_DIR) + "/tests/data/solar_terms_reference.tsv");
  ASSERT_TRUE(in) << "reference instants not found";
  RefDb db;
  std::string line;
  int checked = 0;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream f(line);
    int year;
    std::string term, date, time;
    f >> year >> term >> date >> time;
    const std::string stored = StoredInstant(db, year, term);
    ASSERT_FALSE(stored.empty()) << year << term;
    EXPECT_EQ(stored.substr(0, 10), date) << year << term << " stored " << stored;
    const double diff = (ParseDateTimeText(stored) - ParseDateTimeText(date + " " + time)) * 86400.0;
    EXPECT_LT(std::fabs(diff), 60.0) << year << term << " stored " << stored << " published " << date << " " << time;
    ++checked;
  }
  EXPECT_GT(checked, 0);
  EXPECT_EQ(StoredInstant(db, 1979, "大寒"), "1979-01-20 23:59:56");
}

TEST(SolarTermTable, EveryYearHasItsTwentyFourTermsInOrder) {
  RefDb db;
  for (int year = 1900; year <= 2100; ++year) {
    double previous = 0;
    for (auto name : kSolarTermNames) {
      const std::string stored = StoredInstant(db, year, std::string(name));
      ASSERT_FALSE(stored.empty()) << year << name;
      const double t = ParseDateTimeText(stored);
      ASSERT_EQ(DecodeDate(t).year, year) << year << name;
      ASSERT_GT(t, previous) << year << name;
      // Terms follow each other every 14 to 16 days.
      if (previous > 0) {
        ASSERT_NEAR(t - previous, 15.2, 1.0) << year << name;
      }
      previous = t;
    }
  }
  const Row count = db.First(Unguarded{}, RefFile::kTgcode, "SELECT count(*) FROM JQ");
  EXPECT_EQ(count.Text(size_t{0}), "4824");
}

TEST(SolarTermCommand, PrintsTheYearInCalendarOrder) {
  int status = 0;
  const std::string out = test::RunProgram("hehun-cli solarterms 1979", "", &status);
  EXPECT_EQ(status, 0);
  std::istringstream lines(out);
  std::string first, second;
  std::getline(lines, first);
  std::getline(lines, second);
  EXPECT_EQ(first.substr(0, 6), "小寒");
  EXPECT_EQ(second, "大寒 1979-01-20 23:59:56");
  test::RunProgram("hehun-cli solarterms 2101", "", &status);
  EXPECT_NE(status, 0);
  test::RunProgram("hehun-cli solarterms abc", "", &status);
  EXPECT_NE(status, 0);
}

}  // namespace
}  // namespace hehun
