// Reading the texts of the almanac rule tables (data/almanac): UTF-8
// characters, tab and slash fields, stems, branches and pillars, and the
// "甲/子/乙丑" alternatives a rule value lists.
#pragma once

#include <string>
#include <vector>

namespace hehun::tools {

// The characters of a UTF-8 text, one string each.
std::vector<std::string> Chars(const std::string& text);
std::vector<std::string> Split(const std::string& text, char sep);
std::string Join(const std::vector<std::string>& items, const char* sep = " ");

int StemIndex(const std::string& s);
int BranchIndex(const std::string& s);
// The place of a pillar such as "乙丑" in the sexagenary cycle (甲子 0).
int PillarIndex(const std::string& pillar);

// What a day must have for a rule value: a stem, a branch or a whole pillar.
struct Match {
  int stem = -1, branch = -1, pillar = -1;
  bool Holds(int day) const {
    if (pillar >= 0) return day == pillar;
    if (stem >= 0) return day % 10 == stem;
    return day % 12 == branch;
  }
};

// "甲/子/乙丑" as alternatives; "-" for none.
std::vector<Match> ParseAlternatives(const std::string& value);

}  // namespace hehun::tools
