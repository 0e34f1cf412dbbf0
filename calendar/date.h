// The folder calendar/ stands on refdb/: dates and day numbers, the lunar
// calendar and the solar terms, the calendar names, and the reading of a typed
// birth row.
//
// Dates as the whole system counts them: a day number (double) counted from
// 1899-12-30 00:00, the time of day being the fraction. All conversions
// between day numbers, year-month-day and date texts live here.
#pragma once

#include <string>
#include <string_view>

namespace hehun {

using DateValue = double;

struct Ymd {
  int year = 0;
  int month = 0;
  int day = 0;
  friend bool operator==(const Ymd&, const Ymd&) = default;
};

struct DateTimeParts {
  Ymd date;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);  // 0 for a month outside 1..12
bool IsValidYmd(int year, int month, int day);

// Day number of a valid date (no check here; callers check first).
DateValue EncodeDate(int year, int month, int day);
DateValue EncodeDateTime(int year, int month, int day, int hour, int minute, int second = 0);

// The date part of a day number (the fraction of the day dropped).
Ymd DecodeDate(DateValue value);
// Date and time, rounded to the nearest second.
DateTimeParts DecodeDateTime(DateValue value);

// The same day `months` later (or earlier), kept within the target month:
// 2024-01-31 plus one month is 2024-02-29.
Ymd AddMonths(const Ymd& ymd, int months);

// Whole-day part of a day number.
DateValue DateOf(DateValue value);

// "yyyy-MM-dd" and "yyyy-MM-dd HH:mm:ss".
std::string FormatDate(DateValue value);
std::string FormatYmd(const Ymd& ymd);
std::string FormatDateTime(DateValue value);

// Reads a date text "Y-M-D" (numbers with or without leading zeros, blanks
// around the text allowed). Throws ConversionError naming the text when it is
// not a date or names a day that does not exist.
DateValue ParseDateText(std::string_view text);

// Reads "yyyy-MM-dd HH:mm:ss" as stored in the reference database; throws
// ConversionError on anything else.
DateValue ParseDateTimeText(std::string_view text);

// Reads a decimal integer (blanks around it allowed). Throws ConversionError
// naming the text otherwise.
int ParseIntText(std::string_view text);

}  // namespace hehun
