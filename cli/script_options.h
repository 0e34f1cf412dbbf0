// The command line's choice of script: --traditional (with --variant tw|hk)
// anywhere before or after the command prints everything in Traditional
// Chinese, except the texts the user typed (names, places, notes), which are
// printed as typed.
#pragma once

#include <optional>
#include <string>
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

}  // namespace hehun::cli
