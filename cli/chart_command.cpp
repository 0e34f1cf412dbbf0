#include "cli/chart_command.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <ostream>

#include "bazi/placed_chart.h"
#include "refdb/ganzhi.h"
#include "calendar/birth_row.h"
#include "calendar/lunar_calc.h"
#include "cli/arg_text.h"
#include "cli/place_command.h"
#include "cli/stderr_messages.h"
#include "refdb/lookups.h"
#include "refdb/refdb.h"
#include "refdb/text.h"

namespace hehun::cli {

namespace {

constexpr const char* kUsage =
    "用法：hehun-cli chart --date YYYY-MM-DD --time HH:MM --sex 男|女 [--lunar [--leap]] "
    "[--place 地名 | --longitude 经度 [--utc-offset 时区小时]] [--no-solar-time] [--json]\n";

std::map<std::string, std::string> ChartOptions(const std::vector<std::string>& args) {
  static const std::vector<std::string> kFlags = {"--lunar", "--leap", "--no-solar-time", "--json"};
  static const std::vector<std::string> kValued = {"--date", "--time", "--sex", "--place", "--longitude",
                                                   "--utc-offset"};
  std::map<std::string, std::string> options;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (std::find(kFlags.begin(), kFlags.end(), a) != kFlags.end()) {
      options[a] = "1";
    } else if (std::find(kValued.begin(), kValued.end(), a) != kValued.end()) {
      if (i + 1 >= args.size()) throw UserError("参数 " + a + " 缺少取值");
      options[a] = args[++i];
    } else {
      throw UserError("无法识别的参数：" + a);
    }
  }
  return options;
}

// "HH:MM" → hour and minute; throws ConversionError otherwise.
void ReadClock(const std::string& text, int& hour, int& minute) {
  const std::string t = Trim(text);
  const size_t colon = t.find(':');
  if (colon == std::string::npos) throw ConversionError("“" + text + "”不是“HH:MM”形式的时间");
  hour = ParseIntText(t.substr(0, colon));
  minute = ParseIntText(t.substr(colon + 1));
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59) throw ConversionError("“" + text + "”不是有效的时间");
}

std::string Json(std::string_view s) {
  std::string out = "\"";
  for (const char ch : s) {
    switch (ch) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      default:
        if (static_cast<unsigned char>(ch) < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", ch);
          out += buf;
        } else {
          out += ch;
        }
    }
  }
  return out + "\"";
}

std::string Number(double value, int decimals) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
  return buf;
}

// The two branches of the day pillar's decade (旬) that it lacks: 甲子旬 → 戌亥.
std::string VoidBranches(const BaziChart& c) {
  const int stem = IndexOf(kCalendarStems, c.DayStem);
  const int branch = IndexOf(kCalendarBranches, c.DayBranch);
  const int first = Mod(branch - stem + 10, 12);
  return std::string(kCalendarBranches[first]) + std::string(kCalendarBranches[(first + 1) % 12]);
}

struct ChartFacts {
  std::array<std::string, 4> pillars, stems, tenGods, nayin;
  std::array<std::vector<std::pair<std::string, std::string>>, 4> hidden;  // stem, ten god
};

ChartFacts FactsOf(const BaziChart& c, RefDb& db) {
  ChartFacts f;
  f.stems = {c.YearStem, c.MonthStem, c.DayStem, c.HourStem};
  f.pillars = {c.YearStem + c.YearBranch, c.MonthStem + c.MonthBranch, c.DayStem + c.DayBranch,
               c.HourStem + c.HourBranch};
  for (int p = 0; p < 4; ++p) {
    f.tenGods[p] = p == 2 ? "日元" : TenGodOf(db, c.DayStem + f.stems[p]);
    f.nayin[p] = NayinOf(db, f.pillars[p]);
    for (int k = 0; k < 3; ++k) {
      const std::string stem = Utf8CharAt(c.HiddenStems[p], k);
      if (Trim(stem).empty()) break;
      f.hidden[p].emplace_back(stem, TenGodOf(db, c.DayStem + stem));
    }
  }
  return f;
}

