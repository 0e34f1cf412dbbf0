#include "cli/script_options.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "cli/arg_text.h"

namespace hehun::cli {

namespace {

// Options whose value is a typed name, place, note or search text.
constexpr std::array<std::string_view, 9> kTypedValueOptions = {
    "--name", "--place", "--man-place", "--woman-place", "--note", "--find", "--tag", "--man", "--woman"};

// Commands whose plain arguments are typed texts.
constexpr std::array<std::string_view, 5> kTypedArgumentCommands = {"nickname", "yuanfen", "wuxing",
                                                                   "dream",    "place"};

void AddTyped(std::vector<std::string>& typed, std::string_view text) {
  if (!text.empty()) typed.emplace_back(text);
}

}  // namespace

std::optional<std::string> TakeScriptOptions(std::vector<std::string>& args, ScriptOptions& options) {
  std::vector<std::string> rest;
  bool variant_given = false;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--traditional") {
      options.traditional = true;
    } else if (args[i] == "--variant") {
      if (i + 1 >= args.size()) return "--variant 之后缺少 tw 或 hk";
      if (!ParseTraditionalVariant(args[i + 1], options.variant) || args[i + 1].empty())
        return "--variant 只能是 tw（台湾用字）或 hk（香港用字）";
      variant_given = true;
      ++i;
    } else {
      rest.push_back(args[i]);
    }
  }
  if (variant_given && !options.traditional) return "--variant 须与 --traditional 一起使用";
  args = std::move(rest);
  return std::nullopt;
}

std::vector<std::string> TypedTexts(const std::vector<std::string>& args) {
  std::vector<std::string> typed;
  const bool plain_arguments_typed =
      !args.empty() && std::find(kTypedArgumentCommands.begin(), kTypedArgumentCommands.end(), args[0]) !=
                           kTypedArgumentCommands.end();
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool is_option = arg.size() > 2 && arg.rfind("--", 0) == 0;
    if (is_option && i + 1 < args.size() &&
        std::find(kTypedValueOptions.begin(), kTypedValueOptions.end(), arg) != kTypedValueOptions.end()) {
      const std::string& value = args[++i];
      if (arg == "--man" || arg == "--woman") {
        // NAME,DATE,TIME[,lunar][,PLACE]: the name and the place are typed texts.
        const auto pieces = SplitAtCommas(value);
        if (!pieces.empty()) AddTyped(typed, pieces.front());
        if (pieces.size() >= 5) AddTyped(typed, pieces[4]);
      } else {
        AddTyped(typed, value);
      }
    } else if (plain_arguments_typed && !is_option) {
      AddTyped(typed, arg);
    }
  }
  return typed;
}

namespace {
std::vector<std::string>& KeptAsTyped() {
  static std::vector<std::string> kept;
  return kept;
}
}  // namespace

void KeepAsTyped(std::string_view text) {
  if (!text.empty()) KeptAsTyped().emplace_back(text);
}

std::vector<std::string> TakeKeptAsTyped() { return std::exchange(KeptAsTyped(), {}); }

}  // namespace hehun::cli
