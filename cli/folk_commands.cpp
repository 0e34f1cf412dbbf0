#include "cli/folk_commands.h"

#include <iostream>

#include "cli/stderr_messages.h"
#include "divination/character_element.h"
#include "divination/name_affinity.h"
#include "divination/qq_pair.h"
#include "knowledge/dream_book.h"

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

int DreamCommand(const std::vector<std::string>& args, std::istream&, std::ostream& out, std::ostream& err) {
  const char* usage = "用法：hehun-cli dream 关键词… | dream --categories | dream --category 分类\n";
  if (args.size() < 2) {
    err << usage;
    return 2;
  }
  StderrMessages messages(err);
  RefDb db;
  LineList lines;  // printed only when the whole answer was read
  try {
    if (args[1] == "--categories") {
      if (args.size() != 2) {
        err << usage;
        return 2;
      }
      DreamCategoryReport(db, lines);
    } else if (args[1] == "--category") {
      if (args.size() != 3) {
        err << usage;
        return 2;
      }
      if (!DreamCategoryBrowse(db, args[2], messages, lines)) return 1;
    } else {
      std::string text;
      for (size_t i = 1; i < args.size(); ++i) text += (i > 1 ? " " : "") + args[i];
      if (!DreamSearchReport(db, text, messages, lines)) return 1;
    }
  } catch (const UserError& e) {
    err << e.what() << '\n';
    return 1;
  }
  for (const std::string& line : lines.lines()) out << line << '\n';
  return 0;
}

}  // namespace hehun::cli
