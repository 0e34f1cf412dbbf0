// hehun-cli pillars: lines "YYYY-MM-DD HH:MM 男|女" on standard input; for
// each the four pillars, the conception pillar, 顺 or 逆 and the start age;
// "ERROR" and the message for a refused line.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace hehun::cli {

int PillarsCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace hehun::cli
