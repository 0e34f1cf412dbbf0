// Shensha (神煞) markers: seven routines, one for each rule file in the
// folder "shensha/" beside the program (GBK text, one rule per line), each
// returning the names of the rules that hold for a reference character of the
// chart and a tested character of one pillar, separated by single blanks.
//
// A rule line: the first five characters are the name field (the name padded
// with blanks); the rest, with the name field removed and trimmed, is cut at
// ASCII commas into at most 21 items "KEY:VALUE"; a value is cut to its first
// ten GBK bytes and trimmed.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "refdb/refdb.h"

namespace hehun {

// The shensha names the marriage report compares between the two charts.
// 披麻, 吊客 and 丧门 are marked one by one, so each is compared on its own.
inline constexpr std::array<std::string_view, 39> kComparedShenshaNames = {
    "魁罡贵人", "三奇贵人", "天德贵人", "月德贵人", "天乙贵人", "太极贵人", "文昌贵人", "国印贵人",
    "驿马",     "华盖",     "学堂",     "词馆",     "金舆",     "金神",     "将星",     "天医",
    "禄神",     "羊刃",     "红鸾",     "天喜",     "元辰",     "灾煞",     "孤辰",     "寡宿",
    "天罗地网", "亡神",     "劫煞",     "咸池",     "披麻",     "吊客",     "丧门",     "勾绞煞",
    "十恶大败", "阴阳差错", "空亡",     "四废",     "天赦",     "拱禄",     "孤鸾煞"};

struct ShenshaItem {
  std::string key;    // text before the first colon, not trimmed
  std::string value;  // after the colon, cut to ten GBK bytes, trimmed
};

struct ShenshaRuleLine {
  std::string name;  // the name field trimmed
  std::vector<ShenshaItem> items;
};

ShenshaRuleLine ParseShenshaRuleLine(std::string_view line);

// The lines of "shensha/<fileName>" in the data folder, as UTF-8. A file
// that cannot be opened throws UserError naming it.
std::vector<std::string> ReadShenshaRuleFile(std::string_view fileName);

// 子 … 亥 for a branch index 0..11, 甲 … 癸 for a stem index 0..9; empty otherwise.
std::string GanZhiName(int index, bool isBranch);

// The seven routines: within one session (one user action) each rule file
// is read and parsed once, at the first routine that needs it, and the
// session's copy serves the rest of the action; the next session reads the
// files anew. A file that cannot be opened throws UserError naming it, at
// the first routine that needs it.
std::string ShenshaYearStem(RefDb& db, std::string_view yearStem, std::string_view branch);
std::string ShenshaYearBranch(RefDb& db, std::string_view yearBranch, std::string_view branch, int yearBranchIndex,
                              int luckReverse);
std::string ShenshaMonthBranch(RefDb& db, std::string_view monthBranch, std::string_view stem,
                               std::string_view branch);
std::string ShenshaDayStem(RefDb& db, std::string_view dayStem, std::string_view branch);
std::string ShenshaDayBranch(RefDb& db, std::string_view dayBranch, std::string_view branch, int dayBranchIndex);
std::string ShenshaDayPillar(RefDb& db, std::string_view pillar, std::string_view dayPillar);
std::string ShenshaDayPillarExtra(RefDb& db, std::string_view dayPillar, std::string_view hourPillar);

}  // namespace hehun
