#pragma once
// The processor time this process has used. A test that must show that a
// stop is answered at once counts the work done after it, which another
// process on the machine cannot inflate the way it stretches wall time.
#include <ctime>

namespace veltrum {

inline double ProcessCpuMilliseconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) * 1e-6;
}

// A stop answered within a few evaluations costs milliseconds of processor
// time even in a sanitizer's build; a stop that waits for the work to end
// costs seconds.
inline constexpr double kStopCpuMilliseconds = 1000;

}  // namespace veltrum
