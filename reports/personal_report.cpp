#include "reports/personal_report.h"

#include <optional>

#include "bazi/chart.h"
#include "bazi/personality.h"
#include "bazi/shensha.h"
#include "bazi/star_sign.h"
#include "calendar/lunar_calc.h"
#include "refdb/gbk.h"
#include "refdb/text.h"
#include "calendar/birth_row.h"
#include "reports/chart_block.h"

namespace hehun {

namespace {
constexpr std::string_view kStarSeparator = "<-----------------------星座分析内容分隔线--------------------------->";
constexpr std::string_view kClosing = "<-----------------------以上内容只作参考----------------------------->";
}  // namespace

PersonalMode PersonalModeOfCaption(std::string_view caption) {
  return caption == "八字分析" ? PersonalMode::kBazi : PersonalMode::kStarSign;
}

bool RunPersonalReport(const PersonalInput& in, PersonalMode mode, LineList& out, Messages& messages, RefDb& db,
                       const Ymd& today, ChartView* chartView) {
  // The name is not required on this page; the hour and minute are checked
  // only where the chart needs them (the star-sign report just prints them).
  const BirthRowTexts texts{"-", in.calendarIndex, in.year, in.month, in.day, in.hour, in.minute, in.place,
                            in.trueSolarTime};
  const BirthRowMessages m{"", "请选择出生年!", "请选择出生月!", "请选择出生日!", "请选择出生小时!"};
  BirthRow row;
  if (ReadBirthRow(texts, m, "", messages, row, mode == PersonalMode::kBazi) != RowCheck::kOk) return false;
  row.name = OneLineName(in.name) + OneLineName(in.secondName);

  const DateValue birth = ParseDateText(row.dateText);
  const LunarDate lunar = SolarToLunar(birth);
  const std::string yearName = CycleYearName(lunar.Year - 1864);
  const std::string sign = StarSignOf(birth);
  const std::string sex = Trim(in.sex);
  const int age = today.year - ParseIntText(row.yearText);

  LineList list;
  std::optional<ChartView> view;
  list.Add("");
  list.Add("");
  list.Add("姓名：" + row.name);
  list.Add("年龄：" + std::to_string(age) + "岁");
  const std::string ymd = FormatDate(birth);
  list.Add("您出生公历：" + ymd.substr(0, 4) + "年" + ymd.substr(5, 2) + "月" + ymd.substr(8, 2) + "日" + row.hourNumber +
           "点" + in.minute + "分");
  list.Add("农历：" + yearName + LunarMonthName(lunar.Month, lunar.IsLeap) + LunarDayName(lunar.Day));
  list.Add("属相：" + Utf8CharAt(yearName, 3));
  list.Add("星座：" + sign);

  if (mode == PersonalMode::kBazi) {
    const int y = ParseIntText(row.yearText), mo = ParseIntText(row.monthText), d = ParseIntText(row.dayText);
    const int h = ParseIntText(row.hourNumber), mi = ParseIntText(Trim(in.minute));
    list.Add(kBaziSeparator);
    BaziChart chart;
    PlacedChart placed;
    const bool computed =
        ComputeReportChart(placed, db, messages, y, mo, d, h, mi, sex, row.placeText, row.trueSolarTime);
    if (computed) {
      chart = placed.chart;
      view = BuildChartView(placed, db, ChartPerson{row.name, sex, lunar, DecodeDate(birth)}, today);
    }
    WriteChartBlock(list, chart, db, computed ? PillarDate(placed, birth) : birth, row.yearText, lunar,
                    computed ? &placed : nullptr);
    WriteShenshaLines(list, "四柱神煞：", chart, db);
    list.Add("");
    list.Add(kBaziSeparator);
    list.Add("");
    WriteBoneWeightLines(list, "袁天罡称骨算命：", db, lunar, row.hourNumber, chart.BeforeJie);
    list.Add("");
    PersonalityBrief(chart, db, messages, y, mo, d, h, lunar.Day, mi, sex, list);
    list.Add(kBaziSeparator);
    list.Add("");
    list.Add("");
    list.Add(kClosing);
  } else {
    list.Add("");
    list.Add(kStarSeparator);
    list.Add("【情商解析】:");
    list.Add(StarSignText(db, sign, 0));
    list.Add("");
    list.Add(kStarSeparator);
    list.Add("");
    list.Add("【星座实力】:");
    list.Add("    " + StarSignText(db, sign, 1));
    list.Add("");
    list.Add(kStarSeparator);
    list.Add("");
    list.Add("【星座名人】:");
    list.Add("    " + StarSignText(db, sign, 2));
    list.Add("");
    list.Add(kStarSeparator);
    list.Add("");
    list.Add("");
    list.Add(kClosing);
  }
  out = list;
  if (chartView && view) *chartView = std::move(*view);
  return true;
}

}  // namespace hehun
