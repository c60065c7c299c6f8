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
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <variant>
#include <vector>

namespace veltrum {

class Calculator;
class PlotRun;
class Evaluator;

inline constexpr std::size_t kNoFailure = SIZE_MAX;
inline constexpr std::string_view kNoThreadText = "Не удалось запустить поток вычислений";

// A thread that cannot be created (the process limit reached, no room for
// its stack): its text is kNoThreadText and the system's reason.
class ThreadStartFailure : public std::runtime_error {
 public:
  explicit ThreadStartFailure(const std::string& reason);
};

// Every thread of a run is started here, so that one that cannot be
// created ends the run with a message instead of std::terminate.
std::thread StartThread(std::function<void()> body);

// The text a failure that is not the calculator's own ends a run with: the
// out-of-memory message, a thread's that could not start, or the
// exception's own.
std::string FailureText(const std::exception_ptr& error);

struct SampleChunk {
  std::vector<double> xs;
  std::vector<double> ys;
  std::vector<unsigned char> has;
  // The lines "PREFIX x<TAB>y\n" of the samples with a value, when the run
  // asked for text: written by the worker, so the owner only copies them.
  std::string lines;
  // Another expression than the workers' own (an analysis samples its
  // second function on the same workers); it outlives the chunk's work.
  const std::string* expression = nullptr;
  std::size_t failedAt = kNoFailure;
  // A failure that is not the calculator's own (out of memory, say): the
  // owner turns it into the run's failure.
  std::exception_ptr error;
  bool done = false;
};

// What a worker computes with: a calculator of its own in the run's angle
// unit, the plot run on it, its evaluator, and the flag that is set when
// the workers are being closed.
struct WorkerTools {
  Calculator& calc;
  PlotRun& run;
  Evaluator& evaluator;
  const std::atomic<bool>& abandon;
};

// Work other than a chunk of samples, done by one worker with its tools
// (the refinements of an analysis). A long job looks at abandon often: the
// workers are closed only once it has returned.
struct WorkerJob {
  std::function<void(WorkerTools&)> work;
  // What work threw: the owner turns it into the run's failure.
  std::exception_ptr error;
  bool done = false;
};

class SamplingWorkers {
 public:
  // Starts threads workers, each with a calculator in the given angle unit.
  // linePrefix, when given, makes them write each chunk's lines too. A
  // thread that cannot be created throws ThreadStartFailure, with the
  // threads already started stopped and joined.
  SamplingWorkers(int threads, std::string_view expression, bool radians, const std::string* linePrefix);
  // Also on an exception of the owner: no worker outlives the run.
  ~SamplingWorkers();
  SamplingWorkers(const SamplingWorkers&) = delete;
  SamplingWorkers& operator=(const SamplingWorkers&) = delete;

  void Submit(SampleChunk& c);
  void Submit(WorkerJob& job);
  bool IsDone(const SampleChunk& c);
  // Waits at most timeout for c; true when it is done.
  bool WaitFor(const SampleChunk& c, std::chrono::milliseconds timeout) { return WaitFor(c.done, timeout); }
  bool WaitFor(const WorkerJob& job, std::chrono::milliseconds timeout) { return WaitFor(job.done, timeout); }

 private:
  bool WaitFor(const bool& done, std::chrono::milliseconds timeout);
  void Close();
  void Work();
  void Compute(WorkerTools& tools, SampleChunk& c);

  const std::string expression_;
  const bool radians_;
  const bool writeLines_;
  const std::string linePrefix_;
  std::mutex mutex_;
  std::condition_variable work_, finished_;
  std::deque<std::variant<SampleChunk*, WorkerJob*>> queue_;
  bool closing_ = false;
  std::atomic<bool> abandon_{false};
  std::vector<std::thread> threads_;
};

}  // namespace veltrum
