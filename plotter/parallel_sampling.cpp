// Samples are independent: every one starts with C on the calculator, so a
// run can be split into chunks of consecutive samples that worker threads
// compute on calculators of their own. The calling thread cuts the x values
// (each depends on the one before), hands the chunks out and takes them back
// in order, so what it hands over is the sequential run's sequence.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "calculator/calculator.h"
#include "number/failure.h"
#include "calculator/plot_run.h"
#include "plotter/evaluator.h"
#include "plotter/sample_grid.h"
#include "plotter/sampling.h"

namespace veltrum {
namespace {

constexpr std::size_t kNoFailure = SIZE_MAX;
// Large enough that handing a chunk over costs nothing next to computing
// it, small enough that short runs still spread over every worker.
constexpr std::size_t kMaxChunk = 4096;
// Chunks cut ahead per worker: keeps workers busy while the calling thread
// hands points over, and bounds the memory of a long run.
constexpr std::size_t kChunksAheadPerWorker = 4;

struct Chunk {
  std::vector<double> xs;
  std::vector<double> ys;
  std::vector<unsigned char> has;
  std::size_t failedAt = kNoFailure;
  // A failure that is not the calculator's own (out of memory, say) goes
  // on to the calling thread as it stands.
  std::exception_ptr error;
  bool done = false;
};

class Workers {
 public:
  Workers(int threads, std::string_view expression, bool radians)
      : expression_(expression), radians_(radians) {
    threads_.reserve(static_cast<std::size_t>(threads));
    try {
      for (int i = 0; i < threads; ++i) threads_.emplace_back([this] { Work(); });
    } catch (const std::system_error&) {
      // No room for another thread's stack: the run goes on with the
      // workers it has, and only without any fails.
      if (threads_.empty()) throw;
    }
  }
  Workers(const Workers&) = delete;
  Workers& operator=(const Workers&) = delete;
  // Also on an exception of the calling thread: no worker outlives the run.
  ~Workers() {
    {
      const std::lock_guard lock(mutex_);
      closing_ = true;
    }
    abandon_.store(true, std::memory_order_relaxed);
    work_.notify_all();
    for (std::thread& t : threads_) t.join();
  }

  void Submit(Chunk& c) {
    c.done = false;
    c.failedAt = kNoFailure;
    c.error = nullptr;
    {
      const std::lock_guard lock(mutex_);
      queue_.push_back(&c);
    }
    work_.notify_one();
  }

  bool IsDone(const Chunk& c) {
    const std::lock_guard lock(mutex_);
    return c.done;
  }

  // Waits at most timeout for c; true when it is done.
  bool WaitFor(const Chunk& c, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return finished_.wait_for(lock, timeout, [&] { return c.done; });
  }

 private:
  void Work() {
    Calculator calc;
    calc.SelectAngleUnit(radians_);
    PlotRun run(calc);
    Evaluator evaluator;
    for (;;) {
      Chunk* c = nullptr;
      {
        std::unique_lock lock(mutex_);
        work_.wait(lock, [&] { return closing_ || !queue_.empty(); });
        if (closing_) return;
        c = queue_.front();
        queue_.pop_front();
      }
      Compute(calc, run, evaluator, *c);
      {
        const std::lock_guard lock(mutex_);
        c->done = true;
      }
      finished_.notify_all();
    }
  }

  void Compute(Calculator& calc, PlotRun& run, Evaluator& evaluator, Chunk& c) {
    const std::size_t n = c.xs.size();
    c.ys.resize(n);
    c.has.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
      if (abandon_.load(std::memory_order_relaxed)) return;
      try {
        const std::optional<double> y = evaluator.At(calc, expression_, c.xs[i]);
        c.has[i] = y.has_value();
        c.ys[i] = y.value_or(0.0);
      } catch (const CalcFailure&) {
        c.failedAt = i;
        run.NextSample();
        return;
      } catch (...) {
        c.failedAt = i;
        c.error = std::current_exception();
        return;
      }
      run.NextSample();
    }
  }

  const std::string_view expression_;
  const bool radians_;
  std::mutex mutex_;
  std::condition_variable work_, finished_;
  std::deque<Chunk*> queue_;
  bool closing_ = false;
  std::atomic<bool> abandon_{false};
  std::vector<std::thread> threads_;
};

}  // namespace

int DefaultSamplingThreads() {
  const unsigned n = std::thread::hardware_concurrency();
  return n == 0 ? 1 : static_cast<int>(n);
}

SamplesTaken TakeSamplesInParallel(SampleGrid grid, std::string_view expression, bool radians, int threads,
                                   std::size_t expectedSamples, const std::function<bool()>& keepGoing,
                                   const SampleSink& sink) {
  const std::size_t workers = static_cast<std::size_t>(std::max(threads, 1));
  const std::size_t chunkSize = std::clamp<std::size_t>(expectedSamples / (workers * 8), 1, kMaxChunk);
  std::vector<Chunk> slots(workers * kChunksAheadPerWorker);
  Workers pool(static_cast<int>(workers), expression, radians);

  SamplesTaken taken;
  std::size_t produced = 0, consumed = 0;
  bool gridEnded = false;
  auto cutAhead = [&] {
    while (!gridEnded && produced - consumed < slots.size()) {
      Chunk& c = slots[produced % slots.size()];
      c.xs.clear();
      double x;
      while (c.xs.size() < chunkSize && grid.Next(x)) c.xs.push_back(x);
      if (c.xs.size() < chunkSize) gridEnded = true;
      if (c.xs.empty()) break;
      pool.Submit(c);
      ++produced;
    }
  };
  cutAhead();
  bool stopping = false;
  while (consumed < produced) {
    const Chunk& c = slots[consumed % slots.size()];
    if (stopping) {
      // A stop keeps every point already computed in order.
      if (!pool.IsDone(c)) break;
    } else {
      while (!stopping && !pool.WaitFor(c, std::chrono::milliseconds(kPollIntervalMs)))
        stopping = keepGoing && !keepGoing();
      if (stopping) continue;
    }
    for (std::size_t i = 0; i < c.xs.size(); ++i) {
      if (i == c.failedAt) {
        if (c.error) std::rethrow_exception(c.error);
        // After a stop the run would not have reached the failure.
        taken.end = stopping ? SamplesTaken::End::Stopped : SamplesTaken::End::Failed;
        taken.failedX = c.xs[i];
        return taken;
      }
      sink(c.xs[i], c.has[i] ? std::optional<double>(c.ys[i]) : std::nullopt);
      taken.lastX = c.xs[i];
      ++taken.count;
    }
    ++consumed;
    if (stopping) continue;
    stopping = keepGoing && !keepGoing();
    if (!stopping) cutAhead();
  }
  if (stopping) taken.end = SamplesTaken::End::Stopped;
  return taken;
}

}  // namespace veltrum
