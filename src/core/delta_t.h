#pragma once
// Delta T = TT - UT, the difference between dynamical (terrestrial) time and universal time.
#include "core/time_scales.h"

namespace zenitra {

/// Delta T in seconds at the instant jd (UT; at the precision of Delta T the scale of jd does not
/// matter). Meeus' table 10.A from 1620 to 1990, polynomials outside it.
[[nodiscard]] double DeltaTSeconds(JulianDay jd);

}  // namespace zenitra
