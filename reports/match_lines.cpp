#include "reports/match_lines.h"

#include <utility>

#include "bazi/matching.h"

namespace hehun {

namespace {

std::string Reading(RefDb& db, const char* sql, const std::string& a, const std::string& b, const char* column) {
  return db.First(Unguarded{}, RefFile::kBookFile, sql, {a, b}).Text(column);
}

}  // namespace

void WriteZodiacMatch(LineSink& out, RefDb& db, int a, int b) {
  const ZodiacMatch m = MatchZodiac(a, b);
  // The pair is named in the order typed; the readings are stored once per pair.
  const std::string x = std::string(kZodiacAnimals[m.first]), y(kZodiacAnimals[m.second]);
  const std::string typedFirst(kZodiacAnimals[a]), typedSecond(kZodiacAnimals[b]);
  out.Add("生肖配对：属" + typedFirst + " 与 属" + typedSecond);
  if (m.relation != "无")
    out.Add("属相关系：" + m.relation + "（" + m.detail + "）");
  else if (!m.hiddenHarmony.empty())
    out.Add("属相关系：暗合（" + m.hiddenHarmony + "；无明合，亦无冲、刑、害、破）");
  else
    out.Add("属相关系：无合无冲（" + m.detail + "）");
  if (!m.others.empty()) {
    std::string others;
    for (const auto& o : m.others) others += (others.empty() ? "" : "、") + o;
    out.Add("兼有关系：" + others);
  }
  out.Add("配对等级：" + m.grade);
  const char* bond = m.elements.bond == ElementBond::kSame         ? "五行比和"
                     : m.elements.bond == ElementBond::kGenerating ? "五行相生"
                                                                   : "五行相克";
  if (m.first == m.second)
    out.Add("生肖五行：两人同属" + x + "，" + m.elements.text + "，" + bond);
  else
    out.Add("生肖五行：" + typedFirst + "属" + ElementName(kBranchElements[a]) + "，" + typedSecond + "属" +
            ElementName(kBranchElements[b]) + "，" + m.elements.text + "，" + bond);
  if (!m.verse.empty()) out.Add("小五婚：歌诀有“" + m.verse + "”之句，民间以此配为忌");
  out.Add("配对解读：" + Reading(db, "SELECT reading FROM sxpd WHERE a = ? AND b = ? ORDER BY rowid LIMIT 1", x, y,
                                  "reading"));
}

void WriteSignMatch(LineSink& out, RefDb& db, int a, int b) {
  const SignMatch m = MatchSigns(a, b);
  const std::string x(kStarSigns[m.first]), y(kStarSigns[m.second]);
  out.Add("星座配对：" + x + " 与 " + y);
  for (int s : {m.first, m.second})
    out.Add(std::string(kStarSigns[s]) + "：" + std::string(kSignElements[s % 4]) + "星座，" +
            std::string(kSignModalities[s % 3]));
  const std::string ex(kSignElements[m.first % 4]), ey(kSignElements[m.second % 4]);
  if (ex == ey)
    out.Add("元素关系：同为" + ex + "，气质相通");
  else if (m.first % 2 == m.second % 2)
    out.Add("元素关系：" + ex + "与" + ey + "相容，彼此助长");
  else
    out.Add("元素关系：" + ex + "与" + ey + "相异，需要磨合");
  const std::string mx(kSignModalities[m.first % 3]), my(kSignModalities[m.second % 3]);
  if (mx == my)
    out.Add("宫位关系：同为" + mx + "，步调一致，也容易互不相让");
  else
    out.Add("宫位关系：" + mx + "与" + my + "，做事节奏不同，可以互补");
  out.Add("星座相位：" + m.aspectName + "，相距" + std::to_string(m.degrees) + "度");
  out.Add("配对指数：" + std::to_string(m.score) + "分（满分100分）");
  out.Add("配对解读：" + Reading(db, "SELECT reading FROM xzpd WHERE a = ? AND b = ? ORDER BY rowid LIMIT 1", x, y,
                                  "reading"));
}

void WriteBloodMatch(LineSink& out, RefDb& db, int a, int b) {
  if (a > b) std::swap(a, b);
  const std::string x(kBloodTypes[a]), y(kBloodTypes[b]);
  const Row row = db.First(Unguarded{}, RefFile::kBookFile,
                           "SELECT verdict, reading FROM xxpd WHERE a = ? AND b = ? ORDER BY rowid LIMIT 1", {x, y});
  out.Add("血型配对：" + x + "型 与 " + y + "型");
  out.Add("配对结论：" + row.Text("verdict"));
  out.Add("配对解读：" + row.Text("reading"));
  out.Add("说明：血型配对是流行的民间说法，并无科学依据，仅供娱乐参考。");
}

}  // namespace hehun
