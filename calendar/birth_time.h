// The time of a birth read three ways: the clock time where it happened, the
// standard time (daylight saving time taken off, from the tz database), and
// the true (apparent) solar time at the birthplace's longitude.
#pragma once

#include <string>

#include "calendar/date.h"
#include "calendar/places.h"

namespace hehun {

// Where a clock time was read: a place of the table, or a bare longitude
// with a fixed offset from UTC.
struct BirthPlace {
  std::string name;  // full name, or empty for a bare longitude
  double degrees_east = 120;
  double degrees_north = 0;
  bool has_latitude = false;
  std::string time_zone;             // IANA name; empty: the fixed offset below
  int utc_offset_minutes = 8 * 60;  // used without a time zone
};

BirthPlace BirthPlaceOf(const Place& place);
BirthPlace BirthPlaceAtLongitude(double degrees_east, int utc_offset_minutes = 8 * 60);

// A birthplace as typed: a place name or unique prefix (ResolvePlace), or a
// longitude in degrees east with an optional UTC offset in hours after a
// slash ("104.07", "-73.98/-5"; without one, UTC+8). Throws UserError for an
// unknown place or a number out of range.
BirthPlace ParseBirthPlace(std::string_view text);
// A longitude text and an optional offset text, as two separate options give them.
BirthPlace ParseBirthLongitude(std::string_view degreesEast, std::string_view utcOffsetHours);

struct BirthTime {
  DateTimeParts clock;            // as read off the clock
  bool dst = false;               // daylight saving time was in force
  int dst_minutes = 0;            // how far the clock ran ahead of standard time
  bool repeated = false;          // the clock showed this time twice; the first is taken
  int utc_offset_minutes = 0;     // of the clock at that instant, daylight saving included
  DateValue ut = 0;               // the instant in universal time
  DateValue beijing = 0;          // the instant in Beijing time (UTC+8)
  DateValue standard = 0;         // the clock time less daylight saving time
  DateValue true_solar = 0;       // apparent solar time at the longitude
  double equation_of_time_minutes = 0;
};

// Reads a clock time at a place. A clock time the place never showed (the
// hour skipped when daylight saving time began) throws ConversionError
// saying so; one it showed twice (the hour repeated when it ended) is taken
// at its first showing, under daylight saving time, and marked `repeated`.
// An unknown time zone name throws UserError.
BirthTime ReadBirthTime(int year, int month, int day, int hour, int minute, const BirthPlace& place);

// Apparent minus mean solar time, in minutes, for an instant in universal
// time: Smart's series (Meeus, Astronomical Algorithms, ch. 28) from the
// Sun's mean longitude and anomaly, the orbit's eccentricity and the
// obliquity of the ecliptic; within a few seconds of the full theory.
double EquationOfTimeMinutes(DateValue ut);

// Mean solar time at a longitude plus the equation of time.
DateValue TrueSolarTime(DateValue ut, double degrees_east);

// The explanation a report or message gives of how the clock time was read:
// "夏令时已扣除1小时", and for a repeated hour which showing was taken.
std::string DaylightSavingNote(const BirthTime& time);

}  // namespace hehun
