#include "bazi/matching.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <utility>

#include "bazi/star_sign.h"
#include "bazi/zodiac.h"
#include "calendar/lunar_calc.h"
#include "refdb/text.h"

namespace hehun {

namespace {

std::string Branch(int b) { return std::string(kCalendarBranches[b]); }
std::string Animal(int b) { return std::string(kZodiacAnimals[b]); }

// The three-harmony group of a branch, written from its 长生 branch (申子辰,
// 巳酉丑, 寅午戌, 亥卯未), with the element the group forms.
std::string ThreeHarmonyText(int b) {
  const int start = Mod(8 - 3 * (b % 4), 12);
  return Branch(start) + Branch((start + 4) % 12) + Branch((start + 8) % 12) + "三合" +
         ElementName(kBranchElements[(start + 4) % 12]) + "局";
}

std::string PunishmentText(int a, int b) {
  static constexpr struct {
    int first, second, third;
    const char* name;
  } kGroups[] = {{2, 5, 8, "寅巳申无恩之刑"}, {1, 10, 7, "丑戌未恃势之刑"}, {0, 3, -1, "子卯无礼之刑"}};
  for (const auto& g : kGroups) {
    const auto in = [&](int x) { return x == g.first || x == g.second || x == g.third; };
    if (in(a) && in(b)) return g.third < 0 ? std::string(g.name) : Branch(a) + Branch(b) + "相刑，属" + g.name;
  }
  return Branch(a) + Branch(b) + "相刑";
}

// The verse line of 小五婚 for each of its six pairs.
std::string XiaoWuHunVerse(int a, int b) {
  static constexpr struct {
    int first, second;
    const char* line;
  } kLines[] = {{0, 3, "老鼠兔子不成婚"}, {2, 8, "虎猴一见两地分"},   {6, 9, "金鸡不到马群跑"},
                {4, 11, "江猪不敢跳龙门"}, {5, 10, "戌狗不到巳上去"}, {1, 7, "牛羊相逢泪淋淋"}};
  if (!IsXiaoWuHunPair(a, b)) return {};
  for (const auto& l : kLines)
    if ((l.first == a && l.second == b) || (l.first == b && l.second == a)) return l.line;
  return {};
}

// The main stem (本气) hidden in a branch: the stem of the branch's element,
// yin for 子午卯酉 and 丑未, yang for 寅申巳亥 and 辰戌.
int MainHiddenStem(int b) {
  const bool yin = b % 3 == 0 || b % 6 == 1;
  return 2 * static_cast<int>(kBranchElements[b]) + (yin ? 1 : 0);
}

std::string StemWithElement(int stem) {
  return std::string(kCalendarStems[stem]) + ElementName(static_cast<Element>(stem / 2));
}

// Two branches combine in secret (暗合) when their main hidden stems form one
// of the five stem combinations (甲己, 乙庚, 丙辛, 丁壬, 戊癸). Named in the
// order of the combination: 寅丑, 卯申, 巳酉, 午亥, 寅未, 辰子, 戌子.
std::string HiddenHarmonyText(int a, int b) {
  int sa = MainHiddenStem(a), sb = MainHiddenStem(b);
  if (std::abs(sa - sb) != 5) return {};
  if (sa > sb) {
    std::swap(a, b);
    std::swap(sa, sb);
  }
  return Branch(a) + Branch(b) + "暗合，" + Branch(a) + "中" + StemWithElement(sa) + "与" + Branch(b) + "中" +
         StemWithElement(sb) + "相合";
}

}  // namespace

ElementRelation ElementRelationOf(Element a, Element b) {
  if (a == b) return {ElementBond::kSame, "同为" + ElementName(a)};
  if (Generates(a) == b) return {ElementBond::kGenerating, ElementName(a) + "生" + ElementName(b)};
  if (Generates(b) == a) return {ElementBond::kGenerating, ElementName(b) + "生" + ElementName(a)};
  if (Controls(a) == b) return {ElementBond::kControlling, ElementName(a) + "克" + ElementName(b)};
  return {ElementBond::kControlling, ElementName(b) + "克" + ElementName(a)};
}

std::string ZodiacGrade(std::string_view relation) {
  if (relation == "六合" || relation == "三合") return "上等";
  if (relation == "六冲" || relation == "六害" || relation == "相刑") return "下等";
  return "中等";
}

ZodiacMatch MatchZodiac(int a, int b) {
  ZodiacMatch m;
  m.first = std::min(a, b);
  m.second = std::max(a, b);
  const int x = m.first, y = m.second;
  const std::string pair = Branch(x) + Branch(y);
  const auto three = ThreeHarmonyOf(x);
  const auto punish = PunishmentsOf(x);
  // Every relation that holds, in the order of the marriage report's priority.
  const std::pair<bool, std::pair<const char*, std::string>> relations[] = {
      {SixHarmonyOf(x) == y, {"六合", pair + "六合"}},
      {std::find(three.begin(), three.end(), y) != three.end(), {"三合", ThreeHarmonyText(x)}},
      {x == y, {"同属相", pair + "同属"}},
      {ClashOf(x) == y, {"六冲", pair + "相冲"}},
      {HarmOf(x) == y, {"六害", pair + "相害"}},
      {std::find(punish.begin(), punish.end(), y) != punish.end(),
       {"相刑", x == y ? pair + "自刑" : PunishmentText(x, y)}},
      {BreakOf(x) == y, {"相破", pair + "相破"}},
  };
  m.relation = CoupleRelation(x, y);
  m.grade = ZodiacGrade(m.relation);
  m.detail = "亦无刑、害、破";
  for (const auto& [holds, r] : relations) {
    if (!holds) continue;
    if (r.first == m.relation)
      m.detail = r.second;
    else
      m.others.push_back(std::string(r.first) + "（" + r.second + "）");
  }
  m.hiddenHarmony = HiddenHarmonyText(x, y);
  if (!m.hiddenHarmony.empty() && m.relation != "无") m.others.push_back("暗合（" + m.hiddenHarmony + "）");
  m.elements = ElementRelationOf(kBranchElements[x], kBranchElements[y]);
  m.verse = XiaoWuHunVerse(x, y);
  return m;
}

SignMatch MatchSigns(int a, int b) {
  static constexpr const char* kAspectNames[7] = {"同星座（合相）", "十二分相（半六合）", "六分相（六合）",
                                                  "四分相（刑）",   "三分相（拱）",       "梅花相（十二分之五相）",
                                                  "对分相（冲）"};
  // Points of the aspect: the harmonious trine and sextile highest, the
  // tense square and the awkward quincunx lowest.
  static constexpr int kAspectPoints[7] = {20, 10, 25, 5, 30, 3, 15};
  SignMatch m;
  m.first = std::min(a, b);
  m.second = std::max(a, b);
  const int gap = std::min(m.second - m.first, 12 - (m.second - m.first));
  m.aspect = static_cast<Aspect>(gap);
  m.degrees = gap * 30;
  m.aspectName = kAspectNames[gap];
  // Elements: the same element, the compatible pairs fire-air and
  // earth-water, or two elements that do not mix. Modalities: the same
  // modality shares a pace but competes; two different ones complement.
  const int ea = m.first % 4, eb = m.second % 4;
  const int elementPoints = ea == eb ? 20 : (ea % 2 == eb % 2 ? 16 : 6);
  const int modalityPoints = m.first % 3 == m.second % 3 ? 4 : 8;
  m.score = 40 + kAspectPoints[gap] + elementPoints + modalityPoints;
  return m;
}

int SignIndex(std::string_view sign) { return IndexOf(kStarSigns, Trim(sign)); }

int BloodTypeIndex(std::string_view text) {
  std::string t = Trim(text);
  if (t.size() >= 3 && t.compare(t.size() - 3, 3, "型") == 0) t.resize(t.size() - 3);
  std::transform(t.begin(), t.end(), t.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return IndexOf(kBloodTypes, t);
}

std::optional<DateValue> BirthDateOfRow(const BirthRowTexts& texts) {
  if (Trim(texts.year).empty() || Trim(texts.month).empty() || Trim(texts.day).empty()) return std::nullopt;
  BirthRowTexts t = texts;
  t.name = "-";   // only the date is read here
  t.hour = "子 0";
  CapturedMessages quiet;
  BirthRow row;
  try {
    if (ReadBirthRow(t, ManRowMessages(), "", quiet, row, false) != RowCheck::kOk) return std::nullopt;
    return ParseDateText(row.dateText);
  } catch (const ConversionError&) {
    return std::nullopt;
  }
}

std::optional<int> AnimalOfRow(const BirthRowTexts& row) {
  const auto date = BirthDateOfRow(row);
  if (!date) return std::nullopt;
  return Mod(SolarToLunar(*date).Year - 4, 12);
}

std::optional<int> SignOfRow(const BirthRowTexts& row) {
  const auto date = BirthDateOfRow(row);
  if (!date) return std::nullopt;
  const int sign = SignIndex(StarSignOf(*date));
  if (sign < 0) return std::nullopt;
  return sign;
}

}  // namespace hehun
