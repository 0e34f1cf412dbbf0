#include "bazi/life_palace.h"

#include "refdb/ganzhi.h"
#include "refdb/text.h"

namespace hehun {

int GanZhiIndex(std::string_view text, bool isBranch) {
  const int i = isBranch ? IndexOf(kCalendarBranches, text) : IndexOf(kCalendarStems, text);
  return i < 0 ? 0 : i;
}

int YinBasedBranchNumber(std::string_view branch) {
  const int i = IndexOf(kCalendarBranches, branch);
  return i < 0 ? 0 : Mod(i - 2, 12) + 1;
}

std::string BranchOfYinBasedNumber(int n) {
  if (n < 1 || n > 12) return {};
  return std::string(kCalendarBranches[(n + 1) % 12]);
}

std::string LifePalaceBranch(std::string_view monthBranch, std::string_view hourBranch) {
  const int a = YinBasedBranchNumber(monthBranch);
  const int b = YinBasedBranchNumber(hourBranch);
  const int n = a + b > 13 ? 26 - a - b : 14 - a - b;
  return BranchOfYinBasedNumber(n);
}

std::string LifePalaceOf(RefDb& db, int lunarYear, bool isWoman) {
  const Row row = db.First(Swallow{}, RefFile::kTgcode, "SELECT * FROM mg WHERE Year = ? ORDER BY rowid LIMIT 1",
                           {static_cast<long long>(lunarYear)});
  return row.Text("mg") + row.Text(isWoman ? "nv" : "nan") + row.Text("wuhang") + row.Text("sxwuhang");
}

PalaceGroup LifePalaceGroup(std::string_view number) {
  return number == "一" || number == "三" || number == "四" || number == "九" ? PalaceGroup::kEast
                                                                               : PalaceGroup::kWest;
}

std::string PairingNumber(std::string_view number, bool isWoman) {
  if (number == "五") return isWoman ? "八" : "二";
  return std::string(number);
}

std::string LifePalaceMatch(RefDb& db, std::string_view manNumber, std::string_view womanNumber) {
  const Row pair =
      db.First(Swallow{}, RefFile::kTgcode, "SELECT * FROM mghp WHERE nan = ? AND nv = ? ORDER BY rowid LIMIT 1",
               {std::string(manNumber), std::string(womanNumber)});
  // A database that cannot be read gives empty text; only a missing row
  // falls back to the grade 下等婚.
  if (pair.failed()) return {};
  const std::string grade = pair.Text("dj");
  const std::string name = pair.Text("mc");
  const std::string head = name + "(" + (grade == "1" ? "上等婚" : grade == "2" ? "中等婚" : "下等婚") + ")";
  const Row analysis = db.First(Swallow{}, RefFile::kTgcode,
                                "SELECT \"Values\" FROM mgfx WHERE mc = ? ORDER BY rowid LIMIT 1", {name});
  if (analysis.failed()) return {};
  return head + analysis.Text("Values");
}

std::string LifePalaceElementMatch(RefDb& db, std::string_view manElement, std::string_view womanElement) {
  const Row row =
      db.First(Swallow{}, RefFile::kTgcode, "SELECT * FROM mgwx WHERE nan = ? AND nv = ? ORDER BY rowid LIMIT 1",
               {std::string(manElement), std::string(womanElement)});
  if (row.failed()) return {};  // could not read: empty, unlike a missing row (不合)
  const std::string score = row.Text("fs");
  return std::string("(") + (score == "5" ? "非常合" : score == "3" ? "中等合" : "不合") + ")" + row.Text("note");
}

}  // namespace hehun
