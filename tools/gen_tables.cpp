// Build-time generator of the constant tables compiled into the core.
//
//   gen_tables lunar YEARS.txt MINUTES.txt OUTDIR
//       writes lunar_year_table.inc and solar_term_minutes.inc
//   gen_tables texts OUT.inc FILE.tsv...
//       writes {index, "text"} pairs from INDEX<TAB>TEXT files
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tools/generated_source.h"

namespace {

std::vector<std::string> DataLines(const std::string& path) {
  std::ifstream in(path);
  if (!in) {
    std::cerr << "gen_tables: cannot read " << path << "\n";
    std::exit(1);
  }
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    lines.push_back(line);
  }
  return lines;
}

void WriteFile(const std::string& path, const std::string& text) {
  if (!hehun::tools::WriteIfChanged(path, text)) {
    std::cerr << "gen_tables: cannot write " << path << "\n";
    std::exit(1);
  }
}

int Lunar(const std::string& years, const std::string& minutes, const std::string& outdir) {
  std::string words;
  int expectedYear = 1900;
  int count = 0;
  for (const auto& line : DataLines(years)) {
    std::istringstream in(line);
    int year;
    in >> year;
    if (year != expectedYear) {
      std::cerr << "gen_tables: row " << year << " out of order, expected " << expectedYear << "\n";
      return 1;
    }
    std::string word;
    while (in >> word) {
      words += "0x" + word + ",";
      ++count;
      ++expectedYear;
    }
    words += "\n";
  }
  if (count != 201) {
    std::cerr << "gen_tables: " << count << " lunar years, expected 201\n";
    return 1;
  }
  WriteFile(outdir + "/lunar_year_table.inc", words);
  std::string mins;
  for (const auto& line : DataLines(minutes)) {
    std::istringstream in(line);
    std::string n;
    while (in >> n) mins += n + ",";
    mins += "\n";
  }
  WriteFile(outdir + "/solar_term_minutes.inc", mins);
  return 0;
}

int Texts(const std::string& out, const std::vector<std::string>& files) {
  std::map<int, std::string> entries;
  for (const auto& f : files) {
    for (const auto& line : DataLines(f)) {
      auto tab = line.find('\t');
      if (tab == std::string::npos) {
        std::cerr << "gen_tables: " << f << ": line without TAB: " << line << "\n";
        return 1;
      }
      int index = std::stoi(line.substr(0, tab));
      if (!entries.emplace(index, line.substr(tab + 1)).second) {
        std::cerr << "gen_tables: " << f << ": index " << index << " given twice\n";
        return 1;
      }
    }
  }
  std::string text;
  for (const auto& [index, s] : entries) text += "{" + std::to_string(index) + ", " + hehun::tools::CppString(s) + "},\n";
  WriteFile(out, text);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 4 && args[0] == "lunar") return Lunar(args[1], args[2], args[3]);
  if (args.size() >= 3 && args[0] == "texts")
    return Texts(args[1], std::vector<std::string>(args.begin() + 2, args.end()));
  std::cerr << "usage: gen_tables lunar YEARS MINUTES OUTDIR | texts OUT FILES...\n";
  return 2;
}
