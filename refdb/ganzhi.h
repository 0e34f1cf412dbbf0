// Names of the calendar: stems, branches, animals, solar terms, numerals,
// and the five elements. Indexes here count stems from 甲 and branches from
// 子; the chart engine keeps its own numbering on top of these.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace hehun {

inline constexpr std::array<std::string_view, 10> kCalendarStems = {"甲", "乙", "丙", "丁", "戊",
                                                                    "己", "庚", "辛", "壬", "癸"};
inline constexpr std::array<std::string_view, 12> kCalendarBranches = {"子", "丑", "寅", "卯", "辰", "巳",
                                                                       "午", "未", "申", "酉", "戌", "亥"};
inline constexpr std::array<std::string_view, 12> kZodiacAnimals = {"鼠", "牛", "虎", "兔", "龙", "蛇",
                                                                    "马", "羊", "猴", "鸡", "狗", "猪"};
inline constexpr std::array<std::string_view, 24> kSolarTermNames = {
    "小寒", "大寒", "立春", "雨水", "惊蛰", "春分", "清明", "谷雨", "立夏", "小满", "芒种", "夏至",
    "小暑", "大暑", "立秋", "处暑", "白露", "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至"};
inline constexpr std::array<std::string_view, 11> kChineseNumerals = {"日", "一", "二", "三", "四", "五",
                                                                      "六", "七", "八", "九", "十"};
inline constexpr std::array<std::string_view, 3> kLunarDayPrefixes = {"初", "十", "廿"};

// The five elements, in the generating order 木 → 火 → 土 → 金 → 水 → 木.
enum class Element { kWood = 0, kFire = 1, kEarth = 2, kMetal = 3, kWater = 4 };
inline constexpr std::array<std::string_view, 5> kElementNames = {"木", "火", "土", "金", "水"};
inline std::string ElementName(Element e) { return std::string(kElementNames[static_cast<int>(e)]); }

constexpr Element Generates(Element e) { return static_cast<Element>((static_cast<int>(e) + 1) % 5); }
constexpr Element Controls(Element e) { return static_cast<Element>((static_cast<int>(e) + 2) % 5); }

// Stems pair up by element: 甲乙 wood, 丙丁 fire, 戊己 earth, 庚辛 metal, 壬癸 water.
constexpr Element StemElement(int stem) { return static_cast<Element>(stem / 2); }
// Even stems (甲丙戊庚壬) are yang.
constexpr bool StemIsYang(int stem) { return stem % 2 == 0; }

// Branch elements: 寅卯 wood, 巳午 fire, 申酉 metal, 亥子 water, the four
// tomb branches 辰戌丑未 earth.
inline constexpr std::array<Element, 12> kBranchElements = {
    Element::kWater, Element::kEarth, Element::kWood,  Element::kWood,  Element::kEarth, Element::kFire,
    Element::kFire,  Element::kEarth, Element::kMetal, Element::kMetal, Element::kEarth, Element::kWater};

// Index of a name in a table, or -1.
template <size_t N>
constexpr int IndexOf(const std::array<std::string_view, N>& table, std::string_view name) {
  for (size_t i = 0; i < N; ++i)
    if (table[i] == name) return static_cast<int>(i);
  return -1;
}

// Non-negative remainder.
constexpr int Mod(int a, int n) { return ((a % n) + n) % n; }

// The pillar of position i (0..59) of the sexagenary cycle, 甲子 first.
inline std::string PillarName(int i) {
  return std::string(kCalendarStems[Mod(i, 10)]) + std::string(kCalendarBranches[Mod(i, 12)]);
}

}  // namespace hehun
