#pragma once
// Instants of the planetary phenomena of a year: conjunctions of Mercury and Venus with the Sun
// (inferior and superior), oppositions and conjunctions of Mars to Neptune, and the greatest
// elongations of Mercury and Venus with their angle.
//
// Each phenomenon is a mean instant advancing by the mean synodic period, corrected by a short
// Fourier series in the planet's mean anomaly whose coefficients are quadratics in time.
// Every instant returned is a Julian Day in Terrestrial Time (JDE).
//
// Source: J. Meeus, Astronomical Algorithms, 2nd ed., ch. 36.
#include <optional>

#include "calendars/calendar_arithmetic.h"

namespace zenitra::yearcal {

/// Planet numbers of the calendar: 1 Mercury, 2 Venus, (3 the Earth, which has no phenomena),
/// 4 Mars, 5 Jupiter, 6 Saturn, 7 Uranus, 8 Neptune.
using PlanetNumber = int;
/// For Mercury and Venus 0 inferior, 1 superior conjunction; for Mars to Neptune 0 opposition,
/// 1 conjunction.
using PlanetEvent = int;
/// 0 greatest eastern elongation (evening), 1 greatest western elongation (morning).
using ElongationSide = int;

/// Cycle number k = Trunc((365.2425 year + 1721060 - A) / B) near the start of a year (truncated
/// towards zero, so one more than the floor before the epoch A; step from k - 1 to be safe).
/// Nothing for planet 3 or outside 1..8, an event other than 0 or 1, or a k beyond the int range.
[[nodiscard]] std::optional<int> PlanetEventCycle(int year, PlanetNumber planet, PlanetEvent event);

/// JDE of the phenomenon of cycle k. Nothing for planet 3 or outside 1..8, an event other than 0
/// or 1, or a cycle more than 1e9 days from J2000 (where the series mean nothing).
[[nodiscard]] std::optional<JulianDay> PlanetEventInstant(PlanetNumber planet, PlanetEvent event, int k);

struct ElongationInstant {
  JulianDay jde = 0.0;          ///< instant of greatest elongation, TT
  double elongationDeg = 0.0;   ///< angular distance from the Sun, degrees
};
/// Greatest elongation of Mercury (1) or Venus (2) in the cycle k of their inferior conjunctions.
/// Nothing for another planet, a side other than 0 or 1, or a cycle more than 1e9 days from J2000.
[[nodiscard]] std::optional<ElongationInstant> GreatestElongation(PlanetNumber planet, ElongationSide side, int k);

}  // namespace zenitra::yearcal