std::string JsonOf(const PlacedChart& pc, const ChartFacts& f) {
  const BaziChart& c = pc.chart;
  const BirthTime& t = pc.time;
  const auto list = [](const std::array<std::string, 4>& items) {
    std::string s = "[";
    for (size_t i = 0; i < items.size(); ++i) s += (i ? ", " : "") + Json(items[i]);
    return s + "]";
  };
  std::string j = "{\n";
  if (pc.has_place) {
    j += "  \"place\": {\"name\": " +
         Json(pc.place.name.empty() ? "东经" + Number(pc.place.degrees_east, 4) + "°" : pc.place.name) +
         ", \"longitude\": " + Number(pc.place.degrees_east, 6) +
         ", \"latitude\": " + (pc.place.has_latitude ? Number(pc.place.degrees_north, 6) : std::string("null")) +
         ", \"time_zone\": " + (pc.place.time_zone.empty() ? std::string("null") : Json(pc.place.time_zone)) + "},\n";
  } else {
    j += "  \"place\": null,\n";
  }
  j += "  \"clock_time\": " + Json(MinuteText(t.clock)) + ",\n";
  j += "  \"dst\": " + std::string(t.dst ? "true" : "false") + ",\n";
  j += "  \"dst_minutes\": " + std::to_string(t.dst_minutes) + ",\n";
  j += "  \"repeated_clock_time\": " + std::string(t.repeated ? "true" : "false") + ",\n";
  j += "  \"utc_offset_minutes\": " + std::to_string(t.utc_offset_minutes) + ",\n";
  j += "  \"beijing_time\": " + Json(MinuteText(t.beijing)) + ",\n";
  j += "  \"true_solar_time\": " + (pc.has_place ? Json(MinuteText(t.true_solar)) : std::string("null")) + ",\n";
  j += "  \"equation_of_time_minutes\": " + (pc.has_place ? Number(t.equation_of_time_minutes, 2) : "null") + ",\n";
  j += "  \"solar_time_used\": " + std::string(pc.solar_time_used ? "true" : "false") + ",\n";
  j += "  \"pillar_time\": " + Json(MinuteText(pc.pillar_time)) + ",\n";
  j += "  \"pillars\": " + list(f.pillars) + ",\n";
  j += "  \"ten_gods\": " + list(f.tenGods) + ",\n";
  j += "  \"hidden_stems\": [";
  for (int p = 0; p < 4; ++p) {
    j += p ? ", [" : "[";
    for (size_t k = 0; k < f.hidden[p].size(); ++k)
      j += (k ? ", " : "") + std::string("{\"stem\": ") + Json(f.hidden[p][k].first) +
           ", \"ten_god\": " + Json(f.hidden[p][k].second) + "}";
    j += "]";
  }
  j += "],\n";
  j += "  \"nayin\": " + list(f.nayin) + ",\n";
  j += "  \"kongwang\": " + Json(VoidBranches(c)) + ",\n";
  j += "  \"conception_pillar\": " + Json(Trim(c.ConceptionPillar)) + ",\n";
  j += "  \"luck\": {\"direction\": " + Json(c.LuckReverse ? "逆" : "顺") + ", \"start\": {\"years\": " +
       std::to_string(pc.luck.years) + ", \"months\": " + std::to_string(pc.luck.months) +
       ", \"days\": " + std::to_string(pc.luck.days) + "}, \"start_date\": " + Json(FormatYmd(pc.luck.start)) +
       ", \"start_age\": " + std::to_string(c.StartAge) + ", \"pillars\": [";
  const auto pillars = LuckPillarsFrom(c, pc.luck);
  for (size_t k = 0; k < pillars.size(); ++k)
    j += (k ? ", " : "") + std::string("{\"ganzhi\": ") + Json(pillars[k].ganzhi) +
         ", \"start_date\": " + Json(FormatYmd(pillars[k].start)) + "}";
  j += "]}";
  const std::string note = DaylightSavingNote(t);
  if (!note.empty()) j += ",\n  \"note\": " + Json(note);
  return j + "\n}\n";
}

