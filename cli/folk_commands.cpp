#include "cli/folk_commands.h"

#include <iostream>

#include "cli/stderr_messages.h"
#include "divination/character_element.h"
#include "divination/name_affinity.h"
#include "divination/qq_pair.h"

namespace hehun::cli {

namespace {

class StreamSink : public LineSink {
 public:
  explicit StreamSink(std::ostream& out) : out_(out) {}

 protected:
  void AppendLine(std::string line) override { out_ << line << '\n'; }

 private:
  std::ostream& out_;
};

}  // namespace

int YuanfenCommand(const std::vector<std::string>& args, std::istream&, std::ostream& out, std::ostream& err) {
  if (args.size() != 3) {
    err << "用法：hehun-cli yuanfen 姓名 姓名\n";
    return 2;
  }
  StderrMessages messages(err);
  StreamSink sink(out);
  return NameAffinityReport(args[1], args[2], messages, sink) ? 0 : 1;
}

int QqYuanfenCommand(const std::vector<std::string>& args, std::istream&, std::ostream& out, std::ostream& err) {
  if (args.size() != 3) {
    err << "用法：hehun-cli qqyuanfen QQ号码 QQ号码\n";
    return 2;
  }
  StderrMessages messages(err);
  StreamSink sink(out);
  return QqPairReport(args[1], args[2], messages, sink) ? 0 : 1;
}

int WuxingCommand(const std::vector<std::string>& args, std::istream&, std::ostream& out, std::ostream& err) {
  if (args.size() != 2) {
    err << "用法：hehun-cli wuxing 汉字\n";
    return 2;
  }
  StderrMessages messages(err);
  StreamSink sink(out);
  return CharacterElementReport(args[1], messages, sink) ? 0 : 1;
}

}  // namespace hehun::cli
