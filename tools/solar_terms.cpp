#include "tools/solar_terms.h"

#include <libnova/nutation.h>
#include <libnova/solar.h>

#include <cmath>
#include <cstdio>

#include "calendar/date.h"

namespace hehun::tools {

namespace {
constexpr double kJ2000 = 2451545.0;
// Julian day of 1899-12-30 00:00 UT, day number 0.
constexpr double kDayNumberEpochJd = 2415018.5;

double Normalize180(double a) {
  a = std::fmod(a, 360.0);
  if (a > 180) a -= 360;
  if (a <= -180) a += 360;
  return a;
}
}  // namespace

double DeltaTSeconds(double y) {
  double t;
  if (y < 1920) {
    t = y - 1900;
    return -2.79 + 1.494119 * t - 0.0598939 * t * t + 0.0061966 * t * t * t - 0.000197 * t * t * t * t;
  }
  if (y < 1941) {
    t = y - 1920;
    return 21.20 + 0.84493 * t - 0.076100 * t * t + 0.0020936 * t * t * t;
  }
  if (y < 1961) {
    t = y - 1950;
    return 29.07 + 0.407 * t - t * t / 233 + t * t * t / 2547;
  }
  if (y < 1986) {
    t = y - 1975;
    return 45.45 + 1.067 * t - t * t / 260 - t * t * t / 718;
  }
  if (y < 2005) {
    t = y - 2000;
    return 63.86 + 0.3345 * t - 0.060374 * t * t + 0.0017275 * t * t * t + 0.000651814 * t * t * t * t +
           0.00002373599 * t * t * t * t * t;
  }
  if (y < 2050) {
    t = y - 2000;
    return 62.92 + 0.32217 * t + 0.005589 * t * t;
  }
  const double u = (y - 1820) / 100;
  return -20 + 32 * u * u - 0.5628 * (2150 - y);
}

double ApparentSolarLongitude(double jde) {
  // libnova gives the geometric longitude from VSOP87 in FK5, referred to
  // the J2000 equinox: add the general precession in longitude to reach the
  // mean equinox of date, then nutation and aberration for the apparent place.
  ln_helio_posn sun;
  ln_get_solar_geom_coords(jde, &sun);
  const double T = (jde - kJ2000) / 36525.0;
  const double precession = (5029.0966 * T + 1.11113 * T * T - 0.000006 * T * T * T) / 3600.0;
  ln_nutation nutation;
  ln_get_nutation(jde, &nutation);
  const double aberration = -20.4898 / 3600.0 / sun.R;
  double lon = sun.L + precession + nutation.longitude + aberration;
  lon = std::fmod(lon, 360.0);
  return lon < 0 ? lon + 360 : lon;
}

double SolarTermBeijing(int year, int n) {
  const double target = std::fmod(285.0 + 15.0 * n, 360.0);
  // Start from the mean position of the term in the year and refine with
  // Newton steps (the Sun moves about 360/365.2422 degrees a day).
  const double daysPerDegree = 365.2422 / 360.0;
  double jde = 2415020.5 + (year - 1900) * 365.2422 + 5.0 + n * 15.2184;
  for (int i = 0; i < 30; ++i) {
    const double step = Normalize180(target - ApparentSolarLongitude(jde)) * daysPerDegree;
    jde += step;
    if (std::fabs(step) < 1e-8) break;  // about a millisecond
  }
  // TT to UT with Delta T at the month of the term, then UTC+8.
  const double month = 1 + n / 2;
  const double deltaT = DeltaTSeconds(year + (month - 0.5) / 12.0);
  const double jdBeijing = jde - deltaT / 86400.0 + 8.0 / 24.0;
  return jdBeijing - kDayNumberEpochJd;
}

std::string FormatTruncated(double dayNumber) {
  const double seconds = std::floor(dayNumber * 86400.0);
  return FormatDateTime(seconds / 86400.0);
}

}  // namespace hehun::tools
