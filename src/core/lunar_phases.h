#pragma once
// Instants of the principal phases of the Moon, the lunation number, and the Moon's perigee and
// apogee. Results are instants in the dynamical time of the series, returned without Delta T.
// Sources: J. Meeus, Astronomical Algorithms, 2nd ed., ch. 49 (phases) and ch. 50 (perigee and
// apogee).
#include <array>
#include <cstdint>
#include <optional>

#include "core/time_scales.h"

namespace zenitra {

/// 0 new moon, 1 first quarter, 2 full moon, 3 last quarter, 4 the new moon that ends the
/// lunation.
enum class PhaseKind : int { NewMoon = 0, FirstQuarter = 1, FullMoon = 2, LastQuarter = 3, NextNewMoon = 4 };

/// The Moon window's phase instant (JulianDay, dynamical time) of the lunation
/// k0 = floor((year + month/12 + day/365 - 2000 + 1/12) * 12.3685) (rounded down, also before
/// 2000). The window passes its month minus 2, so k0 is the lunation that began about a month
/// before.
[[nodiscard]] JulianDay WindowPhaseInstant(int day, int month, int year, PhaseKind kind);

/// The five phase instants (kinds 0 to 4, computed as WindowPhaseInstant does) of the lunation
/// in progress at `jde` (dynamical time, the scale of the series): new moon <= jde < next new
/// moon. NaN for an instant that is not finite or absurdly far.
[[nodiscard]] std::array<JulianDay, 5> WindowLunationPhases(JulianDay jde);

/// The new moon of the lunation nearest to t by the mean motion.
[[nodiscard]] DateTimeValue NewMoonNear(DateTimeValue t);
/// The last new moon at or before t; NaN when t is not finite.
[[nodiscard]] DateTimeValue PreviousNewMoon(DateTimeValue t);
/// Lunation number of the lunation in progress at t (lunation 1 began with the new moon of
/// 1923-01-17); nothing when t is not finite or too far away for a 64-bit number.
[[nodiscard]] std::optional<std::int64_t> LunationNumber(DateTimeValue t);

/// Instant of the perigee (apogee = false) or apogee of the anomalistic month nearest t.
[[nodiscard]] DateTimeValue LunarApsis(bool apogee, DateTimeValue t);
/// The first perigee or apogee at or after t; NaN when t is not finite.
[[nodiscard]] DateTimeValue NextPerigee(DateTimeValue t);
[[nodiscard]] DateTimeValue NextApogee(DateTimeValue t);

}  // namespace zenitra
