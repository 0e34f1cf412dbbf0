// The command line's choice of script: --traditional (with --variant tw|hk)
// anywhere before or after the command prints everything in Traditional
// Chinese, except the texts the user typed (names, places, notes), which are
// printed as typed.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "refdb/chinese_script.h"

namespace hehun::cli {

struct ScriptOptions {
  bool traditional = false;
  TraditionalVariant variant = TraditionalVariant::kStandard;
};

// Takes the script options out of the arguments. Returns the message for a
// misused option (an unknown variant, a variant without --traditional).
std::optional<std::string> TakeScriptOptions(std::vector<std::string>& args, ScriptOptions& options);

// The texts of the arguments that the user typed as names, places, notes or
// searched words, which the output must show unchanged.
std::vector<std::string> TypedTexts(const std::vector<std::string>& args);

// Texts the user once typed that a command prints from storage (the names,
// places, notes and tags of the records archive): under --traditional they
// are printed as typed, like the typed arguments. A command names each one
// as it prints it; the command line takes them after the command has run.
void KeepAsTyped(std::string_view text);
std::vector<std::string> TakeKeptAsTyped();

}  // namespace hehun::cli
