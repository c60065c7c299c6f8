#pragma once
// The worker threads of a sampling run. Samples are independent: every one
// starts with C on the calculator, so a run is split into chunks of
// consecutive samples that workers compute on calculators of their own.
// The thread that owns the run cuts the x values (each depends on the one
// before), hands the chunks out and takes them back in order.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace veltrum {

inline constexpr std::size_t kNoFailure = SIZE_MAX;

struct SampleChunk {
  std::vector<double> xs;
  std::vector<double> ys;
  std::vector<unsigned char> has;
  // The lines "PREFIX x<TAB>y\n" of the samples with a value, when the run
  // asked for text: written by the worker, so the owner only copies them.
  std::string lines;
  std::size_t failedAt = kNoFailure;
  // A failure that is not the calculator's own (out of memory, say): the
  // owner turns it into the run's failure.
  std::exception_ptr error;
  bool done = false;
};

class SamplingWorkers {
 public:
  // Starts threads workers, each with a calculator in the given angle unit.
  // linePrefix, when given, makes them write each chunk's lines too. A
  // thread that cannot be created throws std::system_error, with the
  // threads already started stopped and joined.
  SamplingWorkers(int threads, std::string_view expression, bool radians, const std::string* linePrefix);
  // Also on an exception of the owner: no worker outlives the run.
  ~SamplingWorkers();
  SamplingWorkers(const SamplingWorkers&) = delete;
  SamplingWorkers& operator=(const SamplingWorkers&) = delete;

  void Submit(SampleChunk& c);
  bool IsDone(const SampleChunk& c);
  // Waits at most timeout for c; true when it is done.
  bool WaitFor(const SampleChunk& c, std::chrono::milliseconds timeout);

 private:
  void Close();
  void Work();
  void Compute(class Calculator& calc, class PlotRun& run, class Evaluator& evaluator, SampleChunk& c);

  const std::string expression_;
  const bool radians_;
  const bool writeLines_;
  const std::string linePrefix_;
  std::mutex mutex_;
  std::condition_variable work_, finished_;
  std::deque<SampleChunk*> queue_;
  bool closing_ = false;
  std::atomic<bool> abandon_{false};
  std::vector<std::thread> threads_;
};

}  // namespace veltrum
