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
    try {
      taken = TakeSamplesInParallel(
          grid, expression_, radians, threads, static_cast<std::size_t>(plan.samples),
          [this] { return !stop_.load(std::memory_order_relaxed); },
          [this](double x, std::optional<double> y) {
            const std::lock_guard lock(mutex_);
            ready_.push_back({x, y});
          });
    } catch (...) {
      error = std::current_exception();
    }
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
