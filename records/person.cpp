#include "records/person.h"

#include <algorithm>
#include <cstdio>

#include "calendar/lunar_calc.h"
#include "refdb/gbk.h"
#include "refdb/messages.h"
#include "refdb/text.h"

namespace hehun::records {

namespace {

// The Gregorian days the calendar tables can compute, as the panels accept them.
constexpr Ymd kFirstSolarDay{1900, 1, 31};
constexpr Ymd kLastSolarDay{2100, 12, 31};
// Lunar years the lunar-to-Gregorian conversion accepts.
constexpr int kFirstLunarBirthYear = kFirstLunarYear + 1;
constexpr int kLastLunarBirthYear = kLastLunarYear - 1;

// Reasons tagged with their column, so that they are listed in column order.
enum Field { kName, kSex, kCalendar, kDate, kTime, kLeap, kPlace, kBlood, kNote, kTags };
struct Reasons {
  std::vector<std::pair<Field, std::string>> items;
  void Add(Field field, std::string why) { items.emplace_back(field, std::move(why)); }
  std::vector<std::string> InColumnOrder() {
    std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> texts;
    for (auto& item : items) texts.push_back(std::move(item.second));
    return texts;
  }
};

bool Before(const Ymd& a, const Ymd& b) {
  return a.year != b.year ? a.year < b.year : a.month != b.month ? a.month < b.month : a.day < b.day;
}

bool HasLineBreakOrControl(std::string_view s) {
  return std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

// Digits only, 1 to `maxDigits` of them.
bool ReadNumber(std::string_view s, size_t maxDigits, int& value) {
  if (s.empty() || s.size() > maxDigits) return false;
  value = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

// "Y-M-D" with a four-digit year; month and day with or without a leading zero.
bool SplitDate(std::string_view s, Ymd& ymd) {
  const size_t a = s.find('-');
  const size_t b = a == std::string_view::npos ? a : s.find('-', a + 1);
  if (b == std::string_view::npos) return false;
  return s.substr(0, a).size() == 4 && ReadNumber(s.substr(0, a), 4, ymd.year) &&
         ReadNumber(s.substr(a + 1, b - a - 1), 2, ymd.month) && ReadNumber(s.substr(b + 1), 2, ymd.day);
}

std::string YmdText(const Ymd& d) { return FormatYmd(d); }

void CheckSolarDate(const Ymd& d, const std::string& typed, Reasons& reasons) {
  if (!IsValidYmd(d.year, d.month, d.day)) {
    reasons.Add(kDate, "出生日期" + QuoteTyped(typed) + "不是有效的日期");
  } else if (Before(d, kFirstSolarDay) || Before(kLastSolarDay, d)) {
    reasons.Add(kDate, "出生日期" + QuoteTyped(typed) + "不在可计算的1900-01-31至2100-12-31之内");
  }
}

void CheckLunarDate(const Ymd& d, bool leap, const std::string& typed, Reasons& reasons) {
  if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > 30) {
    reasons.Add(kDate, "出生日期" + QuoteTyped(typed) + "不是有效的农历日期");
  } else if (d.year < kFirstLunarBirthYear || d.year > kLastLunarBirthYear) {
    reasons.Add(kDate, "农历出生日期" + QuoteTyped(typed) + "不在可计算的1901至2099年之内");
  } else if (leap && LeapMonthOf(d.year) != d.month) {
    reasons.Add(kLeap, "农历" + std::to_string(d.year) + "年没有" + LunarMonthName(d.month, true));
  } else if (!IsValidLunarDate({d.year, d.month, d.day, leap})) {
    const int days = leap ? LeapMonthDays(d.year) : LunarMonthDays(d.year, d.month);
    reasons.Add(kDate, "农历" + std::to_string(d.year) + "年" + LunarMonthName(d.month, leap) + "只有" +
                      std::to_string(days) + "天，出生日期" + QuoteTyped(typed) + "不存在");
  }
}

void CheckTexts(const Person& p, const std::string& typedDate, Reasons& reasons) {
  if (p.name.empty()) {
    reasons.Add(kName, "姓名为空");
  } else if (HasLineBreakOrControl(p.name)) {
    reasons.Add(kName, "姓名" + QuoteTyped(p.name) + "含有换行或控制字符");
  } else if (gbk::ByteLength(p.name) > kNameByteLimit) {
    reasons.Add(kName, "姓名" + QuoteTyped(p.name) + "超过20个字节（10个汉字）");
  }
  if (p.sex != "男" && p.sex != "女") reasons.Add(kSex, "性别" + QuoteTyped(p.sex) + "应为“男”或“女”");
  if (p.lunar) {
    CheckLunarDate(p.birthDate, p.leapMonth, typedDate, reasons);
  } else {
    CheckSolarDate(p.birthDate, typedDate, reasons);
    if (p.leapMonth) reasons.Add(kLeap, "公历日期不分闰月，闰月应为0");
  }
  if (p.hour < 0 || p.hour > 23 || p.minute < 0 || p.minute > 59)
    reasons.Add(kTime, "出生时间" + QuoteTyped(BirthTimeText(p)) + "不是有效的时间（应为HH:MM）");
  if (HasLineBreakOrControl(p.place)) reasons.Add(kPlace, "出生地" + QuoteTyped(p.place) + "含有换行或控制字符");
  if (Utf8Length(p.place) > kPlaceCharLimit) reasons.Add(kPlace, "出生地超过100个字");
  if (!p.blood.empty() && p.blood != "A" && p.blood != "B" && p.blood != "O" && p.blood != "AB")
    reasons.Add(kBlood, "血型" + QuoteTyped(p.blood) + "应为A、B、O、AB或空");
  if (Utf8Length(p.note) > kNoteCharLimit) reasons.Add(kNote, "备注超过4000个字");
  for (const auto& tag : p.tags)
    if (Utf8Length(tag) > kTagCharLimit || HasLineBreakOrControl(tag) || SplitTags(tag) != std::vector{tag}) {
      reasons.Add(kTags, "标签" + QuoteTyped(tag) + "无效（每个标签最多20个字，不含逗号和空格）");
      break;
    }
}

std::string UpperAscii(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

}  // namespace

std::string CalendarName(bool lunar) { return lunar ? "农历" : "公历"; }

std::string BirthDateText(const Person& p) { return YmdText(p.birthDate); }

std::string BirthTimeText(const Person& p) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d", p.hour, p.minute);
  return buf;
}

Ymd SolarBirthDate(const Person& p) {
  if (!p.lunar) return p.birthDate;
  return DecodeDate(LunarToSolar({p.birthDate.year, p.birthDate.month, p.birthDate.day, p.leapMonth}));
}

std::vector<std::string> SplitTags(std::string_view text) {
  std::string spaced(text);
  for (std::string_view sep : {"，", "、", "；", ";", ","}) spaced = ReplaceAll(spaced, sep, " ");
  spaced = ReplaceAll(spaced, "　", " ");  // the ideographic space
  std::vector<std::string> tags;
  size_t i = 0;
  while (i < spaced.size()) {
    while (i < spaced.size() && static_cast<unsigned char>(spaced[i]) <= 0x20) ++i;
    size_t j = i;
    while (j < spaced.size() && static_cast<unsigned char>(spaced[j]) > 0x20) ++j;
    if (j > i) {
      std::string tag = spaced.substr(i, j - i);
      if (std::find(tags.begin(), tags.end(), tag) == tags.end()) tags.push_back(std::move(tag));
    }
    i = j;
  }
  return tags;
}

std::string JoinTags(const std::vector<std::string>& tags) {
  std::string text;
  for (const auto& tag : tags) text += (text.empty() ? "" : "，") + tag;
  return text;
}

std::vector<std::string> CheckPerson(const Person& person) {
  Reasons reasons;
  CheckTexts(person, BirthDateText(person), reasons);
  return reasons.InColumnOrder();
}

std::vector<std::string> ReadPerson(const PersonTexts& t, Person& person) {
  Reasons reasons;
  Person p;
  p.id = person.id;
  p.createdAt = person.createdAt;
  p.updatedAt = person.updatedAt;
  p.name = Trim(t.name);
  p.sex = Trim(t.sex);

  const std::string calendar = Trim(t.calendar);
  bool calendarKnown = true;
  if (calendar.empty() || calendar == "公历") {
    p.lunar = false;
  } else if (calendar == "农历") {
    p.lunar = true;
  } else {
    reasons.Add(kCalendar, "历法" + QuoteTyped(calendar) + "应为“公历”或“农历”");
    calendarKnown = false;
  }

  const std::string leap = Trim(t.leap);
  if (leap == "1") {
    p.leapMonth = true;
  } else if (!leap.empty() && leap != "0") {
    reasons.Add(kLeap, "闰月" + QuoteTyped(leap) + "应为0或1");
  }

  const std::string date = Trim(t.date);
  bool dateRead = SplitDate(date, p.birthDate);
  if (!dateRead) reasons.Add(kDate, "出生日期" + QuoteTyped(date) + "不是有效的日期（应为YYYY-MM-DD）");

  const std::string time = Trim(t.time);
  const size_t colon = time.find(':');
  if (colon == std::string::npos || !ReadNumber(std::string_view(time).substr(0, colon), 2, p.hour) ||
      !ReadNumber(std::string_view(time).substr(colon + 1), 2, p.minute) || colon + 3 != time.size() ||
      p.hour > 23 || p.minute > 59) {
    reasons.Add(kTime, "出生时间" + QuoteTyped(time) + "不是有效的时间（应为HH:MM）");
    p.hour = p.minute = 0;  // reported once; the check below then passes
  }

  p.place = Trim(t.place);
  p.blood = UpperAscii(Trim(t.blood));
  p.note = TrimRight(ReplaceAll(t.note, "\r\n", "\n"));
  p.tags = SplitTags(t.tags);

  // The remaining checks; a date or calendar already refused is not judged twice.
  if (!dateRead || !calendarKnown) {
    p.birthDate = {2000, 1, 1};
    p.lunar = false;
    p.leapMonth = false;
  }
  CheckTexts(p, date, reasons);
  if (reasons.items.empty()) person = std::move(p);
  return reasons.InColumnOrder();
}

PersonTexts TextsOf(const Person& p) {
  return {p.name, p.sex, CalendarName(p.lunar), BirthDateText(p), BirthTimeText(p), p.leapMonth ? "1" : "0",
          p.place, p.blood, p.note, JoinTags(p.tags)};
}

}  // namespace hehun::records
