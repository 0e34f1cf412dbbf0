#include "cli/cnday.h"

#include <iostream>

#include "calendar/date.h"
#include "calendar/date_cn.h"
#include "refdb/messages.h"
#include "refdb/text.h"

namespace hehun::cli {

namespace {
std::string OrDash(const std::string& text) { return text.empty() ? "-" : text; }
}  // namespace

int CnDay(const std::vector<std::string>&, std::istream& in, std::ostream& out, std::ostream&) {
  std::string line;
  while (std::getline(in, line)) {
    if (Trim(line).empty()) continue;
    try {
      const DateValue d = ParseDateText(line);
      out << CnLunarCode(d) << ' ' << OrDash(CnLunarMonthName(d)) << ' ' << OrDash(CnLunarDayName(d)) << ' '
          << OrDash(CnZodiacLabel(d)) << ' ' << OrDash(CnSolarTermName(d)) << ' ' << OrDash(CnLunarFestival(d))
          << ' ' << OrDash(SolarFestivalName(CnDayOf(d), d)) << ' ' << OrDash(CnStarSign(d)) << '\n';
    } catch (const ConversionError& e) {
      out << "ERROR " << e.what() << '\n';
    }
  }
  return 0;
}

}  // namespace hehun::cli
