#include "bazi/luck_start.h"

#include <cmath>

#include "refdb/ganzhi.h"

namespace hehun {

namespace {

constexpr long long kMinutesPerYear = 3 * 24 * 60;  // three days
constexpr long long kMinutesPerMonth = 6 * 60;      // a quarter of a day
constexpr long long kMinutesPerDay = 12;            // twelve minutes

Ymd AddDays(const Ymd& date, int days) {
  return DecodeDate(EncodeDate(date.year, date.month, date.day) + days);
}

}  // namespace

LuckSpan ThreeDaysMakeAYear(double distanceDays, const Ymd& birthDate) {
  // Whole minutes; the small allowance keeps a distance of exactly n minutes
  // (stored to the second) from falling to n − 1.
  long long minutes = static_cast<long long>(std::floor(distanceDays * 24 * 60 + 1e-6));
  if (minutes < 0) minutes = 0;
  LuckSpan span;
  span.years = static_cast<int>(minutes / kMinutesPerYear);
  minutes %= kMinutesPerYear;
  span.months = static_cast<int>(minutes / kMinutesPerMonth);
  minutes %= kMinutesPerMonth;
  span.days = static_cast<int>(minutes / kMinutesPerDay);
  span.start = AddDays(AddMonths(birthDate, span.years * 12 + span.months), span.days);
  return span;
}

std::string ChineseDateText(const Ymd& date) {
  return std::to_string(date.year) + "年" + std::to_string(date.month) + "月" + std::to_string(date.day) + "日";
}

std::string LuckSpanText(const LuckSpan& span) {
  return std::to_string(span.years) + "年" + std::to_string(span.months) + "个月" + std::to_string(span.days) +
         "天起运，" + ChineseDateText(span.start) + "交运";
}

std::vector<LuckPillar> LuckPillarsFrom(const BaziChart& chart, const LuckSpan& span, int count) {
  std::vector<LuckPillar> out;
  out.reserve(count);
  for (int k = 1; k <= count; ++k) {
    const int step = chart.LuckReverse == 0 ? k : -k;
    out.push_back({std::string(kStemNames[Mod(chart.MonthStemIdx + step, 10)]) +
                       std::string(kBranchNames[Mod(chart.MonthBranchIdx + step, 12)]),
                   AddMonths(span.start, 120 * (k - 1))});
  }
  return out;
}

}  // namespace hehun
