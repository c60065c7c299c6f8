#pragma once
// One sampling run from its checks to its end, driven the same way by the
// plot window's timer, veltrum-cli and the tests: Start checks the request
// and starts the workers; Poll, on the owner's thread whenever it likes,
// hands the samples computed since over in ascending x and, once the last
// has been handed over, ends the run on the owner's calculator (the last
// sample replayed there, a failed one failing there with its message);
// Stop ends it early, keeping the points computed so far in order.
#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

class SamplingRun {
 public:
  // Each run's workers get calculators of their own in calc's angle unit;
  // calc is left as the last sample leaves it, and messages shows the
  // run's boxes.
  SamplingRun(Calculator& calc, MessageSink& messages, int threads);
  // Stops the run and waits for its workers.
  ~SamplingRun();
  SamplingRun(const SamplingRun&) = delete;
  SamplingRun& operator=(const SamplingRun&) = delete;

  // Checks request and starts its workers; with linePrefix the workers also
  // write the lines "PREFIX x<TAB>y\n" for Poll(PlotLines&). A run that
  // ends at once (its bounds refused with a message, or its threads could
  // not be created) returns its end; nothing while it goes on.
  std::optional<SamplingEnd> Start(const SamplingRequest& request, const std::string* linePrefix = nullptr);
  // Samples the running run takes at most.
  std::size_t ExpectedSamples() const { return expected_; }

  // Hands over what has been computed since the last call; returns the end
  // once the run has ended. A failure that is not the calculator's own (no
  // memory, here or on a worker) ends the run as Failed with Error() set.
  std::optional<SamplingEnd> Poll(PlotSeries& series, PlotProgress& progress);
  std::optional<SamplingEnd> Poll(PlotLines& lines, PlotProgress& progress);
  // Waits at most timeout for the next samples in order.
  void Wait(std::chrono::milliseconds timeout);
  void Stop() { stopping_ = true; }
  bool Running() const { return workers_ != nullptr; }
  // The text of the last run's failure that was not the calculator's own.
  const std::string& Error() const { return error_; }

 private:
  template <typename HandOver>
  std::optional<SamplingEnd> PollWith(PlotProgress& progress, HandOver handOver);
  void SubmitAhead();
  SamplingEnd Finish(PlotProgress& progress);
  SamplingEnd Abandon(const std::exception_ptr& error);

  Calculator& calc_;
  MessageSink& messages_;
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
  // What has been handed over: how many samples, the last one, and the
  // sample that failed on a worker.
  std::size_t count_ = 0;
  double lastX_ = 0;
  std::optional<double> failedX_;
  int position_ = 0;
  std::string error_;
  std::unique_ptr<SamplingWorkers> workers_;
};

// A whole run driven to its end on the calling thread.
SamplingEnd RunSampling(Calculator& calc, const SamplingRequest& request, PlotSeries& series,
                        PlotProgress& progress, MessageSink& messages, int threads = 1);

}  // namespace veltrum
