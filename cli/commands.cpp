#include "cli/commands.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <iostream>
#include <map>
#include <sstream>

#include "bazi/chart.h"
#include "calendar/date.h"
#include "refdb/ganzhi.h"
#include "calendar/lunar_calc.h"
#include "cli/almanac_commands.h"
#include "cli/arg_text.h"
#include "cli/chart_command.h"
#include "cli/cnday.h"
#include "cli/divination_commands.h"
#include "cli/folk_commands.h"
#include "cli/matching_commands.h"
#include "cli/pillars_command.h"
#include "cli/place_command.h"
#include "cli/records_commands.h"
#include "cli/stderr_messages.h"
#include "refdb/refdb.h"
#include "refdb/text.h"
#include "reports/marriage_report.h"
#include "reports/personal_report.h"

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


// Options "--name value" after the subcommand; flags have no value.
std::map<std::string, std::string> Options(const std::vector<std::string>& args, const std::vector<std::string>& flags) {
  std::map<std::string, std::string> options;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.rfind("--", 0) != 0) throw UserError("无法识别的参数：" + a);
    if (std::find(flags.begin(), flags.end(), a) != flags.end()) {
      options[a] = "1";
    } else {
      if (i + 1 >= args.size()) throw UserError("参数 " + a + " 缺少取值");
      options[a] = args[++i];
    }
  }
  return options;
}

