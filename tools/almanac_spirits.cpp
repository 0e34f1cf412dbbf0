#include "tools/almanac_spirits.h"

#include <cmath>
#include <stdexcept>

#include "refdb/ganzhi.h"
#include "tools/solar_terms.h"

namespace hehun::tools {

namespace {

long TermDay(int year, int n) { return static_cast<long>(std::floor(SolarTermBeijing(year, n))); }

int DayStem(long day) { return Mod(static_cast<int>(day % 10) + 8, 10); }  // 1899-12-30 is a 壬 day

// The count-th day with stem `stem` from `from` on, `from` itself included.
long NthStemDay(long from, int stem, int count) {
  long d = from + Mod(stem - DayStem(from), 10);
  return d + 10L * (count - 1);
}

}  // namespace

std::map<std::string, std::set<long>> TermDays(int firstYear, int lastYear) {
  std::map<std::string, std::set<long>> out;
  constexpr int kSpring = 2, kSummerSolstice = 11, kAutumn = 14;  // 立春, 夏至, 立秋
  constexpr int kWu = 4, kGeng = 6;
  for (int year = firstYear - 1; year <= lastYear; ++year) {
    for (int n : {2, 8, 14, 20}) {
      const long day = TermDay(year, n);
      for (long d = day - 18; d < day; ++d) out["土王"].insert(d);
    }
    const long solstice = TermDay(year, kSummerSolstice), autumn = TermDay(year, kAutumn);
    out["伏"].insert(NthStemDay(solstice, kGeng, 3));
    out["伏"].insert(NthStemDay(solstice, kGeng, 4));
    out["伏"].insert(NthStemDay(autumn, kGeng, 1));
    out["社"].insert(NthStemDay(TermDay(year, kSpring), kWu, 5));
    out["社"].insert(NthStemDay(autumn, kWu, 5));
  }
  return out;
}

std::vector<int> ParseLunarDays(const std::string& value) {
  std::vector<int> out;
  size_t start = 0;
  while (start <= value.size()) {
    const size_t at = value.find('/', start);
    const std::string part = value.substr(start, at == std::string::npos ? std::string::npos : at - start);
    size_t used = 0;
    int n = 0;
    try {
      n = std::stoi(part, &used);
    } catch (const std::exception&) {
      used = 0;
    }
    if (used == 0 || used != part.size() || n < 1 || n > 30)
      throw std::runtime_error("spirits.tsv: not a lunar day: " + value);
    out.push_back(n);
    if (at == std::string::npos) break;
    start = at + 1;
  }
  return out;
}

}  // namespace hehun::tools
