#include "cli/divination_commands.h"

#include <iostream>

#include "divination/number_divination.h"
#include "divination/pinyin.h"
#include "refdb/text.h"
#include "cli/stderr_messages.h"

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

int RunNumber(NumberKind kind, const char* usage, const std::vector<std::string>& args, std::ostream& out,
              std::ostream& err) {
  if (args.size() != 2) {
    err << "用法：hehun-cli " << usage << "\n";
    return 2;
  }
  // The dialog's edit box holds no more than this.
  const NumberKindTexts& texts = TextsOf(kind);
  if (Utf8Length(args[1]) > texts.maxLength) {
    err << "号码最多" << texts.maxLength << "位：" << args[1] << '\n';
    return 1;
  }
  StderrMessages messages(err);
  RefDb db;
  try {
    const auto result = RunNumberDivination(kind, args[1], db, messages);
    if (!result) return 1;
    StreamSink sink(out);
    WriteNumberRows(sink, kind, *result);
  } catch (const UserError& e) {
    err << e.what() << '\n';
    return 1;
  } catch (const SilentAbort&) {
    return 2;
  }
  return 0;
}

}  // namespace

int NumberCommand(const std::vector<std::string>& args, std::istream&, std::ostream& out, std::ostream& err) {
  return RunNumber(NumberKind::kAny, "number 号码", args, out, err);
}

int QqCommand(const std::vector<std::string>& args, std::istream&, std::ostream& out, std::ostream& err) {
  return RunNumber(NumberKind::kQq, "qq QQ号码", args, out, err);
}

int MobileCommand(const std::vector<std::string>& args, std::istream&, std::ostream& out, std::ostream& err) {
  return RunNumber(NumberKind::kMobile, "mobile 手机号码", args, out, err);
}

int NicknameCommand(const std::vector<std::string>& args, std::istream&, std::ostream& out, std::ostream& err) {
  if (args.size() != 2) {
    err << "用法：hehun-cli nickname 网名\n";
    return 2;
  }
  const std::string name = Trim(args[1]);
  if (name.empty()) {
    err << kNicknameEmptyMessage << '\n';
    return 1;
  }
  const NicknameResult r = AnalyseNickname(name);
  out << r.nameLine << '\n' << r.traitLine << '\n';
  return 0;
}

}  // namespace hehun::cli
