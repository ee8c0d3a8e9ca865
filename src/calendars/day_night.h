#pragma once
// The day-night map: a low-precision Sun model from the day of the year, the terminator, the
// plate carree projection of the world map and the coastline polylines. Pure functions; the
// window (day_night_window.h) draws what they return.
// Sun model: equation of time and declination after the NOAA "General Solar Position
// Calculations" (fractional year) and Cooper (1969) for the declination.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zenitra {

/// The Sun for one map moment. The entered clock time is Central European time (zone meridian
/// 15 degrees east), summer time removed when asked for.
struct DayNightSun {
  int DayOfYear = 0;              ///< DayNumber of the entered date
  int Hour = 0;                   ///< entered hour, minus one in summer time (may become -1)
  int Minute = 0;                 ///< entered minute
  double EquationOfTimeMin = 0;   ///< minutes
  double DeclinationDeg = 0;      ///< degrees
};

/// The Sun model for the entered day, month, hour and minute of `year`. When `summerTimeRule` is
/// set and the date is in summer time the hour is reduced by one. A month field below 1 (an empty
/// field reads as 0) counts the day from the year's start; one above 12 adds the whole year.
[[nodiscard]] std::optional<DayNightSun> DayNightSunModel(int day, int month, int year, int hour, int minute,
                                                          bool summerTimeRule);

/// Latitude of the terminator (degrees) at east longitude `longitudeDeg`. +-90 when the
/// declination is exactly 0; 0 where that ratio is undefined (0/0).
[[nodiscard]] double TerminatorLatitude(double longitudeDeg, const DayNightSun& sun);

/// The subsolar point as drawn: longitude from the clock time alone (no equation of time),
/// reduced into [-180, 180], latitude the declination; degrees.
struct GeoPoint {
  double LatitudeDeg = 0;
  double LongitudeDeg = 0;
};
[[nodiscard]] GeoPoint SubsolarPoint(const DayNightSun& sun);

struct MapPixel {
  int X = 0;
  int Y = 0;
  friend bool operator==(const MapPixel&, const MapPixel&) = default;
};
/// Plate carree for a map of width x height pixels: longitude -180..180 over the width, latitude
/// -80..80 over the height, rounded to the nearest pixel. Coordinates far outside (or NaN) are
/// clamped to a few map sizes beyond the edge.
[[nodiscard]] MapPixel ProjectToMap(double latitudeDeg, double longitudeDeg, int width, int height);

/// One point of the ERDE coastline: latitude, longitude reduced into (-180, 180], pen down
/// (draw from the previous point) or up (start a new line).
struct CoastPoint {
  double LatitudeDeg = 0;
  double LongitudeDeg = 0;
  bool PenDown = false;
};
/// Reads one ERDE line "latitude longitude flag" (decimal fractions accepted). Empty when the
/// line does not hold three finite numbers.
[[nodiscard]] std::optional<CoastPoint> ParseCoastLine(std::string_view line);

/// The coastline as pixel polylines: a new polyline at each pen-up point and wherever two
/// neighbouring points lie 100 pixels or more apart horizontally (a segment across the 180
/// degree meridian). Polylines of a single point are dropped.
[[nodiscard]] std::vector<std::vector<MapPixel>> CoastlinePolylines(const std::vector<CoastPoint>& points,
                                                                    int width, int height);

/// The night polygon in the coordinates of the work bitmap ((width + 101) x (height + 101),
/// map shifted by +50 in x and y): 365 terminator points for longitudes -181..183, then the
/// closing points through the upper corners (night in the north) or the lower corners.
struct NightPolygon {
  std::vector<MapPixel> Points;
  bool NightInNorth = false;
  MapPixel Subsolar;  ///< subsolar point in work-bitmap coordinates
};
inline constexpr int kNightMargin = 50;
[[nodiscard]] NightPolygon BuildNightPolygon(const DayNightSun& sun, int width, int height);

/// Label of a graticule line: the degree value followed by the degree sign, e.g. "-150°" (UTF-8).
[[nodiscard]] std::string GraticuleLabel(int degrees);

/// Carries a day one past the end of its month into day 1 of the next month (month 13 into
/// January of the next year) and borrows day 0 from the previous month (month 0 into December
/// of the previous year).
struct DayMonthYear {
  int Day = 0;
  int Month = 0;
  int Year = 0;
  friend bool operator==(const DayMonthYear&, const DayMonthYear&) = default;
};
[[nodiscard]] DayMonthYear NormalizeDayMonth(int day, int month, int year);

/// One 20 ms tick of the simulation: two minutes on (carrying into hour and day) or one day on,
/// then NormalizeDayMonth in `year`. The year itself is not shown and so not returned.
struct MapClock {
  int Day = 0;
  int Month = 0;
  int Hour = 0;
  int Minute = 0;
  friend bool operator==(const MapClock&, const MapClock&) = default;
};
[[nodiscard]] MapClock SimulationStep(const MapClock& clock, bool stepMinutes, int year);

}  // namespace zenitra
