// The readings of the function page's three matchings in BookFile.dll:
// sxpd (two zodiac animals), xzpd (two star signs) and xxpd (two blood
// types), one row for every unordered pair, from data/matching/. Each source
// starts with a header line and holds every pair exactly once, in the
// canonical order (the first not after the second in the list's order), with
// a non-empty reading that no other pair shares.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "bazi/matching.h"
#include "refdb/ganzhi.h"
#include "tools/refdb_tables.h"

namespace hehun::tools {

namespace {

template <size_t N>
void BuildPairTable(Writer& w, const std::filesystem::path& file, const char* table,
                    const std::vector<std::string>& header, const std::array<std::string_view, N>& names) {
  const bool withVerdict = header.size() == 4;
  w.Exec(std::string("CREATE TABLE ") + table + " (a TEXT NOT NULL, b TEXT NOT NULL, " +
         (withVerdict ? "verdict TEXT NOT NULL, " : "") + "reading TEXT NOT NULL)");
  w.Exec(std::string("CREATE INDEX ") + table + "_key ON " + table + " (a, b)");
  auto rows = ReadTsv(file, header.size());
  Require(!rows.empty() && rows.front() == header, file.string() + ": the first line must be the header");
  rows.erase(rows.begin());
  Require(rows.size() == N * (N + 1) / 2, file.string() + ": expected " + std::to_string(N * (N + 1) / 2) + " pairs");
  auto ins = w.Prepare(std::string("INSERT INTO ") + table + (withVerdict ? " VALUES (?, ?, ?, ?)" : " VALUES (?, ?, ?)"));
  std::set<std::pair<int, int>> pairs;
  std::set<std::string> readings;
  for (const auto& r : rows) {
    const int a = IndexOf(names, r[0]), b = IndexOf(names, r[1]);
    Require(a >= 0 && b >= 0, file.string() + ": unknown name in " + r[0] + " " + r[1]);
    Require(a <= b, file.string() + ": " + r[0] + " " + r[1] + " must be written in the list's order");
    Require(pairs.insert({a, b}).second, file.string() + ": " + r[0] + " " + r[1] + " appears twice");
    Require(readings.insert(r.back()).second, file.string() + ": the reading of " + r[0] + " " + r[1] + " repeats");
    std::vector<Value> values(r.begin(), r.end());
    ins.Run(values);
  }
}

}  // namespace

void BuildPairReadings(Writer& w, const std::filesystem::path& data) {
  const auto dir = data / "matching";
  BuildPairTable(w, dir / "zodiac_pairs.tsv", "sxpd", {"a", "b", "reading"}, kZodiacAnimals);
  BuildPairTable(w, dir / "sign_pairs.tsv", "xzpd", {"a", "b", "reading"}, kStarSigns);
  BuildPairTable(w, dir / "blood_pairs.tsv", "xxpd", {"a", "b", "verdict", "reading"}, kBloodTypes);
}

}  // namespace hehun::tools
