#include "cli/entry.h"

#include <iostream>
#include <optional>
#include <sstream>

#include "cli/commands.h"
#include "cli/script_options.h"
#include "refdb/chinese_script.h"
#include "refdb/messages.h"

namespace hehun::cli {

namespace {

int RunInSimplified(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
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

}  // namespace

int RunCommandLine(std::vector<std::string> args, std::istream& in, std::ostream& out, std::ostream& err) {
  ScriptOptions script;
  if (auto misuse = TakeScriptOptions(args, script)) {
    err << *misuse << "\n";
    return 2;
  }
  if (!script.traditional) return RunInSimplified(args, in, out, err);

  // The command writes in Simplified Chinese; its answer and its messages
  // are converted on the way out, the typed texts kept as typed.
  std::optional<TraditionalConverter> converter;
  try {
    converter.emplace(script.variant);
  } catch (const UserError& e) {
    err << e.what() << "\n";
    return 1;
  }
  std::ostringstream answer, messages;
  TakeKeptAsTyped();
  const int status = RunInSimplified(args, in, answer, messages);
  auto typed = TypedTexts(args);
  for (auto& stored : TakeKeptAsTyped()) typed.push_back(std::move(stored));
  out << converter->Convert(answer.str(), typed);
  err << converter->Convert(messages.str(), typed);
  return status;
}

}  // namespace hehun::cli
