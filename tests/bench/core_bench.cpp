// Benchmarks of the core's user actions, each with its own reference
// database session as a click would have.
#include <benchmark/benchmark.h>

#include "bazi/chart.h"

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

}  // namespace
}  // namespace hehun

BENCHMARK_MAIN();
