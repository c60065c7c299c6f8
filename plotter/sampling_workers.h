#pragma once
// The worker threads of a sampling run. Samples are independent: every one
// starts with C on the calculator, so a run is split into chunks of
// consecutive samples that workers compute on calculators of their own.
// The workers cut the x values themselves, in turn (each depends on the
// one before); the run hands the chunks out and takes them back in order.
// Workers without a grid take jobs (an analysis's refinements).
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <variant>
#include <vector>

#include "plotter/sample_grid.h"

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

struct SampleChunk {
  std::vector<double> xs;
  std::vector<double> ys;
  std::vector<unsigned char> has;
  // The lines "PREFIX x<TAB>y\n" of the samples with a value, when the run
  // asked for text: written by the worker, so the owner only copies them.
  std::string lines;
  // The display of the worker's calculator after the chunk's last sample
  // before failedAt (empty when there is none), and after the failing one.
  std::string display, failedDisplay;
  std::size_t failedAt = kNoFailure;
  // A failure that is not the calculator's own (out of memory, say): the
  // owner turns it into the run's failure.
  std::exception_ptr error;
  // With a grid: the grid ended in this chunk or before it, and the chunks
  // handed in after it have no samples.
  bool lastOfGrid = false;
  // With a grid: the chunk's turn at it, in the order handed in.
  std::size_t gridTurn = 0;
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
  // Workers for jobs: they have no grid to sample.
  SamplingWorkers(int threads, std::string_view expression, bool radians)
      : SamplingWorkers(threads, expression, radians, std::nullopt, 0, nullptr) {}
  // The workers cut the x values themselves: the chunks handed in take
  // those of grid in order, chunkSize each. Every x is cut from the one
  // before, so the grid passes from chunk to chunk: a worker cuts its
  // chunk's x values first, hands the grid on and then computes them.
  SamplingWorkers(int threads, std::string_view expression, bool radians, const SampleGrid& grid,
                  std::size_t chunkSize, const std::string* linePrefix)
      : SamplingWorkers(threads, expression, radians, std::optional<SampleGrid>(grid), chunkSize, linePrefix) {}
  // Also on an exception of the owner: no worker outlives the run.
  ~SamplingWorkers();
  SamplingWorkers(const SamplingWorkers&) = delete;
  SamplingWorkers& operator=(const SamplingWorkers&) = delete;

  // c takes the next chunkSize x values of the grid; only workers with a
  // grid take chunks.
  void Submit(SampleChunk& c);
  void Submit(WorkerJob& job);
  bool IsDone(const SampleChunk& c);
  // Waits at most timeout for c; true when it is done.
  bool WaitFor(const SampleChunk& c, std::chrono::milliseconds timeout) { return WaitFor(c.done, timeout); }
  bool WaitFor(const WorkerJob& job, std::chrono::milliseconds timeout) { return WaitFor(job.done, timeout); }

 private:
  SamplingWorkers(int threads, std::string_view expression, bool radians, std::optional<SampleGrid> grid,
                  std::size_t chunkSize, const std::string* linePrefix);
  // The texts of a chunk's x values as its worker wrote them when it cut
  // the grid: the evaluator and the lines then copy them.
  struct XTexts {
    std::string chars;
    std::vector<std::uint8_t> lengths;
  };
  bool WaitFor(const bool& done, std::chrono::milliseconds timeout);
  void Close();
  void Work();
  bool CutGrid(SampleGrid& grid, SampleChunk& c, NumberTexts& texts, XTexts& xTexts,
               std::exception_ptr& error);
  void Compute(WorkerTools& tools, const XTexts& xTexts, SampleChunk& c);

  const std::string expression_;
  const bool radians_;
  const bool writeLines_;
  const std::string linePrefix_;
  const std::size_t chunkSize_;
  std::mutex mutex_;
  std::condition_variable work_, finished_, gridPassed_;
  std::deque<std::variant<SampleChunk*, WorkerJob*>> queue_;
  std::size_t submitted_ = 0;
  // Touched only by the worker whose turn it is; the turn passes under
  // the mutex.
  std::optional<SampleGrid> grid_;
  bool gridEnded_ = false;
  std::size_t gridTurn_ = 0;
  bool closing_ = false;
  std::atomic<bool> abandon_{false};
  std::vector<std::thread> threads_;
};

}  // namespace veltrum
