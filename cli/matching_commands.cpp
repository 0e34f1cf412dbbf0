#include "cli/matching_commands.h"

#include <functional>
#include <ostream>

#include "bazi/matching.h"
#include "reports/match_lines.h"
#include "refdb/ganzhi.h"
#include "refdb/refdb.h"

namespace hehun::cli {

namespace {

using Writer = void (*)(LineSink&, RefDb&, int, int);

// Two names after the subcommand, each turned into an index by `indexOf`
// (-1 for a name it does not know); prints the result lines.
int RunMatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, const char* what,
             const char* names, const std::function<int(const std::string&)>& indexOf, Writer write) {
  if (args.size() != 3) {
    err << "用法：hehun-cli " << args[0] << ' ' << what << ' ' << what << "（" << what << "为" << names << "之一）\n";
    return 2;
  }
  const int a = indexOf(args[1]), b = indexOf(args[2]);
  for (int i : {1, 2})
    if ((i == 1 ? a : b) < 0) {
      err << "“" << args[i] << "”不是" << what << "，应为" << names << "之一。\n";
      return 1;
    }
  RefDb db;
  LineList lines;
  write(lines, db, a, b);
  for (const auto& line : lines.lines()) out << line << '\n';
  return 0;
}

}  // namespace

int ZodiacMatchCommand(const std::vector<std::string>& args, std::istream&, std::ostream& out, std::ostream& err) {
  return RunMatch(
      args, out, err, "生肖", "鼠、牛、虎、兔、龙、蛇、马、羊、猴、鸡、狗、猪",
      [](const std::string& s) { return IndexOf(kZodiacAnimals, s); }, WriteZodiacMatch);
}

int SignMatchCommand(const std::vector<std::string>& args, std::istream&, std::ostream& out, std::ostream& err) {
  return RunMatch(
      args, out, err, "星座",
      "白羊座、金牛座、双子座、巨蟹座、狮子座、处女座、天秤座、天蝎座、射手座、摩羯座、水瓶座、双鱼座",
      [](const std::string& s) { return SignIndex(s); }, WriteSignMatch);
}

int BloodMatchCommand(const std::vector<std::string>& args, std::istream&, std::ostream& out, std::ostream& err) {
  return RunMatch(
      args, out, err, "血型", "A、B、O、AB", [](const std::string& s) { return BloodTypeIndex(s); }, WriteBloodMatch);
}

}  // namespace hehun::cli
