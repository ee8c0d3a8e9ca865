#include "calendars/day_night.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>

#include "core/degree_math.h"
#include "core/time_scales.h"

namespace zenitra {

namespace {

constexpr double kZoneMeridianDeg = 15.0;  // Central European time
// Entered integers beyond this are clamped: far outside any meaningful value, and it keeps the
// integer arithmetic below free of overflow.
constexpr int kFieldLimit = 1000000;

int ClampField(int v) { return std::clamp(v, -kFieldLimit, kFieldLimit); }

int DaysInMonth(int month, int year) {
  static constexpr int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && IsLeapYear(year)) return 29;
  return kLengths[std::clamp(month, 1, 12) - 1];
}

int RoundClamped(double v, double limit) {
  if (std::isnan(v)) v = 0.0;
  return static_cast<int>(std::lround(std::clamp(v, -limit, limit)));
}

}  // namespace

std::optional<DayNightSun> DayNightSunModel(int day, int month, int year, int hour, int minute,
                                            bool summerTimeRule) {
  day = ClampField(day);
  hour = ClampField(hour);
  minute = ClampField(minute);
  DayNightSun sun;
  // The month field takes any integer, and an empty or non-numeric one reads as 0. A month before
  // January adds no month lengths (the day counts from the year's start, as the sum over the
  // preceding months gives nothing); one after December adds the whole year. Either way the map
  // has a night side.
  if (month < 1) {
    sun.DayOfYear = day;
  } else if (month > 12) {
    sun.DayOfYear = DayNumber(31, 12, year) + day;
  } else {
    sun.DayOfYear = DayNumber(day, month, year);
  }
  sun.Hour = (summerTimeRule && IsSummerTime(day, month, year)) ? hour - 1 : hour;
  sun.Minute = minute;
  const double n = sun.DayOfYear;
  const double h = sun.Hour;
  // Fractional year in radians; the minute enters neither this nor the declination.
  const double g = (n + h / 24.0 - 1.0) * 2.0 * std::numbers::pi / 365.0;
  sun.EquationOfTimeMin = 229.2 * (0.000075 + 0.001868 * std::cos(g) - 0.030277 * std::sin(g) -
                                   0.014615 * std::cos(2.0 * g) - 0.04089 * std::sin(2.0 * g));
  sun.DeclinationDeg = 23.44 * SinDeg((284.0 + n + h / 24.0) * 360.0 / 365.0);
  return sun;
}

double TerminatorLatitude(double longitudeDeg, const DayNightSun& sun) {
  const double t = sun.Hour + sun.Minute / 60.0 + sun.EquationOfTimeMin / 60.0 +
                   (longitudeDeg - kZoneMeridianDeg) * 4.0 / 60.0;
  const double hourAngle = 15.0 * (t - 12.0);
  const double ratio = -CosDeg(hourAngle) / std::tan(sun.DeclinationDeg * std::numbers::pi / 180.0);
  if (std::isnan(ratio)) return 0.0;  // cos H = 0 and declination 0: no defined limit
  return std::atan2(ratio, 1.0) * 180.0 / std::numbers::pi;
}

GeoPoint SubsolarPoint(const DayNightSun& sun) {
  double lon = kZoneMeridianDeg + 15.0 * (12.0 - sun.Hour - sun.Minute / 60.0);
  lon = std::fmod(lon, 360.0);
  if (lon > 180.0) lon -= 360.0;
  if (lon < -180.0) lon += 360.0;
  return GeoPoint{sun.DeclinationDeg, lon};
}

MapPixel ProjectToMap(double latitudeDeg, double longitudeDeg, int width, int height) {
  const double limit = 4.0 * (std::max(width, height) + 1000);
  const double x = width / 2 + longitudeDeg * (width / 360.0);
  const double y = height / 2 - latitudeDeg * (height / 160.0);
  return MapPixel{RoundClamped(x, limit), RoundClamped(y, limit)};
}

