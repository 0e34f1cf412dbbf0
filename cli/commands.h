// The folder cli/ is a top floor beside app/: hehun-cli, every function of the
// core without a window.
//
// The subcommands: their usage text and the dispatch of one command line.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace hehun::cli {

std::string Usage();
// Runs one subcommand; returns the exit status.
int Run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace hehun::cli
