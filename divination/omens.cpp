#include "divination/omens.h"

#include <algorithm>
#include <array>

#include "refdb/text.h"

namespace hehun {

namespace {

struct OmenEntry {
  int page;
  std::string_view title;
  std::string_view text;
};

// From data/divination/omens.tsv, page by page.
constexpr OmenEntry kOmenEntries[] = {
#include "omen_pages.inc"
};
static_assert(std::size(kOmenEntries) == 12 + 6 * 6, "twelve clock-hour entries and six pages of six");

struct ConceptionRow {
  int age;
  std::array<std::string_view, 12> months;
};

// From data/divination/conception.tsv, ages 18 to 45.
constexpr ConceptionRow kConception[] = {
#include "conception_table.inc"
};
static_assert(std::size(kConception) == 45 - 18 + 1, "one row for every age 18 to 45");

constexpr std::string_view kConceptionHeader =
    "年龄   1月    2月   3月   4月   5月   6月   7月   8月   9月  10月   11月   12月";

// Columns on screen, where a Chinese character is two columns wide.
int Columns(std::string_view text) {
  int n = 0;
  for (const std::string& ch : Utf8Chars(text)) n += static_cast<unsigned char>(ch[0]) < 0x80 ? 1 : 2;
  return n;
}

}  // namespace

std::string_view OmenTitle(int page) {
  for (const auto& e : kOmenEntries)
    if (e.page == page) return e.title;
  return {};
}

std::vector<std::string_view> OmenEntries(int page) {
  std::vector<std::string_view> entries;
  for (const auto& e : kOmenEntries)
    if (e.page == page) entries.push_back(e.text);
  return entries;
}

std::string OmenPageText(int page) {
  std::string text;
  for (std::string_view entry : OmenEntries(page)) {
    if (!text.empty()) text += "\n\n";
    text += entry;
  }
  return text;
}

std::string_view OmenHourNote() {
  return "说明：\n"
         "   子时为23点-1点 丑时为1点-3点 寅时为3点-5点 卯时为5点-7点\n"
         "   辰时为7点-9点 巳时为9点-11点 午时11点-13点 未时13点-15点\n"
         "   申时15点-17点 酉时17点-19点 戌时19点-21点 亥时为21点-23点\n";
}

std::string_view ConceptionSex(int age, int month) {
  if (age < 18 || age > 45 || month < 1 || month > 12) return {};
  return kConception[age - 18].months[month - 1];
}

std::vector<std::string> ConceptionTableLines() {
  // Each month's entry stands under the "月" of its heading.
  std::array<int, 12> column{};
  int month = 0, at = 0;
  for (const std::string& ch : Utf8Chars(kConceptionHeader)) {
    if (ch == "月" && month < 12) column[month++] = at;
    at += Columns(ch);
  }
  std::vector<std::string> lines{std::string(kConceptionHeader)};
  for (const auto& row : kConception) {
    std::string line = std::to_string(row.age);
    for (int m = 0; m < 12; ++m) {
      line.append(static_cast<size_t>(std::max(1, column[m] - Columns(line))), ' ');
      line += row.months[m];
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace hehun
