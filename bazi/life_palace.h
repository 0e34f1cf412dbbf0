// Life palace (命宫) and element matching of a couple, and the index of a
// stem or branch character.
#pragma once

#include <string>
#include <string_view>

#include "refdb/refdb.h"

namespace hehun {

// Branch index (子 0 … 亥 11) or stem index (甲 0 … 癸 9); 0 for any other text.
int GanZhiIndex(std::string_view text, bool isBranch);

// Branches in the months' order from 寅: 寅 1 … 丑 12; 0 for any other text.
int YinBasedBranchNumber(std::string_view branch);
// The branch of a number 1..12 in that order; empty otherwise.
std::string BranchOfYinBasedNumber(int n);

// The life-palace branch from the month and hour branches.
std::string LifePalaceBranch(std::string_view monthBranch, std::string_view hourBranch);

// Five characters for a lunar year: two of the year, the trigram number of
// a man or a woman (一 … 九), the element of the year's nayin and the element
// of its animal; empty when the year is not in the table or on any error.
std::string LifePalaceOf(RefDb& db, int lunarYear, bool isWoman);

enum class PalaceGroup { kEast, kWest };
// 东四命 for 一, 三, 四 and 九; 西四命 otherwise.
PalaceGroup LifePalaceGroup(std::string_view number);

// 五 is matched as 二 for a man and as 八 for a woman.
std::string PairingNumber(std::string_view number, bool isWoman);

// Pairing name, grade in parentheses and analysis of two trigram numbers;
// "(下等婚)" alone without a row, empty text when the database cannot be read.
std::string LifePalaceMatch(RefDb& db, std::string_view manNumber, std::string_view womanNumber);
// Grade in parentheses and note of two elements; "(不合)" alone without a
// row, empty text when the database cannot be read.
std::string LifePalaceElementMatch(RefDb& db, std::string_view manElement, std::string_view womanElement);

}  // namespace hehun
