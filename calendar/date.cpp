#include "calendar/date.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "refdb/messages.h"
#include "refdb/text.h"

namespace hehun {

namespace {

// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's method).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

Ymd CivilFromDays(long long z) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long y = static_cast<long long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

// 1899-12-30 counted from 1970-01-01.
constexpr long long kEpochOffset = -25569;

bool ParseIntPart(std::string_view s, int& out) {
  if (s.empty()) return false;
  const char* b = s.data();
  const char* e = s.data() + s.size();
  if (*b == '+') ++b;
  auto r = std::from_chars(b, e, out);
  return r.ec == std::errc() && r.ptr == e;
}

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidYmd(int year, int month, int day) {
  return year >= 1 && year <= 9999 && day >= 1 && day <= DaysInMonth(year, month);
}

DateValue EncodeDate(int year, int month, int day) {
  return static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
                             kEpochOffset);
}

DateValue EncodeDateTime(int year, int month, int day, int hour, int minute, int second) {
  return EncodeDate(year, month, day) + (hour * 3600 + minute * 60 + second) / 86400.0;
}

DateValue DateOf(DateValue value) { return std::floor(value); }

Ymd DecodeDate(DateValue value) {
  return CivilFromDays(static_cast<long long>(std::floor(value)) + kEpochOffset);
}

DateTimeParts DecodeDateTime(DateValue value) {
  long long secs = std::llround(value * 86400.0);
  long long days = secs >= 0 ? secs / 86400 : -((-secs + 86399) / 86400);
  long long rest = secs - days * 86400;
  DateTimeParts p;
  p.date = CivilFromDays(days + kEpochOffset);
  p.hour = static_cast<int>(rest / 3600);
  p.minute = static_cast<int>(rest % 3600 / 60);
  p.second = static_cast<int>(rest % 60);
  return p;
}

std::string FormatYmd(const Ymd& d) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
  return buf;
}

std::string FormatDate(DateValue value) { return FormatYmd(DecodeDate(value)); }

std::string FormatDateTime(DateValue value) {
  DateTimeParts p = DecodeDateTime(value);
  char buf[48];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", p.date.year, p.date.month, p.date.day, p.hour,
                p.minute, p.second);
  return buf;
}

DateValue ParseDateText(std::string_view text) {
  const std::string t = Trim(text);
  const auto fail = [&]() -> DateValue { throw ConversionError(QuoteTyped(text) + "不是有效的日期"); };
  size_t a = t.find('-');
  if (a == std::string::npos) return fail();
  size_t b = t.find('-', a + 1);
  if (b == std::string::npos) return fail();
  int y = 0, m = 0, d = 0;
  if (!ParseIntPart(std::string_view(t).substr(0, a), y) ||
      !ParseIntPart(std::string_view(t).substr(a + 1, b - a - 1), m) ||
      !ParseIntPart(std::string_view(t).substr(b + 1), d))
    return fail();
  if (!IsValidYmd(y, m, d)) return fail();
  return EncodeDate(y, m, d);
}

DateValue ParseDateTimeText(std::string_view text) {
  // Exactly "yyyy-MM-dd HH:mm:ss"; read by hand, as the chart reads many.
  const auto digits = [&](size_t at, size_t n, int& out) {
    out = 0;
    for (size_t k = at; k < at + n; ++k) {
      if (k >= text.size() || text[k] < '0' || text[k] > '9') return false;
      out = out * 10 + (text[k] - '0');
    }
    return true;
  };
  int y, mo, d, h, mi, s;
  const bool ok = text.size() == 19 && text[4] == '-' && text[7] == '-' && text[10] == ' ' && text[13] == ':' &&
                  text[16] == ':' && digits(0, 4, y) && digits(5, 2, mo) && digits(8, 2, d) && digits(11, 2, h) &&
                  digits(14, 2, mi) && digits(17, 2, s) && IsValidYmd(y, mo, d) && h <= 23 && mi <= 59 && s <= 59;
  if (!ok) throw ConversionError(QuoteTyped(text) + "不是有效的日期时间");
  return EncodeDateTime(y, mo, d, h, mi, s);
}

int ParseIntText(std::string_view text) {
  int v = 0;
  if (!ParseIntPart(Trim(text), v)) throw ConversionError(QuoteTyped(text) + "不是有效的整数");
  return v;
}

Ymd AddMonths(const Ymd& ymd, int months) {
  const int index = ymd.year * 12 + (ymd.month - 1) + months;
  const int year = index / 12, month = index % 12 + 1;
  const int last = DaysInMonth(year, month);
  return {year, month, ymd.day < last ? ymd.day : last};
}

}  // namespace hehun
