#include "plotter/background_sampling.h"

#include <utility>

namespace veltrum {

BackgroundSampling::BackgroundSampling(const SamplingPlan& plan, std::string expression, bool radians,
                                       int threads, std::function<void()> finished)
    : expression_(std::move(expression)) {
  thread_ = std::thread([this, plan, radians, threads, finished = std::move(finished)] {
    const SampleGrid grid(plan.from, plan.to, plan.step, plan.decimals);
    SamplesTaken taken;
    std::exception_ptr error;
    // Samples are handed over in batches: one lock per batch, not per sample.
    std::vector<Sample> batch;
    batch.reserve(kBatch);
    const auto handOver = [&] {
      const std::lock_guard lock(mutex_);
      ready_.insert(ready_.end(), batch.begin(), batch.end());
      batch.clear();
    };
    try {
      taken = TakeSamplesInParallel(
          grid, expression_, radians, threads, static_cast<std::size_t>(plan.samples),
          [this] { return !stop_.load(std::memory_order_relaxed); },
          [&](double x, std::optional<double> y) {
            batch.push_back({x, y});
            if (batch.size() == kBatch) handOver();
          });
    } catch (...) {
      error = std::current_exception();
    }
    handOver();
    {
      const std::lock_guard lock(mutex_);
      result_ = taken;
      error_ = error;
    }
    if (finished) finished();
  });
}

BackgroundSampling::~BackgroundSampling() {
  Stop();
  thread_.join();
}

void BackgroundSampling::Collect(std::vector<Sample>& out) {
  const std::lock_guard lock(mutex_);
  if (out.empty())
    out.swap(ready_);
  else
    out.insert(out.end(), ready_.begin(), ready_.end());
  ready_.clear();
  collectedAll_ = result_.has_value();
}

std::optional<SamplesTaken> BackgroundSampling::Result() const {
  const std::lock_guard lock(mutex_);
  if (!collectedAll_) return std::nullopt;
  if (error_) std::rethrow_exception(error_);
  return result_;
}

}  // namespace veltrum
