// The whole command line of hehun-cli as one function: the arguments after
// the program name, the three streams, the exit status. main() and the
// command-line fuzz target both call it.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace hehun::cli {

int RunCommandLine(std::vector<std::string> args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace hehun::cli
