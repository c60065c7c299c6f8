#pragma once
// The x values of a sampling run and the runs that compute them.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace veltrum {

class Calculator;

// The x values of a run: the first at the lower bound as typed, then the
// sum with the step cut back to the step grid through its number text, so
// rounding errors of the additions never build up, up to the upper bound.
class SampleGrid {
 public:
  SampleGrid(double from, double to, double step, int decimals)
      : x_(from), to_(to), step_(step), decimals_(decimals) {}

  // The next x; false after the last.
  bool Next(double& x);

 private:
  double x_, to_, step_;
  int decimals_;
  bool ended_ = false;
};

// One computed sample, handed over in ascending x on the calling thread.
using SampleSink = std::function<void(double x, std::optional<double> y)>;

struct SamplesTaken {
  enum class End : std::uint8_t { Completed, Failed, Stopped } end = End::Completed;
  std::size_t count = 0;  // samples handed over (the failed one not included)
  double lastX = 0;       // the last sample handed over
  double failedX = 0;     // the sample that failed
};

// Computes the samples of grid (about expectedSamples) on threads workers, each with a calculator of
// its own in the given angle unit. A sample whose evaluation throws ends the
// run as Failed; samples after it are never handed over. keepGoing is asked
// on the calling thread at least every kPollIntervalMs.
SamplesTaken TakeSamplesInParallel(SampleGrid grid, std::string_view expression, bool radians, int threads,
                                   std::size_t expectedSamples, const std::function<bool()>& keepGoing,
                                   const SampleSink& sink);

}  // namespace veltrum
