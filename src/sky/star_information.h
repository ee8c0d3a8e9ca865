#pragma once
// The text of the information box of a clicked star: its name, constellation, magnitudes,
// distance, spectral class and position, from the star information records (STAR6) and the
// constellation names (STAR5).
#include <QString>
#include <QStringList>

namespace zenitra {

/// Line break of the information text: line feed, then carriage return.
inline constexpr char16_t kStarInformationBreak[] = u"\n\r";

/// An angle in degrees as degrees, arc minutes and arc seconds: "-0°30'0\"", "7°34'30\"". The
/// seconds are rounded (halves to even) and carried into the minutes and degrees at 60; numbers
/// are plain integers without padding. A non-finite value gives "?".
[[nodiscard]] QString DegreesText(double degrees);
/// The same for hours of right ascension: 1.2286 gives "1h13'43\"".
[[nodiscard]] QString HoursText(double hours);

/// The information text of a star given by its full STAR3 name, the lines joined by
/// kStarInformationBreak. `star6Lines` are the information records (9 lines each), `star5Lines`
/// the constellations (5 lines each: Latin name, German name, abbreviation, position).
///
/// Without a record whose key begins with the name the text is the name alone. Otherwise: the
/// name; "Sternbild: " and the German name of the constellation whose abbreviation equals the
/// first three characters of the name (if any); "M = ... mag" unless the absolute magnitude is
/// "-10000"; "m = ... mag"; "r = ... ly" unless the distance is "-10000"; "SKL = ..."; "alpha = "
/// HoursText; "delta = " DegreesText. A position field that is not a number is shown as written.
[[nodiscard]] QString StarInformationText(const QString& name, const QStringList& star6Lines,
                                          const QStringList& star5Lines);
/// The same with the STAR6 records inflated for this one request and released afterwards.
/// Throws CatalogueError when STAR6 is missing or damaged.
[[nodiscard]] QString StarInformationText(const QString& name, const QStringList& star5Lines);

}  // namespace zenitra
