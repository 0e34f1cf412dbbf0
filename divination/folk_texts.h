// The authored texts of the folk tools, generated from data/folk at build
// time: the 缘分指数 bands of the name test and the one-line readings of a
// QQ-number pair by grade.
#pragma once

#include <span>

namespace hehun {

struct AffinityBand {
  int low, high;
  const char* title;
  const char* reading;
};

struct PairGradeReading {
  const char* grade;
  const char* reading;
};

std::span<const AffinityBand> AffinityBands();
std::span<const PairGradeReading> PairGradeReadings();

}  // namespace hehun
