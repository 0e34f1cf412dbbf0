// Build-time generator of the two tables of the calendar text library.
//
//   gen_cn_tables CN_YEARS.txt FIXED_TERM_ROWS.txt OUTDIR
//
// cn_year_table.inc: the 150 four-byte records of CN_YEARS.txt (1901-2050),
// copied as they stand.
// cn_term_day_table.inc: 150 x 12 bytes, for each year and Gregorian month
// the calendar days (Beijing time) of the month's two solar terms, computed
// from the astronomical model of the Sun. The rows of FIXED_TERM_ROWS.txt
// replace the computed rows of their years; every day where a fixed row and
// the model disagree is listed in a comment of the generated file and on
// standard output.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "calendar/date.h"
#include "refdb/ganzhi.h"
#include "tools/solar_terms.h"
#include "tools/generated_source.h"

namespace {

constexpr int kFirstYear = 1901;
constexpr int kLastYear = 2050;
constexpr int kYears = kLastYear - kFirstYear + 1;

[[noreturn]] void Fail(const std::string& message) {
  std::cerr << "gen_cn_tables: " << message << "\n";
  std::exit(1);
}

std::vector<std::string> DataLines(const std::string& path) {
  std::ifstream in(path);
  if (!in) Fail("cannot read " + path);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#') continue;
    lines.push_back(line);
  }
  return lines;
}

bool IsHex(const std::string& s) { return s.find_first_not_of("0123456789ABCDEFabcdef") == std::string::npos; }

std::string Hex2(int byte) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "0x%02X", byte);
  return buf;
}

std::string YearTable(const std::string& path) {
  std::string text;
  int expected = kFirstYear;
  for (const auto& line : DataLines(path)) {
    std::istringstream in(line);
    int year = 0;
    if (!(in >> year) || year != expected) Fail(path + ": row " + std::to_string(year) + " out of order");
    std::string record;
    while (in >> record) {
      if (record.size() != 8 || !IsHex(record)) Fail(path + ": bad record " + record);
      text += "0x" + record + "u,";
      ++expected;
    }
    text += "\n";
  }
  if (expected != kLastYear + 1)
    Fail(path + ": " + std::to_string(expected - kFirstYear) + " records, expected " + std::to_string(kYears));
  return text;
}

// Calendar day (Beijing time) of solar term n (0 = 小寒) of a year.
int TermDay(int year, int n) {
  const hehun::Ymd d = hehun::DecodeDate(std::floor(hehun::tools::SolarTermBeijing(year, n)));
  if (d.year != year || d.month != n / 2 + 1) Fail("term " + std::to_string(n) + " of " + std::to_string(year) +
                                                    " falls outside its month");
  return d.day;
}

int TermByte(int firstDay, int secondDay) {
  if (firstDay < 1 || firstDay > 15 || secondDay < 15 || secondDay > 30) Fail("term day out of the byte's range");
  return ((15 - firstDay) << 4) | (secondDay - 15);
}

std::map<int, std::vector<int>> FixedRows(const std::string& path) {
  std::map<int, std::vector<int>> rows;
  for (const auto& line : DataLines(path)) {
    std::istringstream in(line);
    int year = 0;
    std::string hex;
    if (!(in >> year >> hex) || year < kFirstYear || year > kLastYear || hex.size() != 24 || !IsHex(hex))
      Fail(path + ": bad row: " + line);
    std::vector<int>& row = rows[year];
    for (int m = 0; m < 12; ++m) row.push_back(std::stoi(hex.substr(2 * m, 2), nullptr, 16));
  }
  return rows;
}

std::string TermTable(const std::string& fixedPath) {
  const auto fixed = FixedRows(fixedPath);
  std::string notes;
  std::string table;
  for (int year = kFirstYear; year <= kLastYear; ++year) {
    for (int m = 1; m <= 12; ++m) {
      const int first = TermDay(year, 2 * (m - 1));
      const int second = TermDay(year, 2 * (m - 1) + 1);
      int byte = TermByte(first, second);
      auto it = fixed.find(year);
      if (it != fixed.end()) {
        const int given = it->second[m - 1];
        const int givenDays[2] = {15 - (given >> 4), 15 + (given & 0x0F)};
        const int modelDays[2] = {first, second};
        for (int k = 0; k < 2; ++k) {
          if (givenDays[k] == modelDays[k]) continue;
          char buf[160];
          std::snprintf(buf, sizeof buf, "%s %04d-%02d-%02d (the model: %04d-%02d-%02d)",
                        std::string(hehun::kSolarTermNames[2 * (m - 1) + k]).c_str(), year, m, givenDays[k], year,
                        m, modelDays[k]);
          notes += std::string("// fixed row kept: ") + buf + "\n";
          std::cout << "gen_cn_tables: fixed row kept: " << buf << "\n";
        }
        byte = given;
      }
      table += Hex2(byte) + ",";
    }
    table += "  // " + std::to_string(year) + "\n";
  }
  return notes + table;
}

void WriteFile(const std::string& path, const std::string& text) {
  if (!hehun::tools::WriteIfChanged(path, text)) Fail("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: gen_cn_tables CN_YEARS.txt FIXED_TERM_ROWS.txt OUTDIR\n";
    return 2;
  }
  const std::string outdir = argv[3];
  WriteFile(outdir + "/cn_year_table.inc", YearTable(argv[1]));
  WriteFile(outdir + "/cn_term_day_table.inc", TermTable(argv[2]));
  return 0;
}
