#pragma once
// One sampling run from its checks to its end, driven the same way by the
// plot window's timer, veltrum-cli, the analysis and the tests: Start
// checks the request and starts the workers, which cut the grid and
// compute the samples; Poll, on the owner's thread whenever it likes,
// hands the samples computed since over in ascending x and, once the last
// has been handed over, gives the run's end; Stop ends it early, keeping
// the samples computed so far in order. The run shows nothing and writes
// into no calculator of its owner: its end says what happened and what its
// last sample left on the display (LeaveLastSample).
#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "plotter/run_end.h"
#include "plotter/sample_grid.h"
#include "plotter/sampling.h"
#include "plotter/sampling_workers.h"

namespace veltrum {

// The points of a run as the text lines veltrum-cli prints.
class PlotLines {
 public:
  virtual ~PlotLines() = default;
  virtual void AddLines(std::string_view lines) = 0;
};

// Every sample of a run, with a value or without (has[i] is 0): what an
// analysis reads the function from.
class SampleSink {
 public:
  virtual ~SampleSink() = default;
  virtual void AddSamples(std::span<const double> xs, std::span<const double> ys,
                          std::span<const unsigned char> has) = 0;
};

class SamplingRun {
 public:
  // Each run's workers get calculators of their own.
  explicit SamplingRun(int threads);
  // Stops the run and waits for its workers.
  ~SamplingRun();
  SamplingRun(const SamplingRun&) = delete;
  SamplingRun& operator=(const SamplingRun&) = delete;

  // Checks request and starts its workers, their calculators in the given
  // angle unit; with linePrefix the workers also write the lines
  // "PREFIX x<TAB>y\n" for Poll(PlotLines&). A run that ends at once (its
  // bounds refused, or its threads could not be created) returns its end;
  // nothing while it goes on.
  std::optional<RunEnd> Start(const SamplingRequest& request, bool radians,
                              const std::string* linePrefix = nullptr);
  // The same for a request already checked.
  std::optional<RunEnd> Start(const SamplingPlan& plan, std::string_view expression, bool radians,
                              const std::string* linePrefix = nullptr);
  // Samples the running run takes at most.
  std::size_t ExpectedSamples() const { return expected_; }

  // Hands over what has been computed since the last call; returns the end
  // once the run has ended. A failure that is not the calculator's own (no
  // memory, here or on a worker) ends the run too.
  std::optional<RunEnd> Poll(PlotSeries& series, PlotProgress& progress);
  std::optional<RunEnd> Poll(PlotLines& lines, PlotProgress& progress);
  std::optional<RunEnd> Poll(SampleSink& samples, PlotProgress& progress);
  // Waits at most timeout for the next samples in order.
  void Wait(std::chrono::milliseconds timeout);
  void Stop() { stopping_ = true; }
  bool Running() const { return workers_ != nullptr; }

 private:
  template <typename HandOver>
  std::optional<RunEnd> PollWith(PlotProgress& progress, HandOver handOver);
  void SubmitAhead();
  RunEnd Finish(PlotProgress& progress);
  RunEnd Abandon(const std::exception_ptr& error);

  const int threads_;
  std::string expression_;
  // A chunk handed back said the grid ended there: no more are handed in.
  bool gridEnded_ = false;
  std::size_t chunkSize_ = 1;
  std::vector<SampleChunk> slots_;
  std::size_t produced_ = 0, consumed_ = 0;
  std::size_t expected_ = 0;
  int progressMaximum_ = 0;
  bool begun_ = false;
  bool stopping_ = false;
  // Every sample the run will hand over has been handed over.
  bool endReached_ = false;
  // A sample failed on a worker, and the run ends there.
  bool failed_ = false;
  int position_ = 0;
  // What the last sample handed over (or the failing one) left on the display.
  std::optional<std::string> display_;
  std::unique_ptr<SamplingWorkers> workers_;
};

// A whole run driven to its end on the calling thread, as a window would
// drive it: its messages shown through messages, and its last sample left
// on calc, in whose angle unit it runs.
RunEnd RunSampling(Calculator& calc, const SamplingRequest& request, PlotSeries& series,
                   PlotProgress& progress, MessageSink& messages, int threads = 1);

}  // namespace veltrum
