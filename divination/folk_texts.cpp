#include "divination/folk_texts.h"

namespace hehun {

namespace {
#include "folk_texts.inc"
}  // namespace

std::span<const AffinityBand> AffinityBands() { return kAffinityBands; }
std::span<const PairGradeReading> PairGradeReadings() { return kPairReadings; }

}  // namespace hehun
