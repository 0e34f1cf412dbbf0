// Splitting the texts of command-line arguments the way the windows' controls
// hold them.
#pragma once

#include <string>
#include <vector>

namespace hehun::cli {

// "a,b,,c" -> {"a", "b", "", "c"}; an empty text gives one empty part.
std::vector<std::string> SplitAtCommas(const std::string& value);

// Year, month and day texts of "Y-M-D", as typed (a leading minus belongs to
// the year). False when the text has fewer than two separating dashes.
bool SplitDateText(const std::string& date, std::string& year, std::string& month, std::string& day);

}  // namespace hehun::cli
