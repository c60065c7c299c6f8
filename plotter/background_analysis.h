#pragma once
// An analysis computed away from the caller's thread, so that a window
// stays in its own event loop: the caller starts it, may ask it to stop,
// and takes the result once finished has been called.
#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "plotter/analysis.h"

namespace veltrum {

class BackgroundAnalysis {
 public:
  // finished is called on the run's own thread once the result is ready,
  // or here, before the constructor returns, when no thread can be started
  // for the run (the result then ends with that failure).
  BackgroundAnalysis(AnalysisRequest request, int threads, const std::function<void()>& finished);
  // Stops the run and waits for its threads.
  ~BackgroundAnalysis();
  BackgroundAnalysis(const BackgroundAnalysis&) = delete;
  BackgroundAnalysis& operator=(const BackgroundAnalysis&) = delete;

  void Stop() { stop_.store(true, std::memory_order_relaxed); }
  // The result once the run has ended.
  std::optional<AnalysisResult> Result();

 private:
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::optional<AnalysisResult> result_;
  std::thread thread_;
};

}  // namespace veltrum
