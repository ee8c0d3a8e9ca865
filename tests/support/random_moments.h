#pragma once
// Reproducible random moments for property tests: the same sequence on every run.
#include <random>
#include <vector>

#include "core/time_scales.h"

namespace zenitra::testing {

/// `count` DateTimeValues spread uniformly from 1800-01-01 to 2200-01-01.
inline std::vector<DateTimeValue> RandomMoments(int count, unsigned seed) {
  std::mt19937_64 engine(seed);
  std::uniform_real_distribution<double> uniform(DateTimeOfDate(1800, 1, 1).Days, DateTimeOfDate(2200, 1, 1).Days);
  std::vector<DateTimeValue> moments(count);
  for (DateTimeValue& t : moments) t = DateTimeValue(uniform(engine));
  return moments;
}

}  // namespace zenitra::testing
