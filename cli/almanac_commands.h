// The almanac's subcommands of hehun-cli: `almanac` and `weddingdays`.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace hehun::cli {

// almanac YYYY-MM-DD: the 19 lines of the almanac day view.
int AlmanacCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
// weddingdays --man [NAME,]YYYY-MM-DD[,lunar] --woman ... --from YYYY-MM-DD --range 三月以内
//             --purpose 结婚|订婚 --kind 宜|忌
int WeddingDaysCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace hehun::cli
