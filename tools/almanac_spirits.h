// The spirits and days of the almanac that hang on the calendar rather than
// on the month and the day pillar alone: the days of earth's rule, the 伏 and
// 社 days, the lunar days the manual names, and the year spirit 上朔.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace hehun::tools {

// The named stretches of days worked out from the solar terms, by day number
// (days since 1899-12-30), for firstYear - 1 … lastYear:
//   土王  the eighteen days before each of the four 立 terms (土王用事);
//   伏    the first days of the three 伏: the third and fourth 庚 days from
//         夏至 and the first 庚 day from 立秋 (the term's own day counted);
//   社    the fifth 戊 day from 立春 (春社) and from 立秋 (秋社), likewise.
std::map<std::string, std::set<long>> TermDays(int firstYear, int lastYear);

// Lunar day numbers written "1/8/15/23"; throws on anything else.
std::vector<int> ParseLunarDays(const std::string& value);

}  // namespace hehun::tools
