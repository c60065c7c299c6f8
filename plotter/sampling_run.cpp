#include "plotter/sampling_run.h"

#include <algorithm>
#include <thread>

#include "calculator/plot_run.h"
#include "number/failure.h"
#include "plotter/evaluator.h"

namespace veltrum {
namespace {

// Large enough that handing a chunk over costs nothing next to computing
// it, small enough that short runs still spread over every worker and
// points reach a window within a few milliseconds.
constexpr std::size_t kMaxChunk = 4096;
// Chunks cut ahead per worker: keeps workers busy between two polls, and
// bounds the memory of a long run.
constexpr std::size_t kChunksAheadPerWorker = 8;

}  // namespace

int DefaultSamplingThreads() {
  const unsigned n = std::thread::hardware_concurrency();
  return n == 0 ? 1 : static_cast<int>(n);
}

SamplingRun::SamplingRun(Calculator& calc, MessageSink& messages, int threads)
    : calc_(calc), messages_(messages), threads_(std::max(threads, 1)) {}

SamplingRun::~SamplingRun() = default;

std::optional<SamplingEnd> SamplingRun::Start(const SamplingRequest& request, const std::string* linePrefix) {
  workers_.reset();
  error_.clear();
  SamplingEnd refusal = SamplingEnd::Refused;
  const std::optional<SamplingPlan> plan = PlanSampling(request, messages_, refusal);
  if (!plan) return refusal;
  expression_.assign(request.expression);
  gridEnded_ = false;
  expected_ = static_cast<std::size_t>(plan->samples);
  progressMaximum_ = plan->progressMaximum;
  const std::size_t workers = static_cast<std::size_t>(threads_);
  chunkSize_ = std::clamp<std::size_t>(expected_ / (workers * 8), 1, kMaxChunk);
  slots_.assign(workers * kChunksAheadPerWorker, SampleChunk{});
  produced_ = consumed_ = 0;
  begun_ = stopping_ = endReached_ = false;
  count_ = 0;
  lastX_ = 0;
  failedX_.reset();
  position_ = 0;
  try {
    workers_ = std::make_unique<SamplingWorkers>(threads_, expression_, calc_.Radians(),
                                                 SampleGrid(plan->from, plan->to, plan->step, plan->decimals),
                                                 chunkSize_, linePrefix);
    SubmitAhead();
  } catch (...) {
    return Abandon(std::current_exception());
  }
  return std::nullopt;
}

void SamplingRun::SubmitAhead() {
  while (!gridEnded_ && produced_ - consumed_ < slots_.size()) {
    workers_->Submit(slots_[produced_ % slots_.size()]);
    ++produced_;
  }
}

void SamplingRun::Wait(std::chrono::milliseconds timeout) {
  if (workers_ && !endReached_ && consumed_ < produced_) (void)workers_->WaitFor(slots_[consumed_ % slots_.size()], timeout);
}

std::optional<SamplingEnd> SamplingRun::Poll(PlotSeries& series, PlotProgress& progress) {
  return PollWith(progress, [&series](const SampleChunk& c, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
      if (c.has[i]) series.AddPoint(c.xs[i], c.ys[i]);
  });
}

std::optional<SamplingEnd> SamplingRun::Poll(PlotLines& lines, PlotProgress& progress) {
  return PollWith(progress, [&lines](const SampleChunk& c, std::size_t) { lines.AddLines(c.lines); });
}

template <typename HandOver>
std::optional<SamplingEnd> SamplingRun::PollWith(PlotProgress& progress, HandOver handOver) {
  if (!workers_) return std::nullopt;
  try {
    if (!begun_) {
      progress.SetRange(0, progressMaximum_);
      progress.SetPosition(0);
      begun_ = true;
    }
    const int before = position_;
    // At most one round of the chunks cut ahead per look, so that a look
    // stays short however fast the workers are.
    for (std::size_t round = 0; round < slots_.size() && !endReached_ && consumed_ < produced_; ++round) {
      SampleChunk& c = slots_[consumed_ % slots_.size()];
      if (!workers_->IsDone(c)) break;
      const std::size_t n = std::min(c.failedAt, c.xs.size());
      handOver(c, n);
      position_ += static_cast<int>(n);
      count_ += n;
      if (n > 0) lastX_ = c.xs[n - 1];
      ++consumed_;
      if (c.lastOfGrid) gridEnded_ = true;
      if (c.failedAt != kNoFailure) {
        if (c.error) std::rethrow_exception(c.error);
        // After a stop the run would not have reached the failure.
        if (!stopping_) failedX_ = c.xs[n];
        endReached_ = true;
      } else if (!stopping_) {
        SubmitAhead();
      }
    }
    // A stop keeps every point already computed in order.
    if (stopping_ || (consumed_ == produced_ && gridEnded_)) endReached_ = true;
    // The end (and its box) comes at the next look, once the owner has
    // shown the points handed over now.
    if (position_ != before) {
      progress.SetPosition(position_);
      return std::nullopt;
    }
    if (!endReached_) return std::nullopt;
    return Finish(progress);
  } catch (...) {
    return Abandon(std::current_exception());
  }
}

SamplingEnd SamplingRun::Finish(PlotProgress& progress) {
  workers_.reset();
  bool failed = failedX_.has_value();
  {
    // The calculator is left as the last sample left it: a sample that
    // failed on a worker is replayed here, where it fails the same way.
    PlotRun run(calc_);
    try {
      if (failed || count_ > 0) (void)EvaluateAt(calc_, expression_, failed ? *failedX_ : lastX_);
    } catch (const CalcFailure&) {
      failed = true;
    }
  }
  if (failed) {
    messages_.ShowMessage(MessageKind::Error, kCalcErrorText);
    return SamplingEnd::Failed;
  }
  progress.SetPosition(0);
  return stopping_ ? SamplingEnd::Stopped : SamplingEnd::Completed;
}

SamplingEnd SamplingRun::Abandon(const std::exception_ptr& error) {
  workers_.reset();
  error_ = FailureText(error);
  return SamplingEnd::Failed;
}

SamplingEnd RunSampling(Calculator& calc, const SamplingRequest& request, PlotSeries& series,
                        PlotProgress& progress, MessageSink& messages, int threads) {
  SamplingRun run(calc, messages, threads);
  if (const std::optional<SamplingEnd> end = run.Start(request)) return *end;
  for (;;) {
    if (const std::optional<SamplingEnd> end = run.Poll(series, progress)) return *end;
    run.Wait(std::chrono::milliseconds(kPollIntervalMs));
  }
}

}  // namespace veltrum
