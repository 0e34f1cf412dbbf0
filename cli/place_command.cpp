#include "cli/place_command.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <ostream>

#include "calendar/places.h"
#include "refdb/messages.h"
#include "refdb/text.h"

namespace hehun::cli {

namespace {

double NumberOf(const std::string& text, const char* what, double low, double high) {
  const std::string t = Trim(text);
  double value = 0;
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
  if (t.empty() || ec != std::errc() || end != t.data() + t.size() || !std::isfinite(value) || value < low ||
      value > high)
    throw UserError(std::string(what) + "“" + text + "”不是" + std::to_string(static_cast<int>(low)) + "到" +
                    std::to_string(static_cast<int>(high)) + "之间的数");
  return value;
}

std::string Degrees(double value) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.4f", value);
  return buf;
}

BirthPlace AtLongitude(const std::string& longitude, const std::string* offset) {
  const double east = NumberOf(longitude, "经度", -180, 180);
  const double hours = offset ? NumberOf(*offset, "时区偏移", -12, 14) : 8;
  BirthPlace place = BirthPlaceAtLongitude(east, static_cast<int>(std::lround(hours * 60)));
  return place;
}

}  // namespace

int PlaceCommand(const std::vector<std::string>& args, std::istream&, std::ostream& out, std::ostream& err) {
  if (args.size() != 2 || Trim(args[1]).empty()) {
    err << "用法：hehun-cli place 地名（全称、简称或开头几个字）\n";
    return 2;
  }
  const auto found = SearchPlaces(args[1], 1000000);
  if (found.empty()) {
    try {
      ResolvePlace(args[1]);
    } catch (const UserError& e) {
      err << e.what() << "\n";
    }
    return 1;
  }
  std::string text;
  for (const Place* p : found)
    text += std::string(p->full_name) + "\t" + std::string(PlaceLevelName(p->level)) + "\t" + Degrees(p->degrees_east) +
            "\t" + Degrees(p->degrees_north) + "\t" + std::string(p->time_zone) + "\n";
  out << text;
  return 0;
}

std::optional<BirthPlace> PlaceOfOptions(const std::map<std::string, std::string>& options) {
  const auto place = options.find("--place");
  const auto longitude = options.find("--longitude");
  const auto offset = options.find("--utc-offset");
  if (place != options.end() && longitude != options.end())
    throw UserError("--place 与 --longitude 只能给一个");
  if (offset != options.end() && longitude == options.end()) throw UserError("--utc-offset 须与 --longitude 同用");
  if (place != options.end()) return BirthPlaceOf(ResolvePlace(place->second));
  if (longitude != options.end()) return AtLongitude(longitude->second, offset != options.end() ? &offset->second : nullptr);
  return std::nullopt;
}

std::optional<BirthPlace> PlaceOfText(const std::string& text) {
  const std::string t = Trim(text);
  if (t.empty()) return std::nullopt;
  // A longitude, with an offset after a slash: 104.07 or -73.98/-5.
  if ((t[0] >= '0' && t[0] <= '9') || t[0] == '-') {
    const size_t slash = t.find('/');
    if (slash == std::string::npos) return AtLongitude(t, nullptr);
    const std::string offset = t.substr(slash + 1);
    return AtLongitude(t.substr(0, slash), &offset);
  }
  return BirthPlaceOf(ResolvePlace(t));
}

}  // namespace hehun::cli