Ymd Today(const std::map<std::string, std::string>& options) {
  auto it = options.find("--today");
  if (it != options.end()) return DecodeDate(ParseDateText(it->second));
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::string WithoutLeadingZeros(const std::string& s) {
  const std::string t = Trim(s);
  size_t i = 0;
  while (i + 1 < t.size() && t[i] == '0') ++i;
  return t.substr(i);
}

// The hour item of the hour list for a clock hour: "子 0", "丑 1" … "子 23".
std::string HourItem(const std::string& hourText) {
  const std::string h = WithoutLeadingZeros(hourText);
  int hour = -1;
  try {
    hour = ParseIntText(h);
  } catch (const ConversionError&) {
    return h;  // passed on as typed; the report names it
  }
  if (hour < 0 || hour > 23) return h;
  return std::string(kCalendarBranches[((hour + 1) / 2) % 12]) + " " + std::to_string(hour);
}

// "NAME,YYYY-MM-DD,HH:MM[,lunar]" as the controls of one row would hold it.
BirthRowTexts RowOfOption(const std::string& value) {
  const std::vector<std::string> parts = SplitAtCommas(value);
  if (parts.size() < 3 || parts.size() > 5 || (parts.size() >= 4 && parts[3] != "lunar" && !parts[3].empty()))
    throw UserError("“" + value + "”应为 姓名,YYYY-MM-DD,HH:MM[,lunar][,出生地]");
  BirthRowTexts row;
  row.name = parts[0];
  row.calendarIndex = parts.size() >= 4 && parts[3] == "lunar" ? 1 : 0;
  if (parts.size() == 5) row.place = parts[4];
  std::string year, month, day;
  if (!SplitDateText(parts[1], year, month, day)) throw UserError("“" + parts[1] + "”应为 YYYY-MM-DD");
  row.year = WithoutLeadingZeros(year);
  row.month = WithoutLeadingZeros(month);
  row.day = WithoutLeadingZeros(day);
  const std::string& time = parts[2];
  const size_t colon = time.find(':');
  if (colon == std::string::npos) throw UserError("“" + time + "”应为 HH:MM");
  row.hour = HourItem(time.substr(0, colon));
  row.minute = WithoutLeadingZeros(time.substr(colon + 1));
  return row;
}

void PrintLines(const LineList& list, std::ostream& out) {
  std::string text;
  for (const auto& line : list.lines()) text += line + "\n";
  out << text;
}

// marriage: the marriage report as the report area shows it.
int Marriage(const std::vector<std::string>& args, std::istream&, std::ostream& out, std::ostream& err) {
  const auto options = Options(args, {"--no-solar-time"});
  if (!options.count("--man") || !options.count("--woman")) {
    err << "用法：hehun-cli marriage --man 姓名,YYYY-MM-DD,HH:MM[,lunar][,出生地] --woman 姓名,YYYY-MM-DD,HH:MM[,lunar][,出生地] "
           "[--man-place 出生地] [--woman-place 出生地] [--man-blood 血型 --woman-blood 血型] [--no-solar-time] "
           "[--today YYYY-MM-DD]\n";
    return 2;
  }
  BirthRowTexts manRow = RowOfOption(options.at("--man"));
  BirthRowTexts womanRow = RowOfOption(options.at("--woman"));
  if (options.count("--man-place")) manRow.place = options.at("--man-place");
  if (options.count("--woman-place")) womanRow.place = options.at("--woman-place");
  if (options.count("--man-blood")) manRow.blood = options.at("--man-blood");
  if (options.count("--woman-blood")) womanRow.blood = options.at("--woman-blood");
  manRow.trueSolarTime = womanRow.trueSolarTime = !options.count("--no-solar-time");
  const Ymd today = Today(options);
  StderrMessages messages(err);
  RefDb db;
  ReportArea area;
  MarriageHiddenLists hidden;
  int status = 0;
  try {
    const ReportResult r =
        RunMarriageReport(manRow, womanRow, area, hidden, messages, db, today);
    status = r.end == ReportEnd::kComplete ? 0 : 1;
  } catch (const UserError& e) {
    err << e.what() << '\n';
    status = 1;
  } catch (const SilentAbort&) {
    status = 2;
  }
  PrintLines(area, out);
  return status;
}

// personal: the personal report, Bazi or star sign.
int Personal(const std::vector<std::string>& args, std::istream&, std::ostream& out, std::ostream& err) {
  const auto options = Options(args, {"--lunar", "--star", "--no-solar-time"});
  for (const char* required : {"--date", "--time"})
    if (!options.count(required)) {
      err << "用法：hehun-cli personal --name 姓名 --sex 男|女 --date YYYY-MM-DD --time HH:MM [--lunar] [--star] "
             "[--place 出生地 | --longitude 经度 [--utc-offset 时区小时]] [--no-solar-time] [--today YYYY-MM-DD]\n";
      return 2;
    }
  const std::string name = options.count("--name") ? options.at("--name") : "";
  const std::string sex = options.count("--sex") ? options.at("--sex") : "男";
  BirthRowTexts row = RowOfOption(name + "," + options.at("--date") + "," + options.at("--time"));
  PersonalInput input{row.name, "", sex, options.count("--lunar") ? 1 : 0, row.year, row.month, row.day, row.hour,
                      row.minute};
  if (options.count("--place") && options.count("--longitude")) throw UserError("--place 与 --longitude 只能给一个");
  if (options.count("--place")) input.place = options.at("--place");
  if (options.count("--longitude"))
    input.place = options.at("--longitude") + (options.count("--utc-offset") ? "/" + options.at("--utc-offset") : "");
  input.trueSolarTime = !options.count("--no-solar-time");
  StderrMessages messages(err);
  RefDb db;
  LineList report;
  if (!RunPersonalReport(input, options.count("--star") ? PersonalMode::kStarSign : PersonalMode::kBazi, report,
                         messages, db, Today(options)))
    return 1;
  PrintLines(report, out);
  return 0;
}

const std::map<std::string, Command>& Commands() {
  static const std::map<std::string, Command> commands = {
      {"lunar", Lunar},
      {"solar", Solar},
      {"solarterms", SolarTerms},
      {"pillars", PillarsCommand},
      {"chart", ChartCommand},
      {"place", PlaceCommand},
      {"marriage", Marriage},
      {"personal", Personal},
      {"number", NumberCommand},
      {"qq", QqCommand},
      {"mobile", MobileCommand},
      {"nickname", NicknameCommand},
      {"almanac", AlmanacCommand},
      {"weddingdays", WeddingDaysCommand},
      {"cnday", CnDay},
      {"zodiacmatch", ZodiacMatchCommand},
      {"signmatch", SignMatchCommand},
      {"bloodmatch", BloodMatchCommand},
      {"yuanfen", YuanfenCommand},
      {"qqyuanfen", QqYuanfenCommand},
      {"wuxing", WuxingCommand},
      {"dream", DreamCommand},
      {"records", RecordsCommand},
  };
  return commands;
}

}  // namespace

