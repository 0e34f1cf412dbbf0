// hehun-cli: the core's functions without a window, for scripts and checks.
// Output is UTF-8 on standard output; errors go to standard error with a
// non-zero exit status (1 after an error, 2 after a silent stop or misuse).
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "refdb/messages.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    std::cerr << hehun::cli::Usage();
    return 2;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    std::cout << hehun::cli::Usage();
    return 0;
  }
  if (args[0] == "--version") {
    std::cout << "hehun-cli " HEHUN_VERSION "\n";
    return 0;
  }
  try {
    return hehun::cli::Run(args, std::cin, std::cout, std::cerr);
  } catch (const hehun::UserError& e) {
    std::cerr << e.what() << "\n";
    return 1;
  } catch (const hehun::SilentAbort&) {
    return 2;
  }
}
