// hehun-cli: the core's functions without a window, for scripts and checks.
// Output is UTF-8 on standard output; errors go to standard error with a
// non-zero exit status (1 after an error, 2 after a silent stop or misuse).
#include <iostream>
#include <string>
#include <vector>

#include "cli/entry.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return hehun::cli::RunCommandLine(args, std::cin, std::cout, std::cerr);
}
