// The shensha rule files: a rule line of any bytes, and a whole rule file of
// any bytes read by all seven routines (as GBK, the way the program reads the
// files in "shensha/"). The first two bytes pick the chart characters asked.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "bazi/shensha.h"
#include "fuzz_support.h"
#include "refdb/refdb.h"

namespace {

constexpr const char* kFiles[] = {"niangan.txt", "nianzhi.txt", "yuezhi.txt", "rigan.txt",
                                  "rizhi.txt",   "rizhu.txt",   "rizhus.txt"};

// The one rule file every input is written to; the seven file names of the
// folder "shensha/" link to it. In memory where the system offers it, since
// every input writes it once.
const std::filesystem::path& RuleFile() {
  static const std::filesystem::path file = [] {
    char pattern[] = "/dev/shm/hehun-shensha-fuzz-XXXXXX";
    char fallback[] = "/tmp/hehun-shensha-fuzz-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) made = mkdtemp(fallback);
    if (!made) std::abort();
    const std::filesystem::path dir(made);
    std::filesystem::create_directories(dir / "shensha");
    for (const char* name : kFiles) std::filesystem::create_symlink("../rules.txt", dir / "shensha" / name);
    hehun::SetDataDirOverride(dir);
    static std::filesystem::path madeDir = dir;
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(madeDir, ec);
    });
    return dir / "rules.txt";
  }();
  return file;
}

bool Trimmed(const std::string& s) { return s.empty() || (s.front() != ' ' && s.back() != ' '); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace hehun;
  const std::string_view input = fuzz::AsText(data, size);

  const ShenshaRuleLine rule = ParseShenshaRuleLine(input);
  fuzz::Expect(rule.items.size() <= 21, "at most 21 items", input);
  for (const auto& item : rule.items) fuzz::Expect(Trimmed(item.value), "values are trimmed", input);

  if (size < 2) return 0;
  const int a = data[0], b = data[1];
  const std::string_view file = input.substr(2);
  std::ofstream(RuleFile(), std::ios::binary | std::ios::trunc) << file;

  const std::string stem = GanZhiName(a % 10, false), branch = GanZhiName(a / 10 % 12, true);
  const std::string stem2 = GanZhiName(b % 10, false), branch2 = GanZhiName(b / 10 % 12, true);
  const std::string pillar = stem + branch, pillar2 = stem2 + branch2;
  RefDb db;  // a session of its own: every input is a new rule file
  const std::string results[] = {
      ShenshaYearStem(db, stem, branch2),
      ShenshaYearBranch(db, branch, branch2, a / 10 % 12, b & 1),
      ShenshaMonthBranch(db, branch, stem2, branch2),
      ShenshaDayStem(db, stem, branch2),
      ShenshaDayBranch(db, branch, branch2, a / 10 % 12),
      ShenshaDayPillar(db, pillar, pillar2),
      ShenshaDayPillarExtra(db, pillar, pillar2),
  };
  for (const auto& r : results) fuzz::Expect(Trimmed(r), "results never begin or end with a blank", input);
  return 0;
}
