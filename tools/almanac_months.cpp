#include "tools/almanac_months.h"

#include <cmath>
#include <stdexcept>

#include "refdb/ganzhi.h"
#include "tools/solar_terms.h"

namespace hehun::tools {

AlmanacMonthPillar::AlmanacMonthPillar(int firstYear, int lastYear) : firstYear_(firstYear) {
  // The twelve 节 (the even terms, 小寒 first) of every year from the one
  // before the table, so that its first days find the 节 that opened their month.
  for (int year = firstYear - 1; year <= lastYear; ++year)
    for (int n = 0; n < 24; n += 2)
      terms_.push_back({static_cast<long>(std::floor(SolarTermBeijing(year, n))), (n / 2 + 1) % 12, n == 2});
}

AlmanacMonth AlmanacMonthPillar::Of(long day) {
  if (day < terms_[0].day) throw std::out_of_range("AlmanacMonthPillar: day before the first 节");
  while (at_ + 1 < terms_.size() && terms_[at_ + 1].day <= day) {
    ++at_;
    if (terms_[at_].spring) ++springs_;
  }
  // The 小寒 of firstYear - 1 lies in the year pillar of firstYear - 2.
  const int yearOfPillar = firstYear_ - 2 + springs_;
  AlmanacMonth m;
  m.yearCycle = Mod(yearOfPillar - 4, 60);
  m.monthBranch = terms_[at_].branch;
  const int firstMonthStem = (m.yearCycle % 5) * 2 + 2;  // 甲己之年丙作首
  m.monthStem = (firstMonthStem + Mod(m.monthBranch - 2, 12)) % 10;
  return m;
}

}  // namespace hehun::tools
