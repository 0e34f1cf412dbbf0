// hehun-cli zodiacmatch / signmatch / bloodmatch: the results of the function
// page's matching dialogs.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace hehun::cli {

int ZodiacMatchCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
int SignMatchCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
int BloodMatchCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace hehun::cli
