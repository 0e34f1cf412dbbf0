#include "cli/commands.h"

#include <cstdio>
#include <functional>
#include <iostream>
#include <map>
#include <sstream>

#include "bazi/chart.h"
#include "calendar/date.h"
#include "calendar/ganzhi.h"
#include "calendar/lunar_calc.h"
#include "refdb/refdb.h"
#include "refdb/text.h"

namespace hehun::cli {

namespace {

using Command = std::function<int(const std::vector<std::string>&, std::istream&, std::ostream&, std::ostream&)>;

// lunar: lines "YYYY-MM-DD" in, "YEAR MONTH DAY LEAP" out.
int Lunar(const std::vector<std::string>&, std::istream& in, std::ostream& out, std::ostream&) {
  std::string line;
  while (std::getline(in, line)) {
    if (Trim(line).empty()) continue;
    try {
      const LunarDate d = SolarToLunar(ParseDateText(line));
      out << d.Year << ' ' << d.Month << ' ' << d.Day << ' ' << (d.IsLeap ? 1 : 0) << '\n';
    } catch (const ConversionError& e) {
      out << "ERROR " << e.what() << '\n';
    }
  }
  return 0;
}

// solar: lines "YEAR MONTH DAY LEAP" in, "YYYY-MM-DD" out.
int Solar(const std::vector<std::string>&, std::istream& in, std::ostream& out, std::ostream&) {
  std::string line;
  while (std::getline(in, line)) {
    if (Trim(line).empty()) continue;
    std::istringstream fields(line);
    std::string y, m, d, leap, extra;
    fields >> y >> m >> d >> leap;
    try {
      if (leap.empty() || (fields >> extra)) throw ConversionError("“" + line + "”不是“年 月 日 闰”四个整数");
      const LunarDate lunar{ParseIntText(y), ParseIntText(m), ParseIntText(d), ParseIntText(leap) != 0};
      out << FormatDate(LunarToSolar(lunar)) << '\n';
    } catch (const ConversionError& e) {
      out << "ERROR " << e.what() << '\n';
    }
  }
  return 0;
}

// solarterms YEAR: the 24 terms of the year as stored in the reference data.
int SolarTerms(const std::vector<std::string>& args, std::istream&, std::ostream& out, std::ostream& err) {
  if (args.size() != 2) {
    err << "用法：hehun-cli solarterms 年份\n";
    return 2;
  }
  const int year = ParseIntText(args[1]);
  RefDb db;
  std::ostringstream text;
  for (auto name : kSolarTermNames) {
    const Row row = db.First(Unguarded{}, RefFile::kTgcode,
                             "SELECT SJ FROM JQ WHERE YearA = ? AND JQ = ? ORDER BY rowid LIMIT 1",
                             {static_cast<long long>(year), std::string(name)});
    if (!row.found()) {
      err << year << "年的节气不在数据范围（1900至2100年）内\n";
      return 1;
    }
    text << name << ' ' << row.Text("SJ") << '\n';
  }
  out << text.str();
  return 0;
}

// pillars: lines "YYYY-MM-DD HH:MM 男|女" in; for each the four pillars, the
// conception pillar, 顺 or 逆 and the start age; "ERROR" and the message for a
// refused line.
int Pillars(const std::vector<std::string>&, std::istream& in, std::ostream& out, std::ostream&) {
  RefDb db;
  std::string line;
  std::string text;
  while (std::getline(in, line)) {
    if (Trim(line).empty()) continue;
    std::istringstream fields(line);
    std::string date, time, sex;
    fields >> date >> time >> sex;
    CapturedMessages messages;
    try {
      int y = 0, m = 0, d = 0, h = 0, mi = 0;
      char dash1 = 0, dash2 = 0, colon = 0;
      std::istringstream ds(date), ts(time);
      if (!(ds >> y >> dash1 >> m >> dash2 >> d) || dash1 != '-' || dash2 != '-' || !(ts >> h >> colon >> mi) ||
          colon != ':')
        throw ConversionError("“" + Trim(line) + "”不是“YYYY-MM-DD HH:MM 性别”");
      BaziChart chart;
      if (!ComputeBazi(chart, db, messages, y, m, d, h, 0, mi, sex)) {
        text += "ERROR " + messages.entries.front().text + "\n";
        continue;
      }
      text += chart.YearStem + chart.YearBranch + " " + chart.MonthStem + chart.MonthBranch + " " + chart.DayStem +
              chart.DayBranch + " " + chart.HourStem + chart.HourBranch + " " + Trim(chart.ConceptionPillar) + " " +
              (chart.LuckReverse ? "逆" : "顺") + " " + chart.StartAgeText + "\n";
    } catch (const ConversionError& e) {
      text += std::string("ERROR ") + e.what() + "\n";
    }
  }
  out << text;
  return 0;
}

const std::map<std::string, Command>& Commands() {
  static const std::map<std::string, Command> commands = {
      {"lunar", Lunar},
      {"solar", Solar},
      {"solarterms", SolarTerms},
      {"pillars", Pillars},
  };
  return commands;
}

}  // namespace

std::string Usage() {
  return "用法：hehun-cli 命令 [参数]\n"
         "  lunar                 标准输入每行 YYYY-MM-DD，输出农历“年 月 日 闰”\n"
         "  solar                 标准输入每行“年 月 日 闰”，输出公历日期\n"
         "  solarterms 年份       输出该年二十四节气的交节时刻（北京时间）\n"
         "  pillars               标准输入每行“YYYY-MM-DD HH:MM 男|女”，输出四柱、胎元、顺逆和起运岁数\n";
}

int Run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
  auto it = Commands().find(args[0]);
  if (it == Commands().end()) {
    err << "未知命令：" << args[0] << "\n" << Usage();
    return 2;
  }
  return it->second(args, in, out, err);
}

}  // namespace hehun::cli
