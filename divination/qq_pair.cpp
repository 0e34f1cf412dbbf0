#include "divination/qq_pair.h"

#include "divination/folk_texts.h"
#include "divination/number81.h"
#include "refdb/text.h"

namespace hehun {

std::string CheckQqNumber(std::string_view typed, std::string_view who) {
  const std::string number = Trim(typed);
  if (number.empty()) return "请输入" + std::string(who) + "！";
  for (char c : number)
    if (c < '0' || c > '9') return std::string(who) + "只能由数字组成：" + QuoteTyped(number);
  if (number.size() < static_cast<size_t>(kQqMinDigits) || number.size() > static_cast<size_t>(kQqMaxDigits))
    return std::string(who) + "应为" + std::to_string(kQqMinDigits) + "至" + std::to_string(kQqMaxDigits) +
           "位数字：" + QuoteTyped(number);
  return "";
}

std::string_view PairGradeReadingOf(std::string_view grade) {
  for (const PairGradeReading& r : PairGradeReadings())
    if (grade == r.grade) return r.reading;
  return {};
}

bool QqPairReport(std::string_view first, std::string_view second, Messages& messages, LineSink& out) {
  for (const std::string& message : {CheckQqNumber(first, "第一个QQ号码"), CheckQqNumber(second, "第二个QQ号码")})
    if (!message.empty()) {
      messages.ShowInfo(message);
      return false;
    }
  const std::string a = Trim(first), b = Trim(second);
  // Eleven digits each: the sum stays far inside the 64-bit range.
  const std::int64_t sum = ParseInt64Text(a) + ParseInt64Text(b);
  const FortuneFields f = SplitFortune(Number81Fortune(std::to_string(sum)));
  out.Add("QQ号缘分：" + a + " 与 " + b);
  out.Add("两号之和：" + a + " + " + b + " = " + std::to_string(sum) + "（按八十一数理取数）");
  out.Add("数理：" + f.state);
  out.Add("吉凶：" + f.grade);
  out.Add("缘分解读：" + std::string(PairGradeReadingOf(f.grade)));
  return true;
}

}  // namespace hehun
