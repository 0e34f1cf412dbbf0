// hehun-cli records …: the records archive from the command line (add, list,
// show, delete, count, couple, couples, export, import), each with --db PATH
// to use another archive file than the user's own.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace hehun::cli {

int RecordsCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

// The lines of the records subcommands for the usage text.
std::string RecordsUsage();

}  // namespace hehun::cli
