#include "reports/birth_place_lines.h"

#include <cstdio>

#include "calendar/places.h"

namespace hehun {

bool ComputeReportChart(PlacedChart& out, RefDb& db, Messages& messages, int year, int month, int day, int hour,
                        int minute, std::string_view sex, const std::string& placeText, bool trueSolarTime) {
  if (placeText.empty())
    return ComputeChartAtPlace(out, db, messages, year, month, day, hour, minute, sex, nullptr, trueSolarTime);
  const BirthPlace place = ParseBirthPlace(placeText);
  return ComputeChartAtPlace(out, db, messages, year, month, day, hour, minute, sex, &place, trueSolarTime);
}

DateValue PillarDate(const PlacedChart& chart, DateValue clockDate) {
  if (!chart.has_place) return clockDate;
  const Ymd d = chart.pillar_time.date;
  return EncodeDate(d.year, d.month, d.day);
}

void WriteBirthPlaceLines(LineSink& sink, const PlacedChart& c) {
  if (!c.has_place) return;
  char east[32];
  std::snprintf(east, sizeof east, "东经%.2f°", c.place.degrees_east);
  sink.Add("出生地：" + (c.place.name.empty() ? std::string(east) : c.place.name));
  const std::string note = DaylightSavingNote(c.time);
  sink.Add("北京时间：" + MinuteText(c.time.beijing) + (note.empty() ? "" : "（" + note + "）"));
  sink.Add("真太阳时：" + MinuteText(c.time.true_solar) + (c.solar_time_used ? "" : "（未用于排盘）"));
}

std::string LuckSpanLine(const PlacedChart& c) { return "交运：" + LuckSpanText(c.luck); }

std::string LuckDatesLine(const PlacedChart& c) {
  std::string line = "交运日：" + FormatYmd(c.time.clock.date);
  const auto pillars = LuckPillarsFrom(c.chart, c.luck, 9);
  for (const LuckPillar& p : pillars) line += "   " + FormatYmd(p.start);
  return line;
}

}  // namespace hehun