std::optional<CoastPoint> ParseCoastLine(std::string_view line) {
  double values[3] = {0, 0, 0};
  const char* p = line.data();
  const char* end = line.data() + line.size();
  for (double& v : values) {
    while (p < end && (*p == ' ' || *p == '\t' || *p == '\r')) ++p;
    const auto [next, ec] = std::from_chars(p, end, v);
    if (ec != std::errc() || !std::isfinite(v)) return std::nullopt;
    p = next;
  }
  CoastPoint c;
  c.LatitudeDeg = values[0];
  c.LongitudeDeg = values[1] > 180.0 ? values[1] - 360.0 : values[1];
  c.PenDown = values[2] != 0.0;
  return c;
}

std::vector<std::vector<MapPixel>> CoastlinePolylines(const std::vector<CoastPoint>& points, int width,
                                                      int height) {
  std::vector<std::vector<MapPixel>> lines;
  std::vector<MapPixel> current;
  double previousX = 0.0;
  auto flush = [&] {
    if (current.size() > 1) lines.push_back(std::move(current));
    current.clear();
  };
  for (const CoastPoint& c : points) {
    const double scaledX = c.LongitudeDeg * width / 360.0;
    if (!c.PenDown || std::fabs(scaledX - previousX) >= 100.0) flush();
    current.push_back(ProjectToMap(c.LatitudeDeg, c.LongitudeDeg, width, height));
    previousX = scaledX;
  }
  flush();
  return lines;
}

NightPolygon BuildNightPolygon(const DayNightSun& sun, int width, int height) {
  NightPolygon night;
  const MapPixel shift{kNightMargin, kNightMargin};
  auto toWork = [&](MapPixel p) { return MapPixel{p.X + shift.X, p.Y + shift.Y}; };
  night.Points.reserve(370);
  for (int lon = -181; lon <= 183; ++lon) {
    night.Points.push_back(toWork(ProjectToMap(TerminatorLatitude(lon, sun), lon, width, height)));
  }
  const GeoPoint s = SubsolarPoint(sun);
  night.Subsolar = toWork(ProjectToMap(s.LatitudeDeg, s.LongitudeDeg, width, height));
  const MapPixel terminatorAtSun =
      toWork(ProjectToMap(TerminatorLatitude(s.LongitudeDeg, sun), s.LongitudeDeg, width, height));
  // A larger y is further south: the Sun south of the terminator leaves the north in the dark.
  night.NightInNorth = night.Subsolar.Y > terminatorAtSun.Y;
  const int workWidth = width + 2 * kNightMargin + 1;
  const int workHeight = height + 2 * kNightMargin + 1;
  if (night.NightInNorth) {
    night.Points.push_back({workWidth, 1});
    night.Points.push_back({1, 1});
  } else {
    night.Points.push_back({workWidth, workHeight});
    night.Points.push_back({1, workHeight});
  }
  night.Points.push_back({1, night.Points.front().Y});
  return night;
}

std::string GraticuleLabel(int degrees) { return std::to_string(degrees) + "\xC2\xB0"; }

DayMonthYear NormalizeDayMonth(int day, int month, int year) {
  day = ClampField(day);
  if (month < 1) {
    month = 12;
    --year;
  } else if (month > 12) {
    month = 1;
    ++year;
  }
  if (day > DaysInMonth(month, year)) {
    day = 1;
    if (++month > 12) {
      month = 1;
      ++year;
    }
  } else if (day < 1) {
    if (--month < 1) {
      month = 12;
      --year;
    }
    day = DaysInMonth(month, year);
  }
  return DayMonthYear{day, month, year};
}

MapClock SimulationStep(const MapClock& clock, bool stepMinutes, int year) {
  MapClock c{ClampField(clock.Day), clock.Month, ClampField(clock.Hour), ClampField(clock.Minute)};
  if (stepMinutes) {
    c.Minute += 2;
    if (c.Minute > 59) {
      c.Minute -= 60;
      c.Hour += 1;
      if (c.Hour > 23) {
        c.Hour = 0;
        c.Day += 1;
      }
    }
  } else {
    c.Day += 1;
  }
  const DayMonthYear d = NormalizeDayMonth(c.Day, c.Month, year);
  c.Day = d.Day;
  c.Month = d.Month;
  return c;
}

}  // namespace zenitra
