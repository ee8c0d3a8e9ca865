#pragma once
// VSOP87 planetary theory, version D (heliocentric ecliptic spherical coordinates referred to the
// mean ecliptic and equinox of date), for the Earth.
// Sources: P. Bretagnon & G. Francou, "Planetary theories in rectangular and spherical variables:
// VSOP87 solutions", Astron. Astrophys. 202, 309 (1988); the FK5 correction of J. Meeus,
// Astronomical Algorithms, 2nd ed., ch. 32.
#include "core/time_scales.h"

namespace zenitra {

/// One term of a VSOP87 series: it contributes A * cos(B + C * t), t in Julian millennia from
/// J2000.0. A is the published amplitude times 10^8 (radians for L and B, AU for R), B in
/// radians, C in radians per Julian millennium. The all-zero term marks the end of a series.
struct VSOPTerm {
  long double A = 0.0L;
  long double B = 0.0L;
  long double C = 0.0L;
  friend bool operator==(const VSOPTerm&, const VSOPTerm&) = default;
};

/// A generic VSOP87 evaluator: sums the series that a derived class supplies term by term.
/// The date is read as dynamical time; no Delta T is applied anywhere.
class TVSOP {
 public:
  virtual ~TVSOP() = default;

  /// Term number index (from 0) of the series of power `power` of t. Past the end of a series,
  /// for a negative index and for a power without a series: the all-zero term.
  [[nodiscard]] virtual VSOPTerm LongitudeTerm(int index, int power) const = 0;
  [[nodiscard]] virtual VSOPTerm LatitudeTerm(int index, int power) const = 0;
  [[nodiscard]] virtual VSOPTerm RadiusTerm(int index, int power) const = 0;

  void SetDate(DateTimeValue date) { date_ = date; }
  [[nodiscard]] DateTimeValue Date() const { return date_; }
  /// Julian millennia from 2000-01-01 12:00 (dynamical time).
  [[nodiscard]] long double Millennia() const;
  /// Heliocentric longitude in radians, not reduced.
  [[nodiscard]] long double Longitude() const;
  /// Heliocentric latitude in radians.
  [[nodiscard]] long double Latitude() const;
  /// Radius vector in astronomical units.
  [[nodiscard]] long double Radius() const;
  /// Corrects a heliocentric longitude and latitude of this date (radians) from the dynamical
  /// ecliptic of VSOP87 to the FK5 system (Meeus, eq. 32.3).
  void ToFK5(long double& longitudeRad, long double& latitudeRad) const;

 private:
  using TermFunction = VSOPTerm (TVSOP::*)(int, int) const;
  [[nodiscard]] long double SumSeries(TermFunction term) const;

  DateTimeValue date_;
};

/// The Earth's VSOP87D series (2 425 terms: 1 080 in L, 348 in B, 997 in R).
class TVSOPEarth final : public TVSOP {
 public:
  [[nodiscard]] VSOPTerm LongitudeTerm(int index, int power) const override;
  [[nodiscard]] VSOPTerm LatitudeTerm(int index, int power) const override;
  [[nodiscard]] VSOPTerm RadiusTerm(int index, int power) const override;

  /// Number of terms of a series (0 for a power without a series); coordinate 'L', 'B' or 'R'.
  [[nodiscard]] static int TermCount(char coordinate, int power);
};

/// Heliocentric place of the Earth, FK5-corrected.
struct HeliocentricPosition {
  double LongitudeDeg = 0.0;  ///< [0, 360)
  double LatitudeDeg = 0.0;
  double RadiusAu = 0.0;
};

/// The Earth's heliocentric longitude (degrees, [0, 360)), latitude (degrees) and radius vector
/// (AU) from VSOP87D with the FK5 correction. `date` is used as dynamical time without Delta T.
/// The series are summed in double precision: within 5e-11 rad (ten millionths of an arc second)
/// and 3e-13 AU of TVSOPEarth's extended-precision sums from 4700 BC to AD 9999.
[[nodiscard]] HeliocentricPosition EarthHeliocentric(DateTimeValue date);

/// The radius vector and its first three derivatives by dynamical time.
struct RadiusRates {
  double RadiusAu = 0.0;
  double PerDay = 0.0;      ///< dR/dt, AU per day
  double PerDay2 = 0.0;     ///< d2R/dt2, AU per day^2
  double PerDay3 = 0.0;     ///< d3R/dt3, AU per day^3
};
/// The radius vector of the VSOP87D series and its derivatives, differentiated term by term in one
/// pass (each term A cos(B + C t) has the derivatives -A C sin, -A C^2 cos, A C^3 sin). Only the
/// first `leadingTerms` terms of each power's series are summed (the published order puts the
/// large ones first); by default all of them. Summed in double precision, as EarthHeliocentric's.
[[nodiscard]] RadiusRates EarthRadiusRates(DateTimeValue date, int leadingTerms = 100000);

}  // namespace zenitra
