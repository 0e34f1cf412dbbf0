// hehun-cli cnday: the texts of the calendar text library for dates read
// from standard input.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace hehun::cli {

// Lines "YYYY-MM-DD" in; for each, separated by single blanks and "-" for an
// empty text: the lunar code, lunar month, lunar day, zodiac label, solar
// term, lunar festival, Gregorian festival and star sign
// ("1125 冬月 廿五 卯兔 - - 元旦节 摩羯座"). A line that is no date prints
// "ERROR" and the message.
int CnDay(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace hehun::cli
