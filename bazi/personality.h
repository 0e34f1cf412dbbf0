// Birthday personality texts (性格简评): a text for each day of the month and
// one for each day of the year, joined for a birth date, and the routines
// that print a person's sketch into a report.
#pragma once

#include <string>
#include <string_view>

#include "bazi/chart.h"
#include "refdb/line_sink.h"

namespace hehun {

inline constexpr int kPersonalityTableSize = 2001;
inline constexpr std::string_view kBaziSeparator =
    "<-----------------------批八字内容分隔线----------------------------->";

// Entry of the table (indexes 0..2000); empty where there is no text.
std::string_view PersonalityEntry(int index);

// The day text followed directly by the month-day text.
std::string BirthdayPersonalityText(int year, int month, int day, int hour);

// Each routine computes the person's chart again (so the chart is left set to
// this person) and prints the sketch. A refused date prints the text the
// chart already held; a conversion error passes through before any line.
void PersonalityBrief(BaziChart& chart, RefDb& db, Messages& messages, int year, int month, int day, int hour,
                      int lunarDay, int minute, std::string_view sex, LineSink& target);
void MalePersonalityBrief(BaziChart& chart, RefDb& db, Messages& messages, int year, int month, int day, int hour,
                          int lunarDay, int minute, std::string_view sex, LineSink& target);
void FemalePersonalityBrief(BaziChart& chart, RefDb& db, Messages& messages, int year, int month, int day, int hour,
                            int lunarDay, int minute, std::string_view sex, LineSink& target);

}  // namespace hehun
