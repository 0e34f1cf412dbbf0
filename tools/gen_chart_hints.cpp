// gen_chart_hints IN.tsv OUT.inc: the hover meanings of the chart view,
// KIND<TAB>NAME<TAB>TEXT lines (KIND 十神, 星运 or 神煞), written as
// {"kind", "name", "text"} entries. A line without three fields or a name
// given twice stops the build.
#include <fstream>
#include <iostream>
#include <set>
#include <string>

#include "tools/generated_source.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: gen_chart_hints IN.tsv OUT.inc\n";
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::cerr << "gen_chart_hints: cannot read " << argv[1] << "\n";
    return 1;
  }
  std::string line, out;
  std::set<std::string> names;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const size_t a = line.find('\t');
    const size_t b = a == std::string::npos ? a : line.find('\t', a + 1);
    if (b == std::string::npos || line.find('\t', b + 1) != std::string::npos || b + 1 >= line.size()) {
      std::cerr << argv[1] << ":" << number << ": expected KIND<TAB>NAME<TAB>TEXT\n";
      return 1;
    }
    const std::string name = line.substr(a + 1, b - a - 1);
    if (!names.insert(name).second) {
      std::cerr << argv[1] << ":" << number << ": " << name << " given twice\n";
      return 1;
    }
    out += "{" + hehun::tools::CppString(line.substr(0, a)) + ", " + hehun::tools::CppString(name) + ", " +
           hehun::tools::CppString(line.substr(b + 1)) + "},\n";
  }
  return hehun::tools::WriteIfChanged(argv[2], out) ? 0 : 1;
}
