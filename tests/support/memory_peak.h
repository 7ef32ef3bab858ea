#pragma once
// The peak of this process's resident memory since a point the test chooses, for tests that
// hold what a read or a paint takes to a budget. Linux keeps the peak (VmHWM) and lets a
// process start it again from what it holds now.

#include <fstream>
#include <sstream>
#include <string>

namespace memory_peak {

inline long StatusKiB(const char* field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(field, 0) == 0) {
      std::istringstream value(line.substr(std::string(field).size()));
      long kib = 0;
      value >> kib;
      return kib;
    }
  return 0;
}

// What the process holds now; the peak starts again from here.
inline long Restart() {
  std::ofstream("/proc/self/clear_refs") << "5";
  return StatusKiB("VmRSS:");
}

// How far the peak rose above what the process held at Restart.
inline long RiseKiB(long restartedAt) { return StatusKiB("VmHWM:") - restartedAt; }

// What a test allows for memory it measures: as given, or twice as much under
// AddressSanitizer, whose shadow memory and quarantine of freed blocks the process holds
// besides.
#if defined(__SANITIZE_ADDRESS__)
#define BRELVONIX_MEMORY_PEAK_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BRELVONIX_MEMORY_PEAK_ASAN 1
#endif
#endif
inline constexpr long AllowedKiB(long kib) {
#if defined(BRELVONIX_MEMORY_PEAK_ASAN)
  return kib * 2;
#else
  return kib;
#endif
}

}  // namespace memory_peak
