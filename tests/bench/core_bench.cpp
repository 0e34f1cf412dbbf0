// Benchmarks of the core's user actions, each with its own reference
// database session as a click would have.
#include <benchmark/benchmark.h>

#include <memory>

#include "almanac/wedding_days.h"
#include "bazi/chart.h"
#include "bazi/placed_chart.h"
#include "reports/marriage_report.h"
#include "refdb/chinese_script.h"
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

// The wedding-day search over a whole year ("一年以内"), as one click of "分析".
void BM_WeddingDaysYear(benchmark::State& state) {
  const WeddingSearch search{{"张三", 0, "1990", "5", "1", "辰 8", "30"},
                             {"李四", 0, "1992", "10", "12", "未 14", "5"},
                             "一年以内",
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

// The text of one whole marriage report, as the report area holds it.
std::string MarriageReportText(const BirthRowTexts& man, const BirthRowTexts& woman) {
  CapturedMessages messages;
  RefDb db;
  ReportArea area;
  MarriageHiddenLists hidden;
  RunMarriageReport(man, woman, area, hidden, messages, db, {2026, 12, 9});
  return area.Text();
}

// A whole marriage report in Traditional Chinese, in a warm process: the
// converter has already written the reports of forty other couples, so the
// fixed texts are known and the couple's own texts are converted anew.
void BM_TraditionalMarriageReport(benchmark::State& state) {
  const auto reports = [](int first_year, const char* man, const char* woman) {
    std::vector<std::string> texts;
    for (int year = first_year; year < first_year + 40; ++year)
      texts.push_back(MarriageReportText({man, 0, std::to_string(year), std::to_string(year % 12 + 1),
                                          std::to_string(year % 28 + 1), "午 12", "0"},
                                         {woman, 0, std::to_string(year + 2), std::to_string((year + 5) % 12 + 1),
                                          std::to_string((year + 9) % 28 + 1), "子 0", "30"}));
    return texts;
  };
  const auto earlier = reports(1940, "张三", "李四");
  const auto measured = reports(1980, "王五", "赵六");
  size_t next = 0;
  std::unique_ptr<TraditionalConverter> converter;
  for (auto _ : state) {
    if (next == 0) {
      state.PauseTiming();
      converter = std::make_unique<TraditionalConverter>();
      for (const auto& text : earlier) converter->Convert(text, {"张三", "李四"});
      state.ResumeTiming();
    }
    benchmark::DoNotOptimize(converter->Convert(measured[next], {"王五", "赵六"}));
    next = (next + 1) % measured.size();
  }
}
BENCHMARK(BM_TraditionalMarriageReport)->Unit(benchmark::kMicrosecond);

// The same report converted again (the window redrawing after a switch).
void BM_TraditionalMarriageReportAgain(benchmark::State& state) {
  const std::string text = MarriageReportText({"张三", 0, "1990", "5", "1", "辰 8", "30"},
                                              {"李四", 0, "1992", "10", "12", "未 14", "5"});
  TraditionalConverter converter;
  converter.Convert(text, {"张三", "李四"});
  for (auto _ : state) benchmark::DoNotOptimize(converter.Convert(text, {"张三", "李四"}));
}
BENCHMARK(BM_TraditionalMarriageReportAgain)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace hehun

BENCHMARK_MAIN();
