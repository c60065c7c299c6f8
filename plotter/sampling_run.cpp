#include "plotter/sampling_run.h"

#include <algorithm>
#include <thread>

#include "calculator/calculator.h"

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

SamplingRun::SamplingRun(int threads) : threads_(std::max(threads, 1)) {}

SamplingRun::~SamplingRun() = default;

std::optional<RunEnd> SamplingRun::Start(const SamplingRequest& request, bool radians,
                                         const std::string* linePrefix) {
  workers_.reset();
  RunEnd refusal;
  const std::optional<SamplingPlan> plan = PlanSampling(request, refusal);
  if (!plan) return refusal;
  return Start(*plan, request.expression, radians, linePrefix);
}

std::optional<RunEnd> SamplingRun::Start(const SamplingPlan& plan, std::string_view expression, bool radians,
                                         const std::string* linePrefix) {
  workers_.reset();
  expression_.assign(expression);
  gridEnded_ = false;
  expected_ = static_cast<std::size_t>(plan.samples);
  progressMaximum_ = plan.progressMaximum;
  const std::size_t workers = static_cast<std::size_t>(threads_);
  chunkSize_ = std::clamp<std::size_t>(expected_ / (workers * 8), 1, kMaxChunk);
  slots_.assign(workers * kChunksAheadPerWorker, SampleChunk{});
  produced_ = consumed_ = 0;
  begun_ = stopping_ = endReached_ = failed_ = false;
  position_ = 0;
  display_.reset();
  try {
    workers_ = std::make_unique<SamplingWorkers>(threads_, expression_, radians,
                                                 SampleGrid(plan.from, plan.to, plan.step, plan.decimals),
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

std::optional<RunEnd> SamplingRun::Poll(PlotSeries& series, PlotProgress& progress) {
  return PollWith(progress, [&series](const SampleChunk& c, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
      if (c.has[i]) series.AddPoint(c.xs[i], c.ys[i]);
  });
}

std::optional<RunEnd> SamplingRun::Poll(PlotLines& lines, PlotProgress& progress) {
  return PollWith(progress, [&lines](const SampleChunk& c, std::size_t) { lines.AddLines(c.lines); });
}

std::optional<RunEnd> SamplingRun::Poll(SampleSink& samples, PlotProgress& progress) {
  return PollWith(progress, [&samples](const SampleChunk& c, std::size_t n) {
    samples.AddSamples(std::span(c.xs).first(n), std::span(c.ys).first(n), std::span(c.has).first(n));
  });
}

template <typename HandOver>
std::optional<RunEnd> SamplingRun::PollWith(PlotProgress& progress, HandOver handOver) {
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
      if (n > 0) display_ = c.display;
      ++consumed_;
      if (c.lastOfGrid) gridEnded_ = true;
      if (c.failedAt != kNoFailure) {
        if (c.error) std::rethrow_exception(c.error);
        // After a stop the run would not have reached the failure.
        if (!stopping_) {
          failed_ = true;
          display_ = c.failedDisplay;
        }
        endReached_ = true;
      } else if (!stopping_) {
        SubmitAhead();
      }
    }
    // A stop keeps every sample already computed in order.
    if (stopping_ || (consumed_ == produced_ && gridEnded_)) endReached_ = true;
    // The end comes at the next look, once the owner has shown the
    // samples handed over now.
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

RunEnd SamplingRun::Finish(PlotProgress& progress) {
  workers_.reset();
  RunEnd end;
  if (failed_) {
    end = RunEnd::Failed(RunEnd::Failure::Calculation, kCalcErrorText);
  } else {
    progress.SetPosition(0);
    end.kind = stopping_ ? RunEnd::Kind::Stopped : RunEnd::Kind::Completed;
  }
  end.display = std::move(display_);
  return end;
}

RunEnd SamplingRun::Abandon(const std::exception_ptr& error) {
  workers_.reset();
  return RunEnd::FailedBy(error);
}

RunEnd RunSampling(Calculator& calc, const SamplingRequest& request, PlotSeries& series,
                   PlotProgress& progress, MessageSink& messages, int threads) {
  const std::uint64_t inputs = calc.InputCount();
  SamplingRun run(threads);
  std::optional<RunEnd> end = run.Start(request, calc.Radians());
  while (!end) {
    end = run.Poll(series, progress);
    if (!end) run.Wait(std::chrono::milliseconds(kPollIntervalMs));
  }
  if (ShownAsMessage(end->failure)) messages.ShowMessage(MessageKind::Error, end->text);
  (void)LeaveLastSample(calc, *end, inputs);
  return *end;
}

}  // namespace veltrum
