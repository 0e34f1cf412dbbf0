// A person kept in the records archive, the couple of two people, and the
// checks every person passes before it is saved: the same date and lunar
// rules as the input panels, with a Chinese reason for each refused field.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/date.h"

namespace hehun::records {

// The longest name the input panels take, in GBK bytes (ten Chinese characters),
// so that every saved person fills a panel unchanged.
inline constexpr int kNameByteLimit = 20;
inline constexpr int kPlaceCharLimit = 100;
inline constexpr int kNoteCharLimit = 4000;
inline constexpr int kTagCharLimit = 20;

struct Person {
  int64_t id = 0;       // given by the archive; 0 before saving
  std::string name;
  std::string sex;      // "男" or "女"
  bool lunar = false;   // the calendar of the birth date: 公历 (false) or 农历 (true)
  Ymd birthDate;        // in that calendar
  bool leapMonth = false;  // a lunar leap month (闰月); always false for 公历
  int hour = 0, minute = 0;
  std::string place;    // birthplace as typed, or empty
  std::string blood;    // "A", "B", "O", "AB" or empty
  std::string note;     // free text, line breaks allowed ("\n")
  std::vector<std::string> tags;
  int64_t createdAt = 0, updatedAt = 0;  // Unix seconds
  friend bool operator==(const Person&, const Person&) = default;
};

// Two saved people matched together; `firstId` is the smaller number.
struct Couple {
  int64_t id = 0;
  int64_t firstId = 0, secondId = 0;
  std::string note;
  std::string lastMatched;  // "YYYY-MM-DD", or empty before the first match
  int64_t createdAt = 0, updatedAt = 0;
};

// A person's fields as texts, as a CSV row or the command line gives them.
struct PersonTexts {
  std::string name, sex, calendar, date, time, leap, place, blood, note, tags;
};

// Reads the texts into `person` (its id and times untouched) and checks it.
// Returns the reasons a field is refused, empty when all is well. Texts are
// tidied on the way: blanks trimmed, "1990-5-1" becomes 1990-05-01, "8:30"
// 08:30, an empty calendar 公历 and an empty leap flag 0, blood "ab" AB.
std::vector<std::string> ReadPerson(const PersonTexts& texts, Person& person);

// The checks of ReadPerson on a person built in code (the window's panels).
std::vector<std::string> CheckPerson(const Person& person);

// The texts a person is written out with: every field in its tidy form.
PersonTexts TextsOf(const Person& person);

std::string CalendarName(bool lunar);         // 公历, 农历
std::string BirthDateText(const Person& p);  // "1990-05-01"
std::string BirthTimeText(const Person& p);  // "08:30"
// The Gregorian day of birth; a lunar date is converted.
Ymd SolarBirthDate(const Person& p);

// Tags from typed text: split at commas (, ， 、) and blanks, duplicates dropped.
std::vector<std::string> SplitTags(std::string_view text);
// Tags joined for display and for the tags column: "客户，北京".
std::string JoinTags(const std::vector<std::string>& tags);

}  // namespace hehun::records
