#include "plotter/background_analysis.h"

#include <utility>

#include "plotter/sampling_workers.h"

namespace veltrum {

BackgroundAnalysis::BackgroundAnalysis(AnalysisRequest request, int threads,
                                       const std::function<void()>& finished) {
  try {
    thread_ = StartThread([this, request = std::move(request), threads, finished] {
      AnalysisResult result =
          Analyze(request, threads, [this] { return !stop_.load(std::memory_order_relaxed); });
      {
        const std::lock_guard lock(mutex_);
        result_ = std::move(result);
      }
      if (finished) finished();
    });
  } catch (...) {
    // No thread for the run: it ends at once with the failure's text.
    AnalysisResult result;
    result.end = RunEnd::FailedBy(std::current_exception());
    {
      const std::lock_guard lock(mutex_);
      result_ = std::move(result);
    }
    if (finished) finished();
  }
}

BackgroundAnalysis::~BackgroundAnalysis() {
  Stop();
  if (thread_.joinable()) thread_.join();
}

std::optional<AnalysisResult> BackgroundAnalysis::Result() {
  const std::lock_guard lock(mutex_);
  return result_;
}

}  // namespace veltrum