std::string Usage() {
  return "用法：hehun-cli 命令 [参数]\n"
         "  help, --help          显示本说明\n"
         "  --version             显示版本号\n"
         "  --traditional [--variant tw|hk]   以繁体中文输出（台湾或香港用字），可放在命令之前或之后；\n"
         "                        输入的姓名、地名和备注照原样输出\n"
         "  lunar                 标准输入每行 YYYY-MM-DD，输出农历“年 月 日 闰”\n"
         "  solar                 标准输入每行“年 月 日 闰”，输出公历日期\n"
         "  solarterms 年份       输出该年二十四节气的交节时刻（北京时间）\n"
         "  cnday                 标准输入每行 YYYY-MM-DD，输出万年历文字：农历代码 月 日 生肖 节气 农历节日 公历节日 星座\n"
         "  pillars               标准输入每行“YYYY-MM-DD HH:MM 男|女”，输出四柱、胎元、顺逆和起运岁数\n"
         "  chart --date YYYY-MM-DD --time HH:MM --sex 男|女 [--lunar [--leap]] [--place 地名 | --longitude 经度\n"
         "        [--utc-offset 时区小时]] [--no-solar-time] [--json]   四柱命盘：有出生地时按当地时区扣除夏令时，\n"
         "        年柱月柱与起运按出生时刻（北京时间）对节气，日柱时柱按真太阳时；--json 输出一个 JSON 对象\n"
         "  place 地名            列出与地名（全称、简称或开头几个字）相符的出生地及其经纬度、时区\n"
         "  marriage --man 姓名,YYYY-MM-DD,HH:MM[,lunar][,出生地] --woman ... [--today YYYY-MM-DD]   八字合婚报告\n"
         "        出生地也可用 --man-place 地名、--woman-place 地名 给出（如 --man 张三,1990-05-01,08:30,,成都）；\n"
         "        有出生地时报告加印出生地、北京时间、真太阳时与交运日期；--no-solar-time 不按真太阳时排日柱时柱\n"
         "        --man-blood 血型 --woman-blood 血型（A、B、O、AB）：两人血型都给出时，报告末尾加血型配对\n"
         "  personal --name 姓名 --sex 男|女 --date YYYY-MM-DD --time HH:MM [--lunar] [--star] [--today ...]\n"
         "        [--place 出生地 | --longitude 经度 [--utc-offset 时区小时]] [--no-solar-time]\n"
         "        农历闰月写作 YYYY-闰M-DD：如 --man 张三,2023-闰2-15,08:30,lunar，或 --date 2023-闰2-15 --lunar\n"
         "  number 号码 | qq QQ号码 | mobile 手机号码   号码测算：号码、状态、吉凶、具体表现\n"
         "  nickname 网名         网名与性格\n"
         "  almanac YYYY-MM-DD     输出该日黄历（与黄历页面的十九行相同）\n"
         "  weddingdays --man [姓名,]YYYY-MM-DD[,lunar] --woman ... --from YYYY-MM-DD --range 三月以内 --purpose 结婚|订婚 --kind 宜|忌\n"
         "  zodiacmatch 生肖 生肖   生肖配对，如 zodiacmatch 鼠 牛\n"
         "  signmatch 星座 星座     星座配对，如 signmatch 白羊座 狮子座\n"
         "  bloodmatch 血型 血型    血型配对，如 bloodmatch A AB\n"
         "  yuanfen 姓名 姓名       缘分测试（姓名笔画相加），如 yuanfen 张三 李四\n"
         "  qqyuanfen QQ号 QQ号     QQ号缘分（两号之和按八十一数理）\n"
         "  wuxing 汉字            文字五行：每字的康熙笔画、五行、拼音、部首\n"
         "  dream 关键词 | dream --categories | dream --category 分类   周公解梦：查梦、分类及条数、按类浏览\n" +
         RecordsUsage();
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
