#pragma once
// The console report of a benchmark run followed by ratios of its times, so that a speed
// claim reads off one run on one machine.

#include <string>
#include <vector>

namespace bench {

struct TRatio {
  std::string label;
  std::string numerator;    // benchmark names
  std::string denominator;
};

// Runs the registered benchmarks and prints each ratio whose two benchmarks both ran.
int RunWithRatios(int argc, char** argv, const std::vector<TRatio>& ratios);

}  // namespace bench
