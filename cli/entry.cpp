#include "cli/entry.h"

#include <iostream>

#include "cli/commands.h"
#include "refdb/messages.h"

namespace hehun::cli {

int RunCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << Usage();
    return 2;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    out << Usage();
    return 0;
  }
  if (args[0] == "--version") {
    out << "hehun-cli " HEHUN_VERSION "\n";
    return 0;
  }
  try {
    return Run(args, in, out, err);
  } catch (const UserError& e) {
    err << e.what() << "\n";
    return 1;
  } catch (const SilentAbort&) {
    return 2;
  }
}

}  // namespace hehun::cli
