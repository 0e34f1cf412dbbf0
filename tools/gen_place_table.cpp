// Build-time generator of the birthplace table compiled into the core.
//
//   gen_place_table PLACES.tsv OUT.inc
//       writes one {name, aliases, full name, level, parent, degrees east,
//       degrees north, time zone, code} initializer per row of the table
//       that tools/gen_places.py made (data/places/places.tsv).
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/generated_source.h"

namespace {

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> out;
  std::string field;
  std::istringstream in(line);
  while (std::getline(in, field, '\t')) out.push_back(field);
  if (!line.empty() && line.back() == '\t') out.emplace_back();
  return out;
}

int LevelNumber(const std::string& level) {
  static const char* kLevels[] = {"省级", "地级", "县级", "国外城市"};
  for (int i = 0; i < 4; ++i)
    if (level == kLevels[i]) return i;
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: gen_place_table PLACES.tsv OUT.inc\n";
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::cerr << "gen_place_table: cannot read " << argv[1] << "\n";
    return 1;
  }
  using hehun::tools::CppString;
  std::string text = "// Generated from data/places/places.tsv by gen_place_table.\n";
  std::string line;
  int row = 0;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    ++row;
    const auto f = Fields(line);
    const int level = f.size() == 9 ? LevelNumber(f[3]) : -1;
    char* end1 = nullptr;
    char* end2 = nullptr;
    const double east = f.size() == 9 ? std::strtod(f[5].c_str(), &end1) : 0;
    const double north = f.size() == 9 ? std::strtod(f[6].c_str(), &end2) : 0;
    if (level < 0 || *end1 || *end2 || east < -180 || east > 180 || north < -90 || north > 90 || f[0].empty()) {
      std::cerr << "gen_place_table: bad row " << row << ": " << line << "\n";
      return 1;
    }
    // Texts as "…"sv literals: their length is known to the compiler, so
    // the table stays a constant without measuring every text at compile
    // time (which runs into clang's step limit on a table this size).
    const auto sv = [](const std::string& s) { return CppString(s) + "sv"; };
    text += "{" + sv(f[0]) + "," + sv(f[1]) + "," + sv(f[2]) + ",PlaceLevel(" + std::to_string(level) + ")," +
            sv(f[4]) + "," + f[5] + "," + f[6] + "," + sv(f[7]) + "," + sv(f[8]) + "},\n";
  }
  if (!hehun::tools::WriteIfChanged(argv[2], text)) {
    std::cerr << "gen_place_table: cannot write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}
