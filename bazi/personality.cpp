#include "bazi/personality.h"

#include <array>
#include <iterator>

namespace hehun {

namespace {

struct PersonalitySource {
  int index;
  std::string_view text;
};

// Day texts 1..31 and month-day texts 101..1231 (131 has none), from data/bazi/personality.
constexpr PersonalitySource kPersonalitySources[] = {
#include "personality_table.inc"
};
static_assert(std::size(kPersonalitySources) == 31 + 365, "every day and every day of a leap year but 31 January");

const std::array<std::string_view, kPersonalityTableSize>& Table() {
  static const auto table = [] {
    std::array<std::string_view, kPersonalityTableSize> t{};
    for (const auto& s : kPersonalitySources) t[s.index] = s.text;
    return t;
  }();
  return table;
}

}  // namespace

std::string_view PersonalityEntry(int index) {
  if (index < 0 || index >= kPersonalityTableSize) return {};
  return Table()[index];
}

std::string BirthdayPersonalityText(int /*year*/, int month, int day, int /*hour*/) {
  return std::string(PersonalityEntry(day)) + std::string(PersonalityEntry(month * 100 + day));
}

void PersonalityBrief(BaziChart& chart, RefDb& db, Messages& messages, int year, int month, int day, int hour,
                      int lunarDay, int minute, std::string_view sex, LineSink& target) {
  ComputeBazi(chart, db, messages, year, month, day, hour, lunarDay, minute, sex);
  target.Add(kBaziSeparator);
  target.Add("");
  target.Add("性格简评：");
  target.Add("    " + chart.PersonalityText);
  target.Add("");
}

void MalePersonalityBrief(BaziChart& chart, RefDb& db, Messages& messages, int year, int month, int day, int hour,
                          int lunarDay, int minute, std::string_view sex, LineSink& target) {
  ComputeBazi(chart, db, messages, year, month, day, hour, lunarDay, minute, sex);
  target.Add("男方性格简评：");
  target.Add("    " + chart.PersonalityText);
}

void FemalePersonalityBrief(BaziChart& chart, RefDb& db, Messages& messages, int year, int month, int day, int hour,
                            int lunarDay, int minute, std::string_view sex, LineSink& target) {
  ComputeBazi(chart, db, messages, year, month, day, hour, lunarDay, minute, sex);
  target.Add("女方性格简评：");
  target.Add("    " + chart.PersonalityText);
}

}  // namespace hehun
