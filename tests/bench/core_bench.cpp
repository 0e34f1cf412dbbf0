// Benchmarks of the core's user actions, each with its own reference
// database session as a click would have.
#include <benchmark/benchmark.h>

#include "almanac/wedding_days.h"
#include "bazi/chart.h"
#include "bazi/placed_chart.h"
#include "reports/marriage_report.h"
#include "reports/personal_report.h"

namespace hehun {
namespace {

// One chart with every lookup it makes, in a fresh database session.
void BM_ComputeBazi(benchmark::State& state) {
  CapturedMessages messages;
  for (auto _ : state) {
    RefDb db;
    BaziChart chart;
    ComputeBazi(chart, db, messages, 1990, 6, 15, 23, 0, 30, "女");
    benchmark::DoNotOptimize(chart);
  }
}
BENCHMARK(BM_ComputeBazi)->Unit(benchmark::kMicrosecond);

// Many charts in one session, as the pillars command runs them.
void BM_ComputeBaziSameSession(benchmark::State& state) {
  CapturedMessages messages;
  RefDb db;
  int day = 1;
  for (auto _ : state) {
    BaziChart chart;
    ComputeBazi(chart, db, messages, 1990, 6, day, 12, 0, 30, "男");
    day = day % 28 + 1;
    benchmark::DoNotOptimize(chart);
  }
}
BENCHMARK(BM_ComputeBaziSameSession)->Unit(benchmark::kMicrosecond);

// Charts at a birthplace in one session: the place resolved once, each birth
// read through the tz database and the true solar time.
void BM_ChartAtPlaceSameSession(benchmark::State& state) {
  CapturedMessages messages;
  RefDb db;
  const BirthPlace place = BirthPlaceOf(ResolvePlace("成都"));
  int day = 1;
  for (auto _ : state) {
    PlacedChart chart;
    ComputeChartAtPlace(chart, db, messages, 1990, 6, day, 12, 30, "男", &place);
    day = day % 28 + 1;
    benchmark::DoNotOptimize(chart);
  }
}
BENCHMARK(BM_ChartAtPlaceSameSession)->Unit(benchmark::kMicrosecond);

// Resolving a typed birthplace (a scan of the place table).
void BM_ResolvePlace(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(&ResolvePlace("成都"));
}
BENCHMARK(BM_ResolvePlace)->Unit(benchmark::kMicrosecond);

// A whole marriage report: both charts, every lookup and rule-file read, in a
// fresh database session as one click has.
void BM_MarriageReport(benchmark::State& state) {
  const BirthRowTexts man{"张三", 0, "1990", "5", "1", "辰 8", "30"};
  const BirthRowTexts woman{"李四", 0, "1992", "10", "12", "未 14", "5"};
  CapturedMessages messages;
  for (auto _ : state) {
    RefDb db;
    ReportArea area;
    MarriageHiddenLists hidden;
    RunMarriageReport(man, woman, area, hidden, messages, db, {2026, 12, 9});
    benchmark::DoNotOptimize(area);
  }
}
BENCHMARK(BM_MarriageReport)->Unit(benchmark::kMillisecond);

void BM_PersonalBaziReport(benchmark::State& state) {
  const PersonalInput input{"郑九", "", "女", 0, "1990", "1", "1", "子 0", "0"};
  CapturedMessages messages;
  for (auto _ : state) {
    RefDb db;
    LineList out;
    RunPersonalReport(input, PersonalMode::kBazi, out, messages, db, {2026, 12, 9});
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_PersonalBaziReport)->Unit(benchmark::kMillisecond);

// The wedding-day search over a whole year ("一年以年"), as one click of "分析".
void BM_WeddingDaysYear(benchmark::State& state) {
  const WeddingSearch search{{"张三", 0, "1990", "5", "1", "辰 8", "30"},
                             {"李四", 0, "1992", "10", "12", "未 14", "5"},
                             "一年以年",
                             "结婚",
                             "宜"};
  CapturedMessages messages;
  for (auto _ : state) {
    RefDb db;
    LineList out;
    RunWeddingDaySearch(search, out, messages, db, {2026, 12, 10});
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_WeddingDaysYear)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hehun

BENCHMARK_MAIN();
