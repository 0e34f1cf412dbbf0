#include "cli/arg_text.h"

namespace hehun::cli {

std::vector<std::string> SplitAtCommas(const std::string& value) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const size_t comma = value.find(',', start);
    parts.push_back(value.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (comma == std::string::npos) return parts;
    start = comma + 1;
  }
}

bool SplitDateText(const std::string& date, std::string& year, std::string& month, std::string& day) {
  const size_t d1 = date.find('-', 1);
  if (d1 == std::string::npos) return false;
  const size_t d2 = date.find('-', d1 + 1);
  if (d2 == std::string::npos) return false;
  year = date.substr(0, d1);
  month = date.substr(d1 + 1, d2 - d1 - 1);
  day = date.substr(d2 + 1);
  return true;
}

}  // namespace hehun::cli
