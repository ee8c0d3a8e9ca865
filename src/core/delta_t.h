#pragma once
// Delta T = TT - UT, the difference between dynamical (terrestrial) time and universal time.
#include "core/time_scales.h"

namespace zenitra {

/// Delta T in seconds at the instant jd (UT; at the precision of Delta T the scale of jd does not
/// matter). Meeus' polynomials before 1620, his table 10.A from 1620 to 1900, the measured yearly
/// values from 1900 to 2025, then the extrapolations of Espenak & Meeus (2006) and the long-term
/// parabola of Morrison & Stephenson from 2150 on; continuous at every seam.
[[nodiscard]] double DeltaTSeconds(JulianDay jd);

}  // namespace zenitra
