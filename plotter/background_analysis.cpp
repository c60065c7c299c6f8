#include "plotter/background_analysis.h"

#include <utility>

namespace veltrum {

BackgroundAnalysis::BackgroundAnalysis(AnalysisRequest request, int threads, std::function<void()> finished) {
  thread_ = std::thread([this, request = std::move(request), threads, finished = std::move(finished)] {
    std::optional<AnalysisResult> result;
    std::exception_ptr error;
    try {
      result = Analyze(request, threads, [this] { return !stop_.load(std::memory_order_relaxed); });
    } catch (...) {
      error = std::current_exception();
      result.emplace();
    }
    {
      const std::lock_guard lock(mutex_);
      result_ = std::move(result);
      error_ = error;
    }
    if (finished) finished();
  });
}

BackgroundAnalysis::~BackgroundAnalysis() {
  Stop();
  thread_.join();
}

std::optional<AnalysisResult> BackgroundAnalysis::Result() {
  const std::lock_guard lock(mutex_);
  if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
  return result_;
}

}  // namespace veltrum
