#include "calendar/birth_time.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <date/tz.h>
#include <numbers>
#include <stdexcept>

#include "refdb/messages.h"
#include "refdb/text.h"

namespace hehun {

namespace {

constexpr double kMinutesPerDay = 24 * 60;

std::string ClockText(int hour, int minute) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02d:%02d", hour, minute);
  return buf;
}

std::string ClockText(date::local_seconds t) {
  const auto day = date::floor<date::days>(t);
  const date::hh_mm_ss hms(t - day);
  return ClockText(static_cast<int>(hms.hours().count()), static_cast<int>(hms.minutes().count()));
}

// How far daylight saving time put the clock ahead in the period `info`:
// its offset less that of a neighbouring period of standard time. (The
// system's compiled zone files say whether a period is daylight saving time,
// not by how much.)
int SavingMinutes(const date::time_zone& zone, const date::sys_info& info) {
  if (info.save == std::chrono::minutes{0}) return 0;
  for (const date::sys_seconds probe : {info.begin - std::chrono::seconds{1}, info.end}) {
    const date::sys_info other = zone.get_info(probe);
    if (other.save == std::chrono::minutes{0})
      return static_cast<int>(std::chrono::duration_cast<std::chrono::minutes>(info.offset - other.offset).count());
  }
  return 60;
}

int OffsetMinutes(const date::sys_info& info) {
  return static_cast<int>(std::chrono::duration_cast<std::chrono::minutes>(info.offset).count());
}

}  // namespace

BirthPlace BirthPlaceOf(const Place& place) {
  BirthPlace out;
  out.name = place.full_name;
  out.degrees_east = place.degrees_east;
  out.degrees_north = place.degrees_north;
  out.has_latitude = true;
  out.time_zone = place.time_zone;
  return out;
}

BirthPlace BirthPlaceAtLongitude(double degrees_east, int utc_offset_minutes) {
  BirthPlace out;
  out.degrees_east = degrees_east;
  out.utc_offset_minutes = utc_offset_minutes;
  return out;
}

namespace {

double NumberIn(std::string_view text, const char* what, double low, double high) {
  const std::string t = Trim(text);
  double value = 0;
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
  if (t.empty() || ec != std::errc() || end != t.data() + t.size() || !std::isfinite(value) || value < low ||
      value > high)
    throw UserError(std::string(what) + "“" + std::string(text) + "”应是" + std::to_string(static_cast<int>(low)) +
                    "到" + std::to_string(static_cast<int>(high)) + "之间的数");
  return value;
}

}  // namespace

BirthPlace ParseBirthLongitude(std::string_view degreesEast, std::string_view utcOffsetHours) {
  const double east = NumberIn(degreesEast, "经度", -180, 180);
  const double hours = Trim(utcOffsetHours).empty() ? 8 : NumberIn(utcOffsetHours, "时区偏移", -12, 14);
  return BirthPlaceAtLongitude(east, static_cast<int>(std::lround(hours * 60)));
}

BirthPlace ParseBirthPlace(std::string_view text) {
  const std::string t = Trim(text);
  if (!t.empty() && ((t[0] >= '0' && t[0] <= '9') || t[0] == '-' || t[0] == '+')) {
    const size_t slash = t.find('/');
    return ParseBirthLongitude(std::string_view(t).substr(0, slash),
                               slash == std::string::npos ? std::string_view{} : std::string_view(t).substr(slash + 1));
  }
  return BirthPlaceOf(ResolvePlace(t));
}

double EquationOfTimeMinutes(DateValue ut) {
  constexpr double kRad = std::numbers::pi / 180;
  const double t = (ut + 2415018.5 - 2451545.0) / 36525;  // Julian centuries from J2000
  const double l0 = std::fmod(280.46646 + t * (36000.76983 + t * 0.0003032), 360) * kRad;
  const double m = std::fmod(357.52911 + t * (35999.05029 - t * 0.0001537), 360) * kRad;
  const double e = 0.016708634 - t * (0.000042037 + t * 0.0000001267);
  const double obliquity = (23.439291111 - t * (0.0130041667 + t * (0.00000016389 - t * 0.0000005036))) * kRad;
  const double y = std::pow(std::tan(obliquity / 2), 2);
  const double radians = y * std::sin(2 * l0) - 2 * e * std::sin(m) + 4 * e * y * std::sin(m) * std::cos(2 * l0) -
                         0.5 * y * y * std::sin(4 * l0) - 1.25 * e * e * std::sin(2 * m);
  return radians / kRad * 4;  // one degree of the Sun's hour angle is four minutes
}

DateValue TrueSolarTime(DateValue ut, double degrees_east) {
  return ut + degrees_east / 360 + EquationOfTimeMinutes(ut) / kMinutesPerDay;
}

BirthTime ReadBirthTime(int year, int month, int day, int hour, int minute, const BirthPlace& place) {
  BirthTime out;
  out.clock.date = {year, month, day};
  out.clock.hour = hour;
  out.clock.minute = minute;
  const DateValue local = EncodeDateTime(year, month, day, hour, minute);
  out.utc_offset_minutes = place.utc_offset_minutes;
  if (!place.time_zone.empty()) {
    const date::time_zone* zone = nullptr;
    try {
      zone = date::locate_zone(place.time_zone);
    } catch (const std::runtime_error&) {
      throw UserError("时区“" + place.time_zone + "”不在系统的时区数据中");
    }
    const date::local_seconds clock = date::local_days{date::year{year} / month / day} + std::chrono::hours{hour} +
                                      std::chrono::minutes{minute};
    const date::local_info info = zone->get_info(clock);
    if (info.result == date::local_info::nonexistent) {
      const date::local_seconds before{info.second.begin.time_since_epoch() + info.first.offset};
      const date::local_seconds after{info.second.begin.time_since_epoch() + info.second.offset};
      throw ConversionError(FormatYmd(out.clock.date) + " " + ClockText(hour, minute) + "在" +
                            (place.name.empty() ? std::string("当地") : place.name) + "并不存在：这天夏令时开始，时钟从" +
                            ClockText(before) + "直接拨到" + ClockText(after) + "，请核对出生时间");
    }
    const date::sys_info& period = info.first;  // for a repeated time, its first showing
    out.repeated = info.result == date::local_info::ambiguous;
    out.utc_offset_minutes = OffsetMinutes(period);
    out.dst_minutes = SavingMinutes(*zone, period);
    out.dst = out.dst_minutes > 0;
    if (!out.dst) out.dst_minutes = 0;
  }
  out.ut = local - out.utc_offset_minutes / kMinutesPerDay;
  out.beijing = out.ut + 8.0 / 24;
  out.standard = local - out.dst_minutes / kMinutesPerDay;
  out.equation_of_time_minutes = EquationOfTimeMinutes(out.ut);
  out.true_solar = out.ut + place.degrees_east / 360 + out.equation_of_time_minutes / kMinutesPerDay;
  return out;
}

std::string DaylightSavingNote(const BirthTime& time) {
  std::string note;
  if (time.dst) {
    note = "夏令时已扣除";
    note += time.dst_minutes % 60 == 0 ? std::to_string(time.dst_minutes / 60) + "小时"
                                       : std::to_string(time.dst_minutes) + "分钟";
  }
  if (time.repeated)
    note += std::string(note.empty() ? "" : "；") + "此钟点在夏令时结束时出现两次，按第一次（夏令时）计算";
  return note;
}

}  // namespace hehun
