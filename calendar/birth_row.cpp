#include "calendar/birth_row.h"

#include "refdb/gbk.h"
#include "refdb/text.h"

namespace hehun {

namespace {

// The dates every computation can handle: the span of the lunar tables.
const DateValue kFirstDate = EncodeDate(1900, 1, 31);
const DateValue kLastDate = EncodeDate(2100, 12, 31);

int FieldNumber(std::string_view text, const std::string& field) {
  try {
    return ParseIntText(text);
  } catch (const ConversionError&) {
    throw ConversionError(field + QuoteTyped(text) + "不是有效的数字，请重新输入。");
  }
}

constexpr std::string_view kLeapPrefix = "闰";

}  // namespace

std::string OneLineName(std::string_view typed) {
  std::string name;
  for (const char c : typed)
    if (c != '\n' && c != '\r' && c != '\t') name += c;
  return Trim(name);
}

int LunarMonthOfText(std::string_view text, bool& leap) {
  std::string t = Trim(text);
  leap = t.rfind(kLeapPrefix, 0) == 0;
  if (leap) t = Trim(t.substr(kLeapPrefix.size()));
  if (t.empty()) return 0;
  if (t.find_first_not_of("0123456789") == std::string::npos) {
    if (t.size() > 2) return 0;
    const int month = std::stoi(t);
    return month >= 1 && month <= 12 ? month : 0;
  }
  const std::string named = t.size() > 3 && t.compare(t.size() - 3, 3, "月") == 0 ? t : t + "月";
  if (named == "正月") return 1;
  if (named == "冬月") return 11;
  if (named == "腊月") return 12;
  for (int month = 1; month <= 12; ++month)
    if (named == LunarMonthName(month, false)) return month;
  return 0;
}

std::string LunarMonthItem(int month, bool leap) {
  return (leap ? std::string(kLeapPrefix) : std::string()) + std::to_string(month);
}

BirthRowMessages ManRowMessages() {
  return {"男方姓名不能为空!", "请选择男方出生年!", "请选择男方出生月!", "请选择男方出生日!", "请选择男方出生小时!"};
}

BirthRowMessages WomanRowMessages() {
  return {"女方姓名不能为空!", "请选择女方出生年!", "请选择女方出生月!", "请选择女方出生日!", "请选择女方出生小时!"};
}

RowCheck ReadBirthRow(const BirthRowTexts& t, const BirthRowMessages& m, std::string_view who, Messages& messages,
                      BirthRow& row, bool checkTime) {
  const std::string name = OneLineName(t.name);
  const std::string year = Trim(t.year), month = Trim(t.month), day = Trim(t.day), hour = Trim(t.hour);
  struct Check {
    const std::string& value;
    const std::string& message;
    RowCheck result;
  } checks[] = {{name, m.name, RowCheck::kNameEmpty},
                {year, m.year, RowCheck::kYearEmpty},
                {month, m.month, RowCheck::kMonthEmpty},
                {day, m.day, RowCheck::kDayEmpty},
                {hour, m.hour, RowCheck::kHourEmpty}};
  for (const auto& c : checks)
    if (c.value.empty()) {
      messages.ShowInfo(c.message);
      return c.result;
    }

  const std::string w(who);
  // "男方的出生日期", or "出生日期" when the row has no owner to name.
  const auto of = [&](const std::string& field) { return w.empty() ? field : w + "的" + field; };
  BirthRow r;
  r.name = name;
  DateValue date;
  const bool leapText = month.rfind(kLeapPrefix, 0) == 0;
  if (t.calendarIndex != 0) {
    // A number as before; otherwise a leap or Chinese month name.
    bool leap = false;
    int monthNumber = 0;
    try {
      monthNumber = ParseIntText(month);
    } catch (const ConversionError&) {
      monthNumber = LunarMonthOfText(month, leap);
      if (monthNumber == 0 && !leap) FieldNumber(month, of("出生月"));  // throws: not a number
    }
    const LunarDate lunar{FieldNumber(year, of("出生年")), monthNumber, FieldNumber(day, of("出生日")),
                          leap || t.leapMonth};
    if (lunar.Month < 1 || lunar.Month > 12)
      throw ConversionError(of("农历出生月") + QuoteTyped(month) + "应在1到12之间，请重新输入。");
    if (lunar.Day < 1 || lunar.Day > 30)
      throw ConversionError(of("农历出生日") + QuoteTyped(day) + "应在1到30之间，请重新输入。");
    if (lunar.IsLeap && LeapMonthOf(lunar.Year) != lunar.Month) {
      const int leapOfYear = LeapMonthOf(lunar.Year);
      throw ConversionError(of("农历出生月") + "：农历" + year + "年" +
                            (leapOfYear == 0 ? "没有闰月"
                                             : "的闰月是" + LunarMonthName(leapOfYear, true) + "，没有" +
                                                   LunarMonthName(lunar.Month, true)) +
                            "，请重新输入。");
    }
    date = LunarToSolar(lunar);
    if (date == NoSolarDate())
      throw ConversionError(of("农历出生日期") + year + "年" + (lunar.IsLeap && !leapText ? std::string(kLeapPrefix) : "") +
                            month + "月" + day +
                            "日不存在，或不在可计算的1901年至2099年之内，请重新输入。");
    r.dateText = FormatDate(date);
    r.yearText = r.dateText.substr(0, 4);
    r.monthText = r.dateText.substr(5, 2);
    r.dayText = r.dateText.substr(8, 2);
  } else {
    if (leapText || t.leapMonth)
      throw ConversionError(of("出生月") + QuoteTyped(month) + "：闰月只用于农历日期，请选择农历或重新输入。");
    r.yearText = year;
    r.monthText = month;
    r.dayText = day;
    r.dateText = year + "-" + month + "-" + day;
    try {
      date = ParseDateText(r.dateText);
    } catch (const ConversionError&) {
      throw ConversionError(of("出生日期") + QuoteTyped(r.dateText) + "不是有效的日期，请重新输入。");
    }
  }
  if (date < kFirstDate || date > kLastDate)
    throw ConversionError(of("出生日期") + FormatDate(date) +
                          "超出可计算的范围（1900年1月31日至2100年12月31日），请重新输入。");

  r.hourText = hour;
  r.hourNumber = Trim(gbk::MidBytes(hour, 4, 2));
  r.hourBranch = Trim(Utf8CharAt(hour, 0));
  r.minuteText = t.minute;
  r.placeText = Trim(t.place);
  r.trueSolarTime = t.trueSolarTime;
  if (checkTime) {
    const int hourValue = r.hourNumber.empty() ? -1 : FieldNumber(r.hourNumber, of("出生时辰"));
    if (hourValue < 0 || hourValue > 23)
      throw ConversionError(of("出生时辰") + QuoteTyped(hour) + "无法识别，请从列表中选择。");
    const int minute = FieldNumber(Trim(t.minute), of("出生分钟"));
    if (minute < 0 || minute > 59) throw ConversionError(of("出生分钟") + QuoteTyped(t.minute) + "应在0到59之间。");
  }
  row = r;
  return RowCheck::kOk;
}

}  // namespace hehun
