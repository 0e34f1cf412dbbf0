// The records archive with 100,000 people: a search as the user types (the
// first page of a list), a search through everybody, and opening the file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "records/archive.h"
#include "refdb/text.h"

namespace hehun::records {
namespace {

namespace fs = std::filesystem;

// One archive for every benchmark, filled once and removed at exit (the
// name is never destroyed, so the removal at exit can still read it).
const fs::path& Filled() {
  static const fs::path* path = new fs::path([] {
    const fs::path file = fs::temp_directory_path() / ("hehun-bench-records-" + std::to_string(getpid()) + ".db");
    const auto surnames = Utf8Chars("张王李赵刘陈杨黄周吴徐孙马朱胡林郭何高罗郑梁谢宋唐许邓冯韩曹");
    const auto given = Utf8Chars("伟芳娜敏静丽强磊军洋勇艳杰娟涛明超秀霞平刚桂英华玉兰");
    const std::vector<std::string> notes = {"", "老客户", "朋友介绍", "第二次来", "婚期待定"};
    std::mt19937 random(1);
    Archive archive(file);
    Archive::Batch batch(archive);
    for (int i = 0; i < 100000; ++i) {
      Person p;
      p.name = surnames[random() % surnames.size()] + given[random() % given.size()] +
               (random() % 2 ? given[random() % given.size()] : "");
      p.sex = random() % 2 ? "男" : "女";
      p.birthDate = {1940 + static_cast<int>(random() % 70), 1 + static_cast<int>(random() % 12),
                     1 + static_cast<int>(random() % 28)};
      p.hour = static_cast<int>(random() % 24);
      p.note = notes[random() % notes.size()];
      if (random() % 10 == 0) p.tags = {"VIP"};
      batch.Add(p);
    }
    batch.Commit();
    std::atexit([] {
      std::error_code ec;
      for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(Filled().string() + suffix, ec);
    });
    return file;
  }());
  return *path;
}

// The picker's list while typing: the first 50 people whose name, note or
// tag holds the text.
void BM_RecordsSearchFirstPage(benchmark::State& state) {
  Archive archive(Filled(), ArchiveAccess::kRead);
  for (auto _ : state) benchmark::DoNotOptimize(archive.FindPeople({"张伟", 0, 50}));
}
BENCHMARK(BM_RecordsSearchFirstPage)->Unit(benchmark::kMicrosecond);

// Every match and the total, for a text few people have (the whole table is read).
void BM_RecordsSearchEverybody(benchmark::State& state) {
  Archive archive(Filled(), ArchiveAccess::kRead);
  for (auto _ : state) {
    benchmark::DoNotOptimize(archive.FindPeople({"赵静"}));
    benchmark::DoNotOptimize(archive.CountMatching("赵静"));
  }
}
BENCHMARK(BM_RecordsSearchEverybody)->Unit(benchmark::kMillisecond);

// Opening for writing, with the integrity check of every page.
void BM_RecordsOpenForWriting(benchmark::State& state) {
  Filled();
  for (auto _ : state) {
    Archive archive(Filled());
    benchmark::DoNotOptimize(archive.CountPeople());
  }
}
BENCHMARK(BM_RecordsOpenForWriting)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace hehun::records
