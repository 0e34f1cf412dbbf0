// Speed of the nickname analysis (one direct index lookup per character,
// plus the GBK conversion) and of the 81-number lookup.
#include <benchmark/benchmark.h>

#include "divination/number81.h"
#include "divination/pinyin.h"

namespace hehun {
namespace {

void BM_NicknameTrait(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(NicknameTrait("风中的小猫咪ABC张三李四"));
}
BENCHMARK(BM_NicknameTrait)->Unit(benchmark::kMicrosecond);

void BM_Number81Fortune(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(Number81Fortune("999999999999999999"));
}
BENCHMARK(BM_Number81Fortune);

}  // namespace
}  // namespace hehun
