// The quick matchings of the function page: two zodiac animals (生肖配对),
// two Western star signs (星座配对) and two blood types (血型配对). The rules
// (relations, aspects, scores) are computed here; the readings for every
// pair are authored texts in BookFile.dll. A pair and its reverse give the
// same result: every result is written for the pair in its canonical order.
// The lines the dialogs and the command line show are in reports/match_lines.h.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/birth_row.h"
#include "calendar/date.h"
#include "refdb/ganzhi.h"

namespace hehun {

// ---------------------------------------------------------------------------
// Elements of two animals: the relation text the marriage report prints in
// its line "生肖五行速配结果" too.

enum class ElementBond { kSame, kGenerating, kControlling };
struct ElementRelation {
  ElementBond bond;
  std::string text;  // "同为水", "金生水", "土克水"
};
ElementRelation ElementRelationOf(Element a, Element b);

// ---------------------------------------------------------------------------
// 生肖配对. Animals are branch indexes from 子/鼠 (0) to 亥/猪 (11).

struct ZodiacMatch {
  int first = 0, second = 0;  // canonical order: first <= second
  std::string relation;       // CoupleRelation: 六合, 三合, 同属相, 六冲, 六害, 相刑, 相破 or 无
  std::string grade;          // 上等, 中等 or 下等
  std::string detail;         // which combination, e.g. "子丑六合" or "丑戌相刑，属丑戌未恃势之刑"
  std::vector<std::string> others;  // further relations that hold, e.g. "相刑（寅巳相刑，属寅巳申无恩之刑）"
  std::string hiddenHarmony;  // 暗合 of the main hidden stems, e.g. "寅丑暗合，寅中甲木与丑中己土相合", or empty
  ElementRelation elements;
  std::string verse;          // the line of the 小五婚 verse that names the pair, or empty
};

ZodiacMatch MatchZodiac(int a, int b);
// 上等 for 六合 and 三合; 下等 for 六冲, 六害 and 相刑; 中等 otherwise (the
// marriage report's grades: 上等婚, 中等婚, and 下等婚 or 中下婚).
std::string ZodiacGrade(std::string_view relation);

// ---------------------------------------------------------------------------
// 星座配对. Signs are indexes from 白羊座 (0) to 双鱼座 (11).

inline constexpr std::array<std::string_view, 12> kStarSigns = {"白羊座", "金牛座", "双子座", "巨蟹座",
                                                                "狮子座", "处女座", "天秤座", "天蝎座",
                                                                "射手座", "摩羯座", "水瓶座", "双鱼座"};
// By the sign index modulo 4 and modulo 3.
inline constexpr std::array<std::string_view, 4> kSignElements = {"火象", "土象", "风象", "水象"};
inline constexpr std::array<std::string_view, 3> kSignModalities = {"基本宫", "固定宫", "变动宫"};

// Aspects by the distance of two signs, 0 to 6 signs (0° to 180°).
enum class Aspect { kConjunction, kSemiSextile, kSextile, kSquare, kTrine, kQuincunx, kOpposition };

struct SignMatch {
  int first = 0, second = 0;  // canonical order: first <= second
  Aspect aspect = Aspect::kConjunction;
  int degrees = 0;            // 0, 30, … 180
  std::string aspectName;     // "同星座（合相）", "三分相", …
  int score = 0;              // out of 100
};

SignMatch MatchSigns(int a, int b);
// The sign index of a sign text (trailing blanks ignored, so "金牛座 " is
// found), or -1.
int SignIndex(std::string_view sign);

// ---------------------------------------------------------------------------
// 血型配对.

inline constexpr std::array<std::string_view, 4> kBloodTypes = {"A", "B", "O", "AB"};
// "A", "B", "O", "AB", also with "型" after it; -1 otherwise.
int BloodTypeIndex(std::string_view text);

// ---------------------------------------------------------------------------
// Defaults from a birth row of the page 合婚: the Gregorian birth date when
// the row's date fields give a date the calculations can handle (the name
// and the time are not needed), and the animal of its lunar year and its
// star sign.

std::optional<DateValue> BirthDateOfRow(const BirthRowTexts& row);
std::optional<int> AnimalOfRow(const BirthRowTexts& row);
std::optional<int> SignOfRow(const BirthRowTexts& row);

}  // namespace hehun
