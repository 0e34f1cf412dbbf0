#include "tools/almanac_rule_text.h"

#include <stdexcept>

#include "refdb/ganzhi.h"
#include "tools/refdb_writer.h"

namespace hehun::tools {

std::vector<std::string> Chars(const std::string& text) {
  std::vector<std::string> out;
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    out.push_back(text.substr(i, n));
    i += n;
  }
  return out;
}

std::vector<std::string> Split(const std::string& text, char sep) {
  std::vector<std::string> out;
  size_t start = 0;
  while (true) {
    const size_t at = text.find(sep, start);
    out.push_back(text.substr(start, at == std::string::npos ? std::string::npos : at - start));
    if (at == std::string::npos) break;
    start = at + 1;
  }
  return out;
}

int StemIndex(const std::string& s) { return IndexOf(kCalendarStems, s); }
int BranchIndex(const std::string& s) { return IndexOf(kCalendarBranches, s); }

int PillarIndex(const std::string& pillar) {
  const auto c = Chars(pillar);
  Require(c.size() == 2, "not a pillar: " + pillar);
  const int s = StemIndex(c[0]), b = BranchIndex(c[1]);
  Require(s >= 0 && b >= 0 && s % 2 == b % 2, "not a pillar: " + pillar);
  for (int i = 0; i < 60; ++i)
    if (i % 10 == s && i % 12 == b) return i;
  throw std::logic_error("pillar");
}

std::vector<Match> ParseAlternatives(const std::string& value) {
  std::vector<Match> out;
  if (value == "-") return out;
  for (const auto& alt : Split(value, '/')) {
    Match m;
    const auto c = Chars(alt);
    if (c.size() == 2) {
      m.pillar = PillarIndex(alt);
    } else {
      Require(c.size() == 1, "bad rule value: " + value);
      m.stem = StemIndex(alt);
      if (m.stem < 0) m.branch = BranchIndex(alt);
      Require(m.stem >= 0 || m.branch >= 0, "bad rule value: " + value);
    }
    out.push_back(m);
  }
  return out;
}

std::string Join(const std::vector<std::string>& items, const char* sep) {
  std::string out;
  for (size_t i = 0; i < items.size(); ++i) out += (i ? sep : "") + items[i];
  return out;
}

}  // namespace hehun::tools
