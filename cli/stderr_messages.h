// Messages of the command line: every box the windows would show becomes a
// line on standard error.
#pragma once

#include <ostream>
#include <string_view>

#include "refdb/messages.h"

namespace hehun::cli {

class StderrMessages : public Messages {
 public:
  explicit StderrMessages(std::ostream& err) : err_(err) {}
  void ShowInfo(std::string_view text) override { err_ << text << '\n'; }
  void Notice(std::string_view text) override { err_ << text << '\n'; }
  void ShowError(std::string_view text) override { err_ << text << '\n'; }

 private:
  std::ostream& err_;
};

}  // namespace hehun::cli
