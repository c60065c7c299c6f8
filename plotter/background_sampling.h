#pragma once
// A sampling run computed away from the caller's thread, so that a window
// stays in its own event loop while the run goes on: worker calculators
// compute the samples, the caller collects them whenever it likes, may ask
// the run to stop, and ends it with FinishSampling on its own calculator.
#include <atomic>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "plotter/sample_grid.h"
#include "plotter/sampling.h"

namespace veltrum {

struct Sample {
  double x;
  std::optional<double> y;  // no value: the sample's calculation failed
};

class BackgroundSampling {
 public:
  // Starts at once on threads workers, each with a calculator of its own
  // in the given angle unit. finished, when given, is called on the run's
  // own thread once the last sample has been handed over: the caller may
  // collect the rest and the result then.
  BackgroundSampling(const SamplingPlan& plan, std::string expression, bool radians, int threads,
                     std::function<void()> finished = {});
  // Stops the run and waits for its threads.
  ~BackgroundSampling();
  BackgroundSampling(const BackgroundSampling&) = delete;
  BackgroundSampling& operator=(const BackgroundSampling&) = delete;

  // Ends the run early: the samples computed so far in order still come.
  void Stop() { stop_.store(true, std::memory_order_relaxed); }

  // Appends the samples handed over since the last call, in ascending x.
  // Once it has returned the last of them, Result() tells how they ended;
  // a failure that is not the calculator's own (out of memory) is thrown
  // again there, on the caller's thread.
  void Collect(std::vector<Sample>& out);
  std::optional<SamplesTaken> Result() const;

  const std::string& Expression() const { return expression_; }

 private:
  // Samples handed over at once: small enough that points reach a window
  // within a millisecond, large enough that the lock costs nothing.
  static constexpr std::size_t kBatch = 1024;

  const std::string expression_;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<Sample> ready_;
  std::optional<SamplesTaken> result_;
  std::exception_ptr error_;
  bool collectedAll_ = false;
  std::thread thread_;
};

}  // namespace veltrum
