#include "bazi/placed_chart.h"

#include <cmath>
#include <cstdio>

namespace hehun {

namespace {

// A time to the second, re-encoded so that whole minutes stay whole.
DateValue ToSecond(DateValue value) {
  const DateTimeParts p = DecodeDateTime(value);
  return EncodeDateTime(p.date.year, p.date.month, p.date.day, p.hour, p.minute, p.second);
}

// A time cut to its minute (the seconds dropped, as the clock shows it).
DateTimeParts CutToMinute(DateValue value) {
  DateTimeParts p = DecodeDateTime(std::floor(value * 24 * 60 + 1e-7) / (24 * 60));
  p.second = 0;
  return p;
}

}  // namespace

std::string MinuteText(const DateTimeParts& p) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", p.date.year, p.date.month, p.date.day, p.hour, p.minute);
  return buf;
}

std::string MinuteText(DateValue value) { return MinuteText(CutToMinute(value)); }

bool ComputeChartAtPlace(PlacedChart& out, RefDb& db, Messages& messages, int year, int month, int day, int hour,
                         int minute, std::string_view sex, const BirthPlace* place, bool useTrueSolarTime) {
  PlacedChart result;
  if (!place) {
    if (!ComputeBazi(result.chart, db, messages, year, month, day, hour, 0, minute, sex)) return false;
    result.time = ReadBirthTime(year, month, day, hour, minute, BirthPlaceAtLongitude(120));
    result.pillar_time = result.time.clock;
  } else {
    // The same checks and refusals as a chart without a place.
    if (!CheckChartTime(messages, year, month, day, hour, minute)) return false;
    result.has_place = true;
    result.place = *place;
    result.time = ReadBirthTime(year, month, day, hour, minute, *place);
    result.solar_time_used = useTrueSolarTime;
    result.pillar_time = CutToMinute(useTrueSolarTime ? result.time.true_solar : result.time.standard);
    const DateValue instant = ToSecond(result.time.beijing);
    if (instant < EncodeDate(1900, 1, 31) || instant >= EncodeDate(2101, 1, 1) ||
        result.pillar_time.date.year < 1900 || result.pillar_time.date.year > 2100)
      throw ConversionError("出生时刻超出1900年至2100年的范围");
    ComputeBaziAt(result.chart, db, instant, result.pillar_time, sex);
  }
  result.luck = ThreeDaysMakeAYear(result.chart.LuckDistanceDays, result.time.clock.date);
  out = std::move(result);
  return true;
}

}  // namespace hehun
