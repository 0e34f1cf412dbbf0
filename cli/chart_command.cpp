#include "cli/chart_command.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <map>
#include <ostream>

#include "bazi/chart_view.h"
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
    "[--place 地名 | --longitude 经度 [--utc-offset 时区小时]] [--no-solar-time] [--today YYYY-MM-DD] [--json]\n";

std::map<std::string, std::string> ChartOptions(const std::vector<std::string>& args) {
  static const std::vector<std::string> kFlags = {"--lunar", "--leap", "--no-solar-time", "--json"};
  static const std::vector<std::string> kValued = {"--date", "--time", "--sex", "--place", "--longitude",
                                                   "--utc-offset", "--today"};
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

// The day the running luck pillar is marked by: --today, or the computer's date.
Ymd TodayOf(const std::map<std::string, std::string>& options) {
  if (const auto it = options.find("--today"); it != options.end()) return DecodeDate(ParseDateText(it->second));
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
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

std::array<std::string, 4> PillarTexts(const ChartView& v, std::string (*text)(const ChartPillarView&)) {
  std::array<std::string, 4> out;
  for (int p = 0; p < 4; ++p) out[p] = text(v.pillars[p]);
  return out;
}

std::string PillarText(const ChartPillarView& p) { return p.stem + p.branch; }
std::string TenGodText(const ChartPillarView& p) { return p.ten_god; }
std::string NayinText(const ChartPillarView& p) { return p.nayin; }
std::string StageText(const ChartPillarView& p) { return p.stage; }

std::string JsonOf(const PlacedChart& pc, const ChartView& v) {
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
  j += "  \"pillars\": " + list(PillarTexts(v, PillarText)) + ",\n";
  j += "  \"ten_gods\": " + list(PillarTexts(v, TenGodText)) + ",\n";
  j += "  \"hidden_stems\": [";
  for (int p = 0; p < 4; ++p) {
    j += p ? ", [" : "[";
    const auto& hidden = v.pillars[p].hidden;
    for (size_t k = 0; k < hidden.size(); ++k)
      j += (k ? ", " : "") + std::string("{\"stem\": ") + Json(hidden[k].stem) +
           ", \"ten_god\": " + Json(hidden[k].ten_god) + "}";
    j += "]";
  }
  j += "],\n";
  j += "  \"nayin\": " + list(PillarTexts(v, NayinText)) + ",\n";
  j += "  \"kongwang\": " + Json(v.kongwang) + ",\n";
  j += "  \"twelve_stages\": " + list(PillarTexts(v, StageText)) + ",\n";
  j += "  \"shensha\": [";
  for (int p = 0; p < 4; ++p) {
    j += p ? ", [" : "[";
    for (size_t k = 0; k < v.pillars[p].shensha.size(); ++k) j += (k ? ", " : "") + Json(v.pillars[p].shensha[k]);
    j += "]";
  }
  j += "],\n";
  j += "  \"elements\": {";
  for (int e = 0; e < 5; ++e)
    j += (e ? ", " : "") + Json(kElementNames[e]) + ": " + std::to_string(v.elements[e]);
  j += "},\n";
  j += "  \"hidden_elements\": {";
  for (int e = 0; e < 5; ++e)
    j += (e ? ", " : "") + Json(kElementNames[e]) + ": " + std::to_string(v.hidden_elements[e]);
  j += "},\n";
  j += "  \"life_palace\": " + Json(v.life_palace) + ",\n";
  j += "  \"conception_pillar\": " + Json(Trim(c.ConceptionPillar)) + ",\n";
  j += "  \"luck\": {\"direction\": " + Json(c.LuckReverse ? "逆" : "顺") + ", \"start\": {\"years\": " +
       std::to_string(pc.luck.years) + ", \"months\": " + std::to_string(pc.luck.months) +
       ", \"days\": " + std::to_string(pc.luck.days) + "}, \"start_date\": " + Json(FormatYmd(pc.luck.start)) +
       ", \"start_age\": " + std::to_string(c.StartAge) + ", \"pillars\": [";
  for (size_t k = 0; k < v.luck.size(); ++k) {
    const ChartLuckView& l = v.luck[k];
    j += (k ? ", " : "") + std::string("{\"ganzhi\": ") + Json(l.ganzhi) +
         ", \"start_date\": " + Json(FormatYmd(l.start)) + ", \"start_age\": " + std::to_string(l.start_age) +
         ", \"years\": [";
    for (size_t i = 0; i < l.years.size(); ++i)
      j += (i ? ", " : "") + std::string("{\"year\": ") + std::to_string(l.years[i].year) +
           ", \"ganzhi\": " + Json(l.years[i].ganzhi) + "}";
    j += "]}";
  }
  j += "]}";
  const std::string note = DaylightSavingNote(t);
  if (!note.empty()) j += ",\n  \"note\": " + Json(note);
  return j + "\n}\n";
}

std::string TextOf(const PlacedChart& pc, const ChartView& v) {
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
  const auto row = [&](std::string (*text)(const ChartPillarView&)) {
    const auto t = PillarTexts(v, text);
    return t[0] + " " + t[1] + " " + t[2] + " " + t[3] + "\n";
  };
  s += "八字：" + row(PillarText);
  s += "十神：" + row(TenGodText);
  s += "藏干：";
  for (int p = 0; p < 4; ++p) {
    s += p ? " " : "";
    for (const auto& h : v.pillars[p].hidden) s += h.stem + h.ten_god;
  }
  s += "\n纳音：" + row(NayinText);
  s += "星运：" + row(StageText);
  s += "旬空：" + v.kongwang + "\n";
  s += "大运：" + std::string(c.LuckReverse ? "逆行" : "顺行") + "，" + LuckSpanText(pc.luck) + "\n";
  for (const auto& l : v.luck)
    s += "  " + l.ganzhi + " " + ChineseDateText(l.start) + "起" + (l.current ? "（当前大运）" : "") + "\n";
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
  const ChartPerson person{"", sex, SolarToLunar(EncodeDate(date.year, date.month, date.day)), date};
  const ChartView view = BuildChartView(chart, db, person, TodayOf(options));
  out << (options.count("--json") ? JsonOf(chart, view) : TextOf(chart, view));
  return 0;
}

}  // namespace hehun::cli
