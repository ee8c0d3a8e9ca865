#pragma once
// Finding an object of the map by name: a star (proper name or designation), a constellation
// (German or Latin name), a planet, the Sun or the Moon. Names match without regard to letter case
// or umlauts; the object's place in the sky at any moment, its horizontal coordinates and its next
// rising follow from the same computations the map draws with.
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "core/shared_types.h"
#include "ui/catalogue.h"
#include "sky/sky_bodies.h"

namespace zenitra {

enum class FindKind { Star, Constellation, Planet, Sun, Moon };

/// One object that can be found.
struct FindTarget {
  QString Display;   ///< the name offered in the completion list, e.g. "Sirius (CMa Alpha)"
  QStringList Keys;  ///< the names it is found by, folded by SearchKey
  FindKind Kind = FindKind::Star;
  int Index = -1;    ///< the star's index in Catalogue::Stars or the constellation's in STAR5
  QString Body;      ///< the planet's name as ComputePlanet knows it ("Merkur", ...)
};

/// A name folded for comparison: lower case, umlauts and accents without their marks, ß as ss,
/// runs of spaces as one. "Großer Bär" and "grosser bar" give the same key.
[[nodiscard]] QString SearchKey(const QString& name);

/// Every object of the catalogue that can be found: stars, constellations, planets, Sun and Moon.
[[nodiscard]] std::vector<FindTarget> FindTargets(const Catalogue& catalogue);

/// The Display names of the targets one of whose keys begins with the folded `typed` text, the
/// exact matches first; at most `limit`.
[[nodiscard]] QStringList CompletionsFor(const std::vector<FindTarget>& targets, const QString& typed, int limit = 50);

/// The target meant by `typed`: one whose Display or key equals it after folding, else the only
/// one whose key begins with it.
[[nodiscard]] std::optional<FindTarget> FindTargetNamed(const std::vector<FindTarget>& targets, const QString& typed);

/// Right ascension and declination (radians) of a target at a moment (Julian Day, UT), as the map
/// places it; nothing for a target the catalogue lacks.
[[nodiscard]] std::optional<SkyPlace> TargetSkyPlace(const FindTarget& target, const Catalogue& catalogue, double jdUt,
                                                     const Location& place);

/// Azimuth (degrees from south, positive towards west, -180..180, as the map counts) and altitude
/// (degrees) of a place in the sky for the local sidereal angle `theta` (radians).
struct HorizontalPlace {
  double AzimuthDeg = 0.0;
  double AltitudeDeg = 0.0;
};
[[nodiscard]] HorizontalPlace HorizontalOf(const SkyPlace& sky, double theta, double latitudeDeg);

/// The first rising of the target after the moment (Julian Day UT `jdUt`, local sidereal angle
/// `theta` there) within `withinDays`: the Julian Day (UT) when its altitude climbs through the
/// standard altitude of rising (Meeus, Astronomical Algorithms, ch. 15: -0.5667 degrees for stars
/// and planets, -0.8333 for the Sun, +0.125 for the Moon). Nothing when it does not rise then.
[[nodiscard]] std::optional<double> NextRising(const FindTarget& target, const Catalogue& catalogue,
                                               const Location& place, double jdUt, double theta,
                                               double withinDays = 2.0);

}  // namespace zenitra
