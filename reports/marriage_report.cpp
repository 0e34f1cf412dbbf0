#include "reports/marriage_report.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "bazi/chart.h"
#include "bazi/life_palace.h"
#include "bazi/matching.h"
#include "bazi/personality.h"
#include "bazi/shensha.h"
#include "bazi/star_sign.h"
#include "bazi/zodiac.h"
#include "refdb/ganzhi.h"
#include "refdb/text.h"
#include "reports/chart_block.h"
#include "reports/match_lines.h"

namespace hehun {

namespace {

constexpr std::string_view kSeparator = "<-----------------------八字合婚内容分隔线----------------------------->";

// Every section ends with the separator line and an empty line.
void CloseSection(LineSink& area) {
  area.Add(kSeparator);
  area.Add("");
}

// A heading and the man's and the woman's hidden list, one after the other.
void SideBySide(LineSink& area, std::string_view heading, const LineList& man, const LineList& woman) {
  area.Add(heading);
  area.Add("");
  man.AppendTo(area);
  woman.AppendTo(area);
}

// What one person leaves for the matching sections.
struct Person {
  BirthRow row;
  DateValue birth = 0;                                 // the Gregorian birth date
  int year = 0, month = 0, day = 0, hour = 0, minute = 0;  // the chart's arguments
  LunarDate lunar;
  std::string lunarText, animal, palace, starSign;
  int age = 0;
  std::string monthBranch, hourBranch;
};

void ComputePerson(Person& p, RefDb& db, bool isWoman, const Ymd& today) {
  p.birth = ParseDateText(p.row.dateText);
  p.year = ParseIntText(p.row.yearText);
  p.month = ParseIntText(p.row.monthText);
  p.day = ParseIntText(p.row.dayText);
  p.hour = ParseIntText(p.row.hourNumber);
  p.minute = ParseIntText(Trim(p.row.minuteText));
  p.lunar = SolarToLunar(p.birth);
  const std::string yearName = CycleYearName(p.lunar.Year - 1864);
  p.lunarText = yearName + LunarMonthName(p.lunar.Month, p.lunar.IsLeap) + LunarDayName(p.lunar.Day);
  p.animal = Utf8CharAt(Trim(yearName), 3);
  p.palace = LifePalaceOf(db, p.lunar.Year, isWoman);
  p.starSign = StarSignOf(p.birth);
  // The age counts from the year number, however the year was typed ("01990").
  p.age = today.year - p.year;
}

void WritePersonHeader(LineSink& out, std::string_view heading, const Person& p) {
  out.Add(heading);
  out.Add("");
  out.Add("姓名：" + p.row.name + " 年龄：" + std::to_string(p.age) + "岁" + "  属相：" + p.animal + "  星座：" + p.starSign);
  const std::string ymd = FormatDate(p.birth);
  out.Add("您出生公历：" + ymd.substr(0, 4) + "年" + ymd.substr(5, 2) + "月" + ymd.substr(8, 2) + "日" + p.row.hourNumber +
          "点" + p.row.minuteText + "分");
  out.Add("农历：" + p.lunarText);
}

// The chart of a person and the parts kept for later.
void WritePersonChart(Person& p, const char* sex, ReportArea& area, LineList& shensha, std::string_view shenshaHeading,
                      LineList& bone, std::string_view boneHeading, BaziChart& chart, RefDb& db, Messages& messages,
                      bool writeSeparatorBeforeBone, std::optional<ChartView>& view, const Ymd& today) {
  // A refused date leaves the chart as it was, as ComputeBazi does.
  PlacedChart placed;
  const bool computed = ComputeReportChart(placed, db, messages, p.year, p.month, p.day, p.hour, p.minute, sex,
                                           p.row.placeText, p.row.trueSolarTime);
  if (computed) {
    chart = placed.chart;
    view = BuildChartView(placed, db, ChartPerson{p.row.name, sex, p.lunar, DecodeDate(p.birth)}, today);
  }
  p.monthBranch = chart.MonthBranch;
  p.hourBranch = chart.HourBranch;
  WriteChartBlock(area, chart, db, computed ? PillarDate(placed, p.birth) : p.birth, p.row.yearText, p.lunar,
                  computed ? &placed : nullptr);
  shensha.Clear();
  WriteShenshaLines(shensha, shenshaHeading, chart, db);
  if (writeSeparatorBeforeBone) CloseSection(area);
  bone.Clear();
  WriteBoneWeightLines(bone, boneHeading, db, p.lunar, p.row.hourNumber, chart.BeforeJie);
}

std::string Text(RefDb& db, const char* sql, const std::vector<Param>& keys, const char* column) {
  return db.First(Swallow{}, RefFile::kTgcode, sql, keys).Text(column);
}

std::string AnimalOfBranch(int b) { return std::string(kZodiacAnimals[b]) + "（" + std::string(kCalendarBranches[b]) + "）"; }

std::string AnimalList(const std::vector<int>& branches) {
  std::string out;
  for (size_t i = 0; i < branches.size(); ++i) out += (i ? "、" : "") + AnimalOfBranch(branches[i]);
  return out;
}

// "六合", with a note where the 六合 partner also punishes or breaks the
// branch (寅亥 破, 巳申 刑 and 破), so the advice does not praise a partner
// the lines above warn against without saying so.
std::string HarmonyWords(int b, int partner) {
  const auto p = PunishmentsOf(b);
  const bool punishes = partner != b && std::find(p.begin(), p.end(), partner) != p.end();
  const bool breaks = BreakOf(b) == partner;
  if (punishes && breaks) return "六合，合中带刑带破";
  if (punishes) return "六合，合中带刑";
  if (breaks) return "六合，合中带破";
  return "六合";
}

// 六冲, 六害, 相刑 and the marriage advice for one animal.
void WriteAnimalRelations(LineSink& out, int b) {
  out.Add("六冲：与" + AnimalOfBranch(ClashOf(b)) + "相冲，冲者动也，性情相左，相处多起争执。");
  out.Add("六害：与" + AnimalOfBranch(HarmOf(b)) + "相害，害者损也，易生误会与猜疑。");
  const auto p = PunishmentsOf(b);
  if (p.size() == 1 && p[0] == b)
    out.Add("相刑：" + AnimalOfBranch(b) + "为自刑之属，同属相相配时宜多包容，避免各执己见。");
  else
    out.Add("相刑：与" + AnimalList(p) + "相刑，刑者伤也，宜以礼相待、互相尊重。");
  out.Add("");
  out.Add("婚配建议：宜配" + AnimalOfBranch(SixHarmonyOf(b)) + "（" + HarmonyWords(b, SixHarmonyOf(b)) + "）、" +
          AnimalList(ThreeHarmonyOf(b)) + "（三合）；忌配" + AnimalOfBranch(ClashOf(b)) + "（六冲）、" +
          AnimalOfBranch(HarmOf(b)) + "（六害）。");
  out.Add("");
}

// 上, 中 or 下 for the grade words of the report.
char GradeLevel(const std::string& grade) {
  if (grade.find("上") != std::string::npos) return 'g';
  if (grade.find("下") != std::string::npos) return 'b';
  return 'm';
}

// The grade in the first parentheses of a matching text: "(上等婚)…" → "上等婚".
std::string GradeInParentheses(const std::string& text) {
  const size_t open = text.find('('), close = text.find(')');
  return open != std::string::npos && close != std::string::npos && close > open ? text.substr(open + 1, close - open - 1)
                                                                                 : "";
}

int LevelOf(char level) { return level == 'g' ? 1 : level == 'b' ? -1 : 0; }

void WriteMatchingSections(ReportArea& area, MarriageHiddenLists& hidden, const Person& man, const Person& woman,
                           RefDb& db, std::vector<MarriageVerdict>& verdicts,
                           const std::optional<std::pair<int, int>>& bloodTypes) {
  // Life palace.
  area.Add("命宫速配：");
  area.Add("");
  const std::string gm = Utf8CharAt(man.palace, 2), gw = Utf8CharAt(woman.palace, 2);
  for (const Person* p : {&man, &woman}) {
    const std::string palace = LifePalaceBranch(p->monthBranch, p->hourBranch);
    const std::string g = Utf8CharAt(p->palace, 2);
    const std::string group = LifePalaceGroup(g) == PalaceGroup::kEast ? " 属于东四命" : " 属于西四命";
    area.Add((p == &man ? "男命宫：" : "女命宫：") + palace + group);
    area.Add("命宫解析：" + Text(db, "SELECT text FROM mgjs WHERE branch = ? ORDER BY rowid LIMIT 1", {palace}, "text"));
    area.Add("");
  }
  const std::string pm = PairingNumber(gm, false), pw = PairingNumber(gw, true);
  const std::string palaceMatch = LifePalaceMatch(db, pm, pw);
  area.Add("合婚小结：" + palaceMatch);
  const Row pair = db.First(Swallow{}, RefFile::kTgcode,
                            "SELECT dj, mc FROM mghp WHERE nan = ? AND nv = ? ORDER BY rowid LIMIT 1", {pm, pw});
  const std::string relation = pair.Text("mc");
  const std::string groupKey = LifePalaceGroup(gm) != LifePalaceGroup(gw)
                                   ? "东西相异"
                                   : (LifePalaceGroup(gm) == PalaceGroup::kEast ? "同东四命" : "同西四命");
  area.Add("合婚解析：" + Text(db, "SELECT text FROM hhjx WHERE mc = ? ORDER BY rowid LIMIT 1", {relation}, "text") +
           Text(db, "SELECT text FROM mgzu WHERE key = ? ORDER BY rowid LIMIT 1", {groupKey}, "text"));
  area.Add("");
  CloseSection(area);

  // Elements.
  area.Add("五行速配：");
  area.Add("");
  const std::string em = Utf8CharAt(man.palace, 3), ew = Utf8CharAt(woman.palace, 3);
  const std::string zm = Utf8CharAt(man.palace, 4), zw = Utf8CharAt(woman.palace, 4);
  area.Add("男八字五行：属于" + em + "命 属相：" + man.animal + "(" + zm + ")");
  area.Add("女八字五行：属于" + ew + "命 属相：" + woman.animal + "(" + zw + ")");
  area.Add("");
  const std::string nayinMatch = LifePalaceElementMatch(db, em, ew);
  area.Add("八字五行速配结果：" + nayinMatch);
  area.Add("");
  {
    const int a = IndexOf(kElementNames, zm), b = IndexOf(kElementNames, zw);
    std::string verdict;
    MarriageVerdict elements{"五行", "", 0, "生肖五行速配"};
    if (a >= 0 && b >= 0) {
      const ElementRelation r = ElementRelationOf(static_cast<Element>(a), static_cast<Element>(b));
      verdict = r.text + (r.bond == ElementBond::kSame         ? "，五行比和（中等）。"
                          : r.bond == ElementBond::kGenerating ? "，五行相生（上等）。"
                                                               : "，五行相克（下等）。");
      elements.value = r.bond == ElementBond::kSame         ? "比和 中等"
                       : r.bond == ElementBond::kGenerating ? "相生 上等"
                                                            : "相克 下等";
      elements.level = r.bond == ElementBond::kSame ? 0 : r.bond == ElementBond::kGenerating ? 1 : -1;
    }
    const std::string palaceGrade = GradeInParentheses(palaceMatch);
    verdicts.push_back({"命宫", (relation.empty() ? "" : relation + " ") + palaceGrade,
                        LevelOf(GradeLevel(palaceGrade)), "命宫速配"});
    verdicts.push_back(elements);
    const std::string nayinGrade = GradeInParentheses(nayinMatch);
    verdicts.push_back({"纳音", em + "命配" + ew + "命 " + nayinGrade, nayinGrade == "不合" ? -1 : LevelOf(GradeLevel(nayinGrade)),
                        "八字五行（年命纳音）速配"});
    area.Add("生肖五行速配结果：男属" + man.animal + "（" + zm + "），女属" + woman.animal + "（" + zw + "），" + verdict +
             Text(db, "SELECT text FROM sxwx WHERE nan = ? AND nv = ? ORDER BY rowid LIMIT 1", {zm, zw}, "text"));
  }
  area.Add("");
  CloseSection(area);

  // Zodiac animals.
  area.Add("属相速配：");
  area.Add("");
  for (const Person* p : {&man, &woman}) {
    area.Add((p == &man ? "男属相：" : "女属相：") + p->animal);
    const Row facts = db.First(Unguarded{}, RefFile::kTgcode, "SELECT * FROM shengxiao WHERE shuxing = ? ORDER BY rowid LIMIT 1",
                               {p->animal});
    area.Add("");
    for (const char* column : {"Tedian", "shouhushen", "yanshe", "fangwei", "hua", "shuzi"}) area.Add(facts.Text(column));
    const int b = IndexOf(kZodiacAnimals, p->animal);
    if (b >= 0) {
      WriteAnimalRelations(area, b);
    } else {
      for (const char* label : {"六冲：", "六害：", "相刑："}) area.Add(label);
      area.Add("");
      area.Add("婚配建议：");
      area.Add("");
    }
  }
  const int bm = IndexOf(kZodiacAnimals, man.animal), bw = IndexOf(kZodiacAnimals, woman.animal);
  const std::string coupleRelation = bm >= 0 && bw >= 0 ? CoupleRelation(bm, bw) : "无";
  const Row rel = db.First(Swallow{}, RefFile::kTgcode,
                           "SELECT grade, text FROM sxgx WHERE relation = ? ORDER BY rowid LIMIT 1", {coupleRelation});
  std::string relationWords = "属相" + coupleRelation;
  const std::string hiddenHarmony = bm >= 0 && bw >= 0 ? MatchZodiac(bm, bw).hiddenHarmony : "";
  if (coupleRelation == "无" && !hiddenHarmony.empty())
    relationWords = "属相无明合无冲，" + hiddenHarmony.substr(0, hiddenHarmony.find("，"));
  else if (coupleRelation == "无")
    relationWords = "属相无合无冲";
  else if (coupleRelation == "同属相")
    relationWords = "属相相同";
  else if (coupleRelation == "六合")
    relationWords = "属相" + HarmonyWords(bm, bw);
  area.Add("相配结果：男" + man.animal + "女" + woman.animal + "，" + relationWords + "，" + rel.Text("grade") + "。" +
           rel.Text("text"));
  {
    const char palaceLevel = GradeLevel(pair.Text("dj") == "1" ? "上" : pair.Text("dj") == "2" ? "中" : "下");
    const char animalLevel = GradeLevel(rel.Text("grade"));
    std::string key;
    if (palaceLevel == 'b' || animalLevel == 'b')
      key = "有凶";
    else if (palaceLevel == 'g' && animalLevel == 'g')
      key = "都好";
    else if (palaceLevel == 'g' || animalLevel == 'g')
      key = "一好一平";
    else
      key = "都平";
    verdicts.insert(verdicts.begin(), {"生肖", relationWords.substr(std::string("属相").size()) + " " + rel.Text("grade"),
                                       LevelOf(animalLevel), "属相速配"});
    verdicts.push_back({"合婚", key, key == "都好" ? 1 : key == "有凶" ? -1 : 0, "命宫与属相的合婚等级"});
    std::string more = Text(db, "SELECT text FROM hhdj WHERE key = ? ORDER BY rowid LIMIT 1", {key}, "text");
    if (bm >= 0 && bw >= 0 && IsXiaoWuHunPair(bm, bw))
      more += Text(db, "SELECT text FROM hhdj WHERE key = ? ORDER BY rowid LIMIT 1", {std::string("小五婚")}, "text");
    area.Add("其他更多解释：" + more);
  }
  area.Add("");
  area.Add("另外：小五婚歌诀也可参考");
  area.Add("老鼠兔子不成婚，虎猴一见两地分。");
  area.Add("金鸡不到马群跑，江猪不敢跳龙门。");
  area.Add("戌狗不到巳上去，牛羊相逢泪淋淋。");
  area.Add("");
  CloseSection(area);

  // Personalities, bone weights, shensha.
  SideBySide(area, "简易性格对比：", hidden.personalityMan, hidden.personalityWoman);
  CloseSection(area);
  SideBySide(area, "骨重对比：", hidden.boneWeightMan, hidden.boneWeightWoman);
  CloseSection(area);
  SideBySide(area, "四柱神煞对比：", hidden.shenshaMan, hidden.shenshaWoman);
  const std::string manText = hidden.shenshaMan.Text(), womanText = hidden.shenshaWoman.Text();
  std::string common;
  int commonCount = 0;
  for (auto name : kComparedShenshaNames)
    if (Contains(manText, name) && Contains(womanText, name)) common += std::string(name) + " ", ++commonCount;
  verdicts.insert(verdicts.end() - 1, {"神煞", "相同" + std::to_string(commonCount) + "个",
                                       commonCount >= 4 ? 1 : commonCount >= 2 ? 0 : -1, "四柱神煞对比"});
  area.Add("四柱神煞相同的有：" + common);
  area.Add("说明：此处提供参考，相同越多说明两人命运接近，更符合婚配。");
  area.Add("");
  CloseSection(area);
  if (bloodTypes) {
    // The 血型配对 tool's reading for the couple, when both blood types are chosen.
    WriteBloodMatch(area, db, bloodTypes->first, bloodTypes->second);
    area.Add("");
    CloseSection(area);
  }
  area.Add("特别声明：以上分析只做参考，即使分析不佳世上也有欢喜冤家或旷世奇缘的情感。");
}

// Both blood types as indexes when both are chosen; nothing when either is
// blank. A text that is no blood type is refused.
std::optional<std::pair<int, int>> CoupleBloodTypes(const BirthRowTexts& man, const BirthRowTexts& woman) {
  const std::string a = Trim(man.blood), b = Trim(woman.blood);
  for (const auto& [text, who] : {std::pair{a, "男方"}, std::pair{b, "女方"}})
    if (!text.empty() && BloodTypeIndex(text) < 0)
      throw ConversionError(std::string(who) + "血型" + QuoteTyped(text) + "应为A型、B型、O型或AB型。");
  if (a.empty() || b.empty()) return std::nullopt;
  return std::pair{BloodTypeIndex(a), BloodTypeIndex(b)};
}

}  // namespace

ReportResult RunMarriageReport(const BirthRowTexts& manTexts, const BirthRowTexts& womanTexts, ReportArea& area,
                               MarriageHiddenLists& hidden, Messages& messages, RefDb& db, const Ymd& today) {
  BaziChart chart;
  Person man, woman;
  ReportResult result;
  const std::optional<std::pair<int, int>> bloodTypes = CoupleBloodTypes(manTexts, womanTexts);

  const RowCheck manCheck = ReadBirthRow(manTexts, ManRowMessages(), "男方", messages, man.row);
  if (manCheck != RowCheck::kOk) return {ReportEnd::kManRowRefused, manCheck == RowCheck::kNameEmpty, {}, {}, {}};
  ComputePerson(man, db, false, today);
  area.Clear();
  WritePersonHeader(area, "男方基本信息：", man);
  WritePersonChart(man, "男", area, hidden.shenshaMan, "男方四柱神煞：", hidden.boneWeightMan, "男方袁天罡称骨算命：",
                   chart, db, messages, false, result.manChart, today);
  hidden.personalityMan.Clear();
  MalePersonalityBrief(chart, db, messages, man.year, man.month, man.day, man.hour, man.lunar.Day, man.minute, "男",
                       hidden.personalityMan);

  const RowCheck womanCheck = ReadBirthRow(womanTexts, WomanRowMessages(), "女方", messages, woman.row);
  if (womanCheck != RowCheck::kOk) {
    result.end = ReportEnd::kWomanRowRefused;
    result.nameMissing = womanCheck == RowCheck::kNameEmpty;
    return result;
  }
  ComputePerson(woman, db, true, today);
  area.Add("------------------------------------------------------------------------");
  area.Add("");
  WritePersonHeader(area, "女方基本信息：", woman);
  WritePersonChart(woman, "女", area, hidden.shenshaWoman, "女方四柱神煞：", hidden.boneWeightWoman,
                   "女方袁天罡称骨算命：", chart, db, messages, true, result.womanChart, today);
  hidden.personalityWoman.Clear();
  FemalePersonalityBrief(chart, db, messages, woman.year, woman.month, woman.day, woman.hour, woman.lunar.Day,
                         woman.minute, "女", hidden.personalityWoman);

  WriteMatchingSections(area, hidden, man, woman, db, result.verdicts, bloodTypes);
  return result;
}

}  // namespace hehun
