// The texts of one month of the calendar viewer (what one ShowMonth computes).
#include <benchmark/benchmark.h>

#include "calendar/date.h"
#include "calendar/date_cn.h"

namespace {

void BM_CalendarMonthTexts(benchmark::State& state) {
  for (auto _ : state) {
    const hehun::DateValue x = hehun::EncodeDate(2023, 1, 22);
    size_t bytes = hehun::CnZodiacLabel(x).size();
    for (int k = 1; k <= 31; ++k) {
      const hehun::DateValue d = hehun::EncodeDate(2023, 1, k);
      bytes += hehun::CnLunarDayName(d).size() + hehun::CnLunarMonthName(d).size() +
               hehun::SolarFestivalName(k, x).size() + hehun::CnSolarTermName(d).size() +
               hehun::CnLunarFestival(d).size();
    }
    bytes += hehun::CnStarSignOfDay(22, x).size();
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_CalendarMonthTexts)->Unit(benchmark::kMicrosecond);

}  // namespace