std::string TextOf(const PlacedChart& pc, const ChartFacts& f) {
  const BaziChart& c = pc.chart;
  std::string s;
  if (pc.has_place) {
    s += "出生地：" + (pc.place.name.empty() ? "东经" + Number(pc.place.degrees_east, 2) + "°" : pc.place.name) + "\n";
    s += "钟表时间：" + MinuteText(pc.time.clock) + "\n";
    const std::string note = DaylightSavingNote(pc.time);
    s += "北京时间：" + MinuteText(pc.time.beijing) + (note.empty() ? "" : "（" + note + "）") + "\n";
    s += "真太阳时：" + MinuteText(pc.time.true_solar) + (pc.solar_time_used ? "" : "（未用于排盘）") + "\n";
  } else {
    s += "北京时间：" + MinuteText(pc.time.clock) + "\n";
  }
  s += "八字：" + f.pillars[0] + " " + f.pillars[1] + " " + f.pillars[2] + " " + f.pillars[3] + "\n";
  s += "十神：" + f.tenGods[0] + " " + f.tenGods[1] + " " + f.tenGods[2] + " " + f.tenGods[3] + "\n";
  s += "藏干：";
  for (int p = 0; p < 4; ++p) {
    s += p ? " " : "";
    for (const auto& [stem, god] : f.hidden[p]) s += stem + god;
  }
  s += "\n纳音：" + f.nayin[0] + " " + f.nayin[1] + " " + f.nayin[2] + " " + f.nayin[3] + "\n";
  s += "旬空：" + VoidBranches(c) + "\n";
  s += "大运：" + std::string(c.LuckReverse ? "逆行" : "顺行") + "，" + LuckSpanText(pc.luck) + "\n";
  for (const auto& p : LuckPillarsFrom(c, pc.luck)) s += "  " + p.ganzhi + " " + ChineseDateText(p.start) + "起\n";
  return s;
}

}  // namespace

int ChartCommand(const std::vector<std::string>& args, std::istream&, std::ostream& out, std::ostream& err) {
  const auto options = ChartOptions(args);
  if (!options.count("--date") || !options.count("--time") || !options.count("--sex")) {
    err << kUsage;
    return 2;
  }
  const std::string sex = Trim(options.at("--sex"));
  if (sex != "男" && sex != "女") throw UserError("性别“" + options.at("--sex") + "”应为“男”或“女”");
  int hour = 0, minute = 0;
  ReadClock(options.at("--time"), hour, minute);
  Ymd date;
  if (options.count("--lunar")) {
    const std::string t = Trim(options.at("--date"));
    // "2023-2-15", or a leap month as "2023-闰2-15" (the same as --leap).
    std::string yearText, monthText, dayText;
    bool leap = false;
    int y = 0, m = 0, d = 0;
    if (!SplitDateText(t, yearText, monthText, dayText) || (m = LunarMonthOfText(monthText, leap)) == 0 ||
        std::sscanf(yearText.c_str(), "%d", &y) != 1 || std::sscanf(dayText.c_str(), "%d", &d) != 1)
      throw ConversionError("“" + t + "”不是农历日期 YYYY-MM-DD（闰月写作 YYYY-闰M-DD）");
    leap = leap || options.count("--leap") > 0;
    const DateValue solar = LunarToSolar(LunarDate{y, m, d, leap});
    if (solar < EncodeDate(1900, 1, 1)) throw ConversionError("农历" + t + (leap ? "（闰月）" : "") + "不存在");
    date = DecodeDate(solar);
  } else {
    date = DecodeDate(ParseDateText(options.at("--date")));
  }
  const std::optional<BirthPlace> place = PlaceOfOptions(options);
  StderrMessages messages(err);
  RefDb db;
  PlacedChart chart;
  if (!ComputeChartAtPlace(chart, db, messages, date.year, date.month, date.day, hour, minute, sex,
                           place ? &*place : nullptr, !options.count("--no-solar-time")))
    return 1;
  const ChartFacts facts = FactsOf(chart.chart, db);
  out << (options.count("--json") ? JsonOf(chart, facts) : TextOf(chart, facts));
  return 0;
}

}  // namespace hehun::cli
