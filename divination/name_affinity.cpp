#include "divination/name_affinity.h"

#include <iterator>

#include "divination/folk_texts.h"
#include "divination/hanzi_table.h"

namespace hehun {

namespace {

std::string JoinDigits(const std::vector<int>& row) {
  std::string s;
  for (size_t i = 0; i < row.size(); ++i) {
    if (i) s += ' ';
    s += static_cast<char>('0' + row[i]);
  }
  return s;
}

std::string Join(const std::vector<std::string>& chars) {
  std::string s;
  for (const auto& c : chars) s += c;
  return s;
}

}  // namespace

std::vector<std::vector<int>> AffinityRows(const std::vector<int>& strokes) {
  std::vector<int> digits;
  for (int n : strokes)
    for (char c : std::to_string(n)) digits.push_back(c - '0');
  std::vector<std::vector<int>> rows{digits};
  while (rows.back().size() > 2) {
    const std::vector<int>& last = rows.back();
    std::vector<int> next;
    for (size_t i = 0; i + 1 < last.size(); ++i) next.push_back((last[i] + last[i + 1]) % 10);
    rows.push_back(std::move(next));
  }
  return rows;
}

int AffinityIndex(const std::vector<int>& lastRow) {
  const int value = lastRow.size() == 2 ? lastRow[0] * 10 + lastRow[1] : lastRow.empty() ? 0 : lastRow[0];
  return value == 0 ? 100 : value;
}

AffinityResult ComputeAffinity(const std::vector<std::string>& first, const std::vector<std::string>& second) {
  AffinityResult r;
  r.firstChars = first;
  r.secondChars = second;
  std::vector<int> all;
  for (const auto& c : first) r.firstStrokes.push_back(FindHanzi(c)->strokes);
  for (const auto& c : second) r.secondStrokes.push_back(FindHanzi(c)->strokes);
  all = r.firstStrokes;
  all.insert(all.end(), r.secondStrokes.begin(), r.secondStrokes.end());
  r.rows = AffinityRows(all);
  r.index = AffinityIndex(r.rows.back());
  for (const AffinityBand& b : AffinityBands())
    if (r.index >= b.low && r.index <= b.high) {
      r.bandTitle = b.title;
      r.bandReading = b.reading;
    }
  return r;
}

bool NameAffinityReport(std::string_view first, std::string_view second, Messages& messages, LineSink& out) {
  HanziName a, b;
  for (const std::string& message : {CheckChineseName(first, "第一个姓名", kAffinityNameMaxChars, a),
                                     CheckChineseName(second, "第二个姓名", kAffinityNameMaxChars, b)})
    if (!message.empty()) {
      messages.ShowInfo(message);
      return false;
    }
  const AffinityResult r = ComputeAffinity(a.chars, b.chars);
  out.Add("缘分测试：" + Join(r.firstChars) + " 与 " + Join(r.secondChars));
  std::string strokes = "笔画：";
  for (size_t i = 0; i < r.firstChars.size(); ++i) strokes += r.firstChars[i] + std::to_string(r.firstStrokes[i]) + " ";
  for (size_t i = 0; i < r.secondChars.size(); ++i)
    strokes += r.secondChars[i] + std::to_string(r.secondStrokes[i]) + (i + 1 < r.secondChars.size() ? " " : "");
  out.Add(strokes);
  out.Add("（笔画按所输入的简化字计总笔画，取自 Unicode 汉字数据库 Unihan；两名笔画依次写成数字，相邻两数相加取个位，逐行相加至剩两位。）");
  for (size_t i = 0; i < r.rows.size(); ++i) out.Add("第" + std::to_string(i + 1) + "行：" + JoinDigits(r.rows[i]));
  const std::vector<int>& last = r.rows.back();
  std::string index = "缘分指数：" + std::to_string(r.index);
  if (r.index == 100 && last.size() == 2) index += "（末两位为“00”，按满分计）";
  out.Add(index);
  out.Add("【" + r.bandTitle + "】" + r.bandReading);
  return true;
}

}  // namespace hehun
