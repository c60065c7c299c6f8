#pragma once
// The worker threads of a sampling run. Samples are independent: every one
// starts with C on the calculator, so a run is split into chunks of
// consecutive samples that workers compute on calculators of their own.
// The workers also cut the x values: each depends on the one before, so
// the grid passes from chunk to chunk in the order the chunks were handed
// in, and a worker cuts its chunk's x values first, hands the grid on and
// then computes them. The thread that owns the run only hands the chunks
// out and takes them back in order.
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
#include <utility>
#include <vector>

#include "plotter/sample_grid.h"

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
  // The grid ended in this chunk or before it: the chunks handed in after
  // it have no samples.
  bool lastOfGrid = false;
  bool done = false;
};

class SamplingWorkers {
 public:
  // Starts threads workers, each with a calculator in the given angle unit.
  // The chunks handed in take the x values of grid in order, chunkSize
  // each. linePrefix, when given, makes them write each chunk's lines too.
  // A thread that cannot be created throws std::system_error, with the
  // threads already started stopped and joined.
  SamplingWorkers(int threads, std::string_view expression, bool radians, const SampleGrid& grid,
                  std::size_t chunkSize, const std::string* linePrefix);
  // Also on an exception of the owner: no worker outlives the run.
  ~SamplingWorkers();
  SamplingWorkers(const SamplingWorkers&) = delete;
  SamplingWorkers& operator=(const SamplingWorkers&) = delete;

  // Hands in c for the next chunkSize x values of the grid.
  void Submit(SampleChunk& c);
  bool IsDone(const SampleChunk& c);
  // Waits at most timeout for c; true when it is done.
  bool WaitFor(const SampleChunk& c, std::chrono::milliseconds timeout);

 private:
  void Close();
  void Work();
  // The texts of a chunk's x values as its worker wrote them when it cut
  // the grid: the evaluator and the lines then copy them.
  struct XTexts {
    std::string chars;
    std::vector<std::uint8_t> lengths;
  };
  bool CutGrid(SampleChunk& c, std::size_t turn, class NumberTexts& texts, XTexts& xTexts,
               std::exception_ptr& error);
  void Compute(class Calculator& calc, class PlotRun& run, class Evaluator& evaluator, const XTexts& xTexts,
               SampleChunk& c);

  const std::string expression_;
  const bool radians_;
  const bool writeLines_;
  const std::string linePrefix_;
  const std::size_t chunkSize_;
  std::mutex mutex_;
  std::condition_variable work_, finished_, gridPassed_;
  // Chunks with their turn at the grid, in the order they were handed in.
  std::deque<std::pair<SampleChunk*, std::size_t>> queue_;
  std::size_t submitted_ = 0;
  // Touched only by the worker whose turn it is; the turn passes under
  // the mutex.
  SampleGrid grid_;
  bool gridEnded_ = false;
  std::size_t gridTurn_ = 0;
  bool closing_ = false;
  std::atomic<bool> abandon_{false};
  std::vector<std::thread> threads_;
};

}  // namespace veltrum
