// Subcommands of the folk tests: name affinity, QQ-number pair, character
// element, dream book.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace hehun::cli {

// yuanfen NAME NAME: the affinity test with its digit rows.
int YuanfenCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
// qqyuanfen QQ QQ: the 81-number entry of the pair.
int QqYuanfenCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
// wuxing TEXT: one line per character.
int WuxingCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
// dream WORDS... | dream --categories | dream --category NAME: the dream book.
int DreamCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace hehun::cli
