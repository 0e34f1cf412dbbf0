// The almanac's year and month of a day: the 节 day belongs to the new month.
//
// An almanac counts the whole day on which a 节 term begins in the month that
// term opens, whatever the hour of the instant (and the whole day of 立春 in
// the new year): the 建除 officer repeats on that day, the month's spirits
// count from it, and its 岁次 line names the new month. A birth chart keeps
// the exact instant; this rule is the almanac's alone.
#pragma once

#include <cstddef>
#include <vector>

namespace hehun::tools {

// The pillars an almanac day counts in.
struct AlmanacMonth {
  int yearCycle = 0;    // the year pillar, 0 for 甲子
  int monthStem = 0;    // 0 for 甲
  int monthBranch = 0;  // 0 for 子, 2 for 寅 (正月)
};

// The 节 days of firstYear - 1 … lastYear, asked in increasing day order.
class AlmanacMonthPillar {
 public:
  AlmanacMonthPillar(int firstYear, int lastYear);

  // The year and month of day number `day` (days since 1899-12-30); the
  // days must be asked in increasing order.
  AlmanacMonth Of(long day);

 private:
  struct TermDay {
    long day;    // the day the 节 begins on
    int branch;  // the month branch it opens
    bool spring; // 立春, which also opens the year
  };
  std::vector<TermDay> terms_;
  int firstYear_;
  std::size_t at_ = 0;     // the last 节 on or before the day asked
  int springs_ = 0;    // the 立春 days up to and including terms_[at_]
};

}  // namespace hehun::tools
