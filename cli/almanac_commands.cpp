#include "cli/almanac_commands.h"

#include <ctime>
#include <iostream>
#include <map>

#include "almanac/almanac_view.h"
#include "almanac/wedding_days.h"
#include "calendar/date.h"
#include "cli/arg_text.h"
#include "cli/stderr_messages.h"

namespace hehun::cli {

namespace {

class Printed : public LineSink {
 public:
  std::string text;

 protected:
  void AppendLine(std::string line) override { text += line + "\n"; }
};

// "[NAME,]YYYY-MM-DD[,lunar]" as the controls of one row would hold it.
BirthRowTexts Partner(const std::string& value, const std::string& side) {
  std::vector<std::string> parts = SplitAtCommas(value);
  BirthRowTexts row;
  row.hour = "子 0";
  row.minute = "0";
  if (!parts.empty() && parts.back() == "lunar") {
    row.calendarIndex = 1;
    parts.pop_back();
  }
  if (parts.size() == 2) {
    row.name = parts[0];
    parts.erase(parts.begin());
  } else {
    row.name = side;
  }
  if (parts.size() != 1) throw UserError("“" + value + "”应为 [姓名,]YYYY-MM-DD[,lunar]");
  if (!SplitDateText(parts[0], row.year, row.month, row.day))
    throw UserError("“" + parts[0] + "”应为 YYYY-MM-DD");
  return row;
}

}  // namespace

int AlmanacCommand(const std::vector<std::string>& args, std::istream&, std::ostream& out, std::ostream& err) {
  if (args.size() != 2) {
    err << "用法：hehun-cli almanac YYYY-MM-DD\n";
    return 2;
  }
  const std::string& date = args[1];
  AlmanacChoice choice;
  if (!SplitDateText(date, choice.year, choice.month, choice.day)) {
    choice.year = date;  // not a date: refused with the page's message
    choice.month = choice.day = "?";
  }
  StderrMessages messages(err);
  RefDb db;
  std::string headline;
  Printed lines;
  switch (ViewAlmanacDay(choice, messages, db, headline, lines)) {
    case AlmanacOutcome::kShown:
      out << lines.text;
      return 0;
    case AlmanacOutcome::kRefused:
      return 1;
    case AlmanacOutcome::kNoDay:
      err << date << "：黄历中没有这一天（收录1901年至2100年）\n";
      return 1;
  }
  return 1;
}

int WeddingDaysCommand(const std::vector<std::string>& args, std::istream&, std::ostream& out, std::ostream& err) {
  std::map<std::string, std::string> options;
  for (size_t i = 1; i + 1 < args.size(); i += 2) options[args[i]] = args[i + 1];
  const bool complete = args.size() % 2 == 1 && options.count("--man") && options.count("--woman");
  if (!complete) {
    err << "用法：hehun-cli weddingdays --man [姓名,]YYYY-MM-DD[,lunar] --woman [姓名,]YYYY-MM-DD[,lunar] "
           "[--from YYYY-MM-DD] [--range 三月以内] [--purpose 结婚|订婚] [--kind 宜|忌]\n";
    return 2;
  }
  auto option = [&](const char* name, const char* fallback) {
    auto it = options.find(name);
    return it == options.end() ? std::string(fallback) : it->second;
  };
  Ymd from;
  if (options.count("--from")) {
    from = DecodeDate(ParseDateText(options.at("--from")));
  } else {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    from = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
  }
  WeddingSearch search{Partner(options.at("--man"), "男方"), Partner(options.at("--woman"), "女方"),
                       option("--range", "三月以内"), option("--purpose", "结婚"), option("--kind", "宜")};
  StderrMessages messages(err);
  RefDb db;
  Printed lines;
  if (!RunWeddingDaySearch(search, lines, messages, db, from)) return 1;
  out << lines.text;
  return 0;
}

}  // namespace hehun::cli
