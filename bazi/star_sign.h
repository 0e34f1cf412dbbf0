// Western star signs (星座) of a Gregorian date, and the essays on each sign.
#pragma once

#include <string>
#include <string_view>

#include "calendar/date.h"
#include "refdb/refdb.h"

namespace hehun {

// The sign of a date; 04-21 to 05-20 is "金牛座 " with one trailing blank. A
// moment after midnight on the last day of a range belongs to no sign.
std::string StarSignOf(DateValue date);

// Essay of a sign: topic 0 emotional intelligence, 1 strengths in love and
// life, 2 famous people; paragraph tags removed. A database that cannot be
// read (or a topic without a table) stops the user action silently.
std::string StarSignText(RefDb& db, std::string_view sign, int topic);

std::string StripParagraphTags(std::string text);

}  // namespace hehun
