// Subcommands of the number and nickname divinations.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace hehun::cli {

// number N, qq N, mobile NUMBER: the four result rows of the dialog
// (caption, a tab, value).
int NumberCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
int QqCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
int MobileCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
// nickname TEXT: the two result lines of the nickname dialog.
int NicknameCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace hehun::cli
