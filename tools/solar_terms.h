// Astronomical instants of the 24 solar terms, for the reference data build.
#pragma once

#include <string>

namespace hehun::tools {

// Delta T (TT − UT) in seconds for a decimal year, by the Espenak–Meeus
// polynomials (valid 1900 to 2150).
double DeltaTSeconds(double decimalYear);

// Apparent geocentric ecliptic longitude of the Sun, in degrees of the true
// equinox of date, at a Julian Ephemeris Day.
double ApparentSolarLongitude(double jde);

// Instant of solar term n (0 = 小寒 at 285°, … 23 = 冬至 at 270°) of the
// Gregorian year, as a day number (days since 1899-12-30 00:00) in Beijing
// time (UTC+8), solved to well under a second.
double SolarTermBeijing(int year, int n);

// "yyyy-MM-dd HH:mm:ss" of a day number, truncated to the second.
std::string FormatTruncated(double dayNumber);

}  // namespace hehun::tools
