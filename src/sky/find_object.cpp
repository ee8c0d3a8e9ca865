#include "sky/find_object.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/angle_units.h"
#include "core/moon_position.h"
#include "core/sun_position.h"
#include "core/time_scales.h"
#include "planets/planet_position.h"
#include "sky/sky_renderer.h"

namespace zenitra {

namespace {

// Sidereal days per solar day: the local sidereal angle turns by 2 pi times this in a day.
constexpr double kSiderealRate = 1.00273790935;
// The rising search steps through the altitude every 10 minutes and then halves the step down to
// a few seconds: no body of the map rises and sets within 10 minutes away from the poles.
constexpr double kRiseStepDays = 10.0 / 1440.0;
constexpr int kRiseRefinements = 8;

FindTarget Target(QString display, QStringList names, FindKind kind, int index = -1, QString body = {}) {
  FindTarget t;
  t.Display = std::move(display);
  for (const QString& n : names) t.Keys.append(SearchKey(n));
  t.Keys.append(SearchKey(t.Display));
  t.Keys.removeDuplicates();
  t.Kind = kind;
  t.Index = index;
  t.Body = std::move(body);
  return t;
}

double StandardRisingAltitudeDeg(FindKind kind) {
  switch (kind) {
    case FindKind::Sun: return -0.8333;
    case FindKind::Moon: return 0.125;
    default: return -0.5667;
  }
}

}  // namespace

QString SearchKey(const QString& name) {
  QString folded;
  folded.reserve(name.size());
  // Canonical decomposition splits "ä" into "a" and a combining diaeresis, which is dropped.
  for (const QChar c : name.normalized(QString::NormalizationForm_D)) {
    if (c.category() == QChar::Mark_NonSpacing) continue;
    if (c == QChar(u'ß')) {
      folded += QStringLiteral("ss");
    } else if (c.isSpace()) {
      if (!folded.isEmpty() && !folded.endsWith(u' ')) folded += u' ';
    } else {
      folded += c.toCaseFolded();
    }
  }
  return folded.trimmed();
}

std::vector<FindTarget> FindTargets(const Catalogue& catalogue) {
  std::vector<FindTarget> targets;
  targets.push_back(Target(QStringLiteral("Sonne"), {}, FindKind::Sun));
  targets.push_back(Target(QStringLiteral("Mond"), {}, FindKind::Moon));
  for (const std::string_view planet : kMapPlanets) {
    const QString name = QString::fromLatin1(planet.data(), static_cast<qsizetype>(planet.size()));
    targets.push_back(Target(name, {}, FindKind::Planet, -1, name));
  }
  const std::vector<ConstellationLabel> labels = ConstellationLabels(catalogue.Constellations);
  for (std::size_t i = 0; i < labels.size(); ++i) {
    targets.push_back(Target(labels[i].German, {labels[i].Latin, labels[i].Abbreviation}, FindKind::Constellation,
                             static_cast<int>(i)));
  }
  // "CMa Alpha,Sirius": designation, comma, proper name; many stars have the designation only.
  for (qsizetype i = 0; i < catalogue.StarNames.size() && i < static_cast<qsizetype>(catalogue.Stars.size()); ++i) {
    const QString& full = catalogue.StarNames[i];
    const qsizetype comma = full.indexOf(u',');
    if (comma < 0) {
      targets.push_back(Target(full, {}, FindKind::Star, static_cast<int>(i)));
      continue;
    }
    const QString designation = full.left(comma).trimmed();
    const QString proper = full.mid(comma + 1).trimmed();
    targets.push_back(Target(QStringLiteral("%1 (%2)").arg(proper, designation), {proper, designation, full},
                             FindKind::Star, static_cast<int>(i)));
  }
  return targets;
}

QStringList CompletionsFor(const std::vector<FindTarget>& targets, const QString& typed, int limit) {
  const QString key = SearchKey(typed);
  QStringList exact;
  QStringList starting;
  if (key.isEmpty()) return {};
  for (const FindTarget& t : targets) {
    if (t.Keys.contains(key)) {
      exact.append(t.Display);
    } else if (std::any_of(t.Keys.begin(), t.Keys.end(), [&key](const QString& k) { return k.startsWith(key); })) {
      starting.append(t.Display);
    }
  }
  QStringList result = exact + starting;
  if (result.size() > limit) result.resize(limit);
  return result;
}

std::optional<FindTarget> FindTargetNamed(const std::vector<FindTarget>& targets, const QString& typed) {
  const QString key = SearchKey(typed);
  if (key.isEmpty()) return std::nullopt;
  const FindTarget* only = nullptr;
  int starting = 0;
  for (const FindTarget& t : targets) {
    if (t.Keys.contains(key)) return t;
    if (std::any_of(t.Keys.begin(), t.Keys.end(), [&key](const QString& k) { return k.startsWith(key); })) {
      only = &t;
      ++starting;
    }
  }
  if (starting == 1) return *only;
  return std::nullopt;
}

std::optional<SkyPlace> TargetSkyPlace(const FindTarget& target, const Catalogue& catalogue, double jdUt,
                                       const Location& place) {
  switch (target.Kind) {
    case FindKind::Star: {
      if (target.Index < 0 || target.Index >= static_cast<int>(catalogue.Stars.size())) return std::nullopt;
      const CatalogueStar& s = catalogue.Stars[static_cast<std::size_t>(target.Index)];
      return SkyPlace{s.RightAscension, s.Declination};
    }
    case FindKind::Constellation: {
      const std::vector<ConstellationLabel> labels = ConstellationLabels(catalogue.Constellations);
      if (target.Index < 0 || target.Index >= static_cast<int>(labels.size())) return std::nullopt;
      const ConstellationLabel& l = labels[static_cast<std::size_t>(target.Index)];
      return SkyPlace{l.Alpha, l.Delta};
    }
    case FindKind::Planet: {
      const PlanetPlace planet = ComputePlanet(target.Body.toStdString(), jdUt, place.LatitudeDeg, place.LongitudeDeg,
                                               place.ZoneHours);
      return PlanetSkyPlace(planet.Ephemeris);
    }
    case FindKind::Sun: {
      PlanetPlace earth;
      ComputePlanet("Erde", jdUt, place.LatitudeDeg, place.LongitudeDeg, place.ZoneHours, earth);
      return SunSkyPlace(earth.Ephemeris.HeliocentricLongitude);
    }
    case FindKind::Moon: {
      const MoonLowPrecisionValue moon = MoonLowPrecision(jdUt);
      return SkyPlace{moon.RightAscension * kDegToRad, moon.Declination * kDegToRad};
    }
  }
  return std::nullopt;
}

HorizontalPlace HorizontalOf(const SkyPlace& sky, double theta, double latitudeDeg) {
  // Meeus, Astronomical Algorithms, (13.5) and (13.6): azimuth from the south, westwards.
  const double t = theta - sky.AlphaRad;
  const double phi = latitudeDeg * kDegToRad;
  const double azimuth =
      std::atan2(std::sin(t), std::cos(t) * std::sin(phi) - std::tan(sky.DeltaRad) * std::cos(phi)) / kDegToRad;
  const double altitude = std::asin(std::sin(phi) * std::sin(sky.DeltaRad) +
                                    std::cos(phi) * std::cos(sky.DeltaRad) * std::cos(t)) /
                          kDegToRad;
  return {azimuth, altitude};
}

std::optional<double> NextRising(const FindTarget& target, const Catalogue& catalogue, const Location& place,
                                 double jdUt, double theta, double withinDays) {
  const double h0 = StandardRisingAltitudeDeg(target.Kind);
  const auto altitudeAbove = [&](double days) -> std::optional<double> {
    // The map's Sun takes its ecliptic longitude for the right ascension, a few minutes off in its
    // rising; the time the user reads comes from the Sun's apparent place.
    std::optional<SkyPlace> sky;
    if (target.Kind == FindKind::Sun) {
      const BodyPosition sun = SunPosition(JulianDayToDateTime(jdUt + days));
      sky = SkyPlace{sun.RightAscension * kDegToRad, sun.Declination * kDegToRad};
    } else {
      sky = TargetSkyPlace(target, catalogue, jdUt + days, place);
    }
    if (!sky) return std::nullopt;
    const double t = theta + days * 2.0 * std::numbers::pi * kSiderealRate;
    return HorizontalOf(*sky, t, place.LatitudeDeg).AltitudeDeg - h0;
  };
  std::optional<double> before = altitudeAbove(0.0);
  if (!before || !std::isfinite(*before)) return std::nullopt;
  for (double days = kRiseStepDays; days <= withinDays + 1e-9; days += kRiseStepDays) {
    const std::optional<double> after = altitudeAbove(days);
    if (!after || !std::isfinite(*after)) return std::nullopt;
    if (*before < 0.0 && *after >= 0.0) {
      double low = days - kRiseStepDays;
      double high = days;
      for (int i = 0; i < kRiseRefinements; ++i) {
        const double middle = (low + high) / 2.0;
        const std::optional<double> h = altitudeAbove(middle);
        if (!h) return std::nullopt;
        (*h < 0.0 ? low : high) = middle;
      }
      return jdUt + high;
    }
    before = after;
  }
  return std::nullopt;
}

}  // namespace zenitra
