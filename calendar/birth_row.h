// One birth-data row as the user typed it, and its reading: trimming, the
// emptiness tests with their messages, and the conversion of a lunar entry
// to the Gregorian date every computation starts from.
#pragma once

#include <string>

#include "calendar/date.h"
#include "calendar/lunar_calc.h"
#include "refdb/messages.h"

namespace hehun {

// The texts of one row's controls, exactly as the controls hold them.
struct BirthRowTexts {
  std::string name;
  int calendarIndex = 0;  // 0 公历, 1 农历
  std::string year, month, day;
  std::string hour;    // an hour item such as "子 0" or "巳 10", or typed text
  std::string minute;  // as typed
  std::string place;          // 出生地 as typed: a place name, or empty for Beijing time
  bool trueSolarTime = true;  // 真太阳时: the day and hour pillars follow the sun at the place
  bool leapMonth = false;     // 农历闰月; a month text "闰2" (or "闰二") says the same
  std::string blood;          // 血型 as chosen ("A型" …), or empty; only the marriage report reads it
};

// The messages of one row, in the order of the tests.
struct BirthRowMessages {
  std::string name, year, month, day, hour;
};

BirthRowMessages ManRowMessages();
BirthRowMessages WomanRowMessages();

// A row read and checked.
struct BirthRow {
  std::string name;
  std::string yearText, monthText, dayText;  // the Gregorian date as texts
  std::string dateText;                      // "Y-M-D"
  std::string hourText;                      // the hour item, trimmed
  std::string hourNumber;                    // "0" to "23"
  std::string hourBranch;                    // 子 … 亥
  std::string minuteText;                    // as typed
  std::string placeText;                     // 出生地, trimmed; empty: Beijing time
  bool trueSolarTime = true;
};

enum class RowCheck { kOk, kNameEmpty, kYearEmpty, kMonthEmpty, kDayEmpty, kHourEmpty };

// Reads a row. On an empty field shows its message with ShowInfo and returns
// that field. A lunar date that does not exist, a Gregorian date outside
// 1900-01-31 to 2100-12-31 and a text that is not a number or not a date
// throw ConversionError with a message that names the field (`who` is
// "男方", "女方" or empty). A lunar row reads a leap month from the flag or
// the month text; a Gregorian row refuses a leap month. The name is read as
// OneLineName. The hour and minute are checked too unless
// `checkTime` is false (a report that only prints them).
// A name as one line: line breaks and tabs of a pasted name removed, blanks
// at either end trimmed.
std::string OneLineName(std::string_view typed);

// The lunar month a month text names: "2", "02", "二", "二月", "闰2", "闰二"
// or "闰二月"; `leap` is set by the prefix "闰". Returns 0 for a text that
// names no month.
int LunarMonthOfText(std::string_view text, bool& leap);

// The month item of a lunar month for the month lists: "2", or "闰2".
std::string LunarMonthItem(int month, bool leap);

RowCheck ReadBirthRow(const BirthRowTexts& texts, const BirthRowMessages& rowMessages, std::string_view who,
                      Messages& messages, BirthRow& row, bool checkTime = true);

}  // namespace hehun
