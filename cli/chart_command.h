// chart: the four-pillar chart of one birth, as text or as one JSON object.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace hehun::cli {

int ChartCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace hehun::cli
