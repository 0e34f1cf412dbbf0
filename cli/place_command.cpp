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

std::string Degrees(double value) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.4f", value);
  return buf;
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
  if (longitude != options.end())
    return ParseBirthLongitude(longitude->second, offset != options.end() ? offset->second : std::string());
  return std::nullopt;
}

}  // namespace hehun::cli
