// The folk-omen pages (what a sneeze, a hot face, a start of the heart, a
// dog's barking, a twitching eye, a hot or a ringing ear foretells by the
// hour) and the conception table (boy or girl by the mother's age and the
// month of conception). Both are fixed texts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace hehun {

inline constexpr int kOmenPageCount = 7;

// The window title of page 0 to 6 ("打喷嚏占卜吉凶" ... "耳鸣测吉凶").
std::string_view OmenTitle(int page);
// The entries of a page, in order.
std::vector<std::string_view> OmenEntries(int page);
// The text of a page's text area: its entries with one empty line between
// consecutive entries.
std::string OmenPageText(int page);
// The note under the pages: the double-hours by clock time, four lines and
// a closing line break.
std::string_view OmenHourNote();

// The conception table: "男" or "女" for a nominal age 18 to 45 and a lunar
// month 1 to 12; empty outside the table.
std::string_view ConceptionSex(int age, int month);
// The 29 lines of the table as the window shows it: the header line, then
// one line per age with the twelve months aligned under the header.
std::vector<std::string> ConceptionTableLines();
inline constexpr std::string_view kConceptionNote =
    "说明：此表年龄为母亲虚岁年龄，月份指怀孕月份，以农历为准。遇闰月，上半月以上个月份计算，下半月以下个月份计算。";
// The line under the table: it is a folk belief, and sex selection without
// medical need is against the law.
inline constexpr std::string_view kConceptionLawNotice =
    "民间传说，仅供娱乐；非医学需要的胎儿性别鉴定和选择性别的人工终止妊娠是违法的。";

}  // namespace hehun
