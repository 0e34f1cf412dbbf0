// Birthplaces on the command line: the `place` subcommand, and the options
// --place NAME | --longitude DEGREES [--utc-offset HOURS] that chart,
// marriage and personal take.
#pragma once

#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "calendar/birth_time.h"

namespace hehun::cli {

// place NAME: the places the name or prefix matches, one a line:
// full name, level, longitude, latitude, time zone (tab-separated).
int PlaceCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

// The birthplace the options name, or none. --place takes a name or unique
// prefix (see ResolvePlace); --longitude a longitude in degrees east with an
// optional --utc-offset in hours (default 8, Beijing time). Throws UserError
// for an unknown place or a bad number.
std::optional<BirthPlace> PlaceOfOptions(const std::map<std::string, std::string>& options);

}  // namespace hehun::cli
