#include "plotter/sampling_workers.h"

#include <algorithm>
#include <new>
#include <system_error>

#include "calculator/calculator.h"
#include "calculator/plot_run.h"
#include "number/failure.h"
#include "number/number_texts.h"
#include "plotter/evaluator.h"
#include "plotter/sampling.h"

namespace veltrum {

ThreadStartFailure::ThreadStartFailure(const std::string& reason)
    : std::runtime_error(std::string(kNoThreadText) + ": " + reason) {}

std::thread StartThread(std::function<void()> body) {
  try {
    return std::thread(std::move(body));
  } catch (const std::system_error& e) {
    throw ThreadStartFailure(e.what());
  }
}

SamplingWorkers::SamplingWorkers(int threads, std::string_view expression, bool radians,
                                 std::optional<SampleGrid> grid, std::size_t chunkSize,
                                 const std::string* linePrefix)
    : expression_(expression),
      radians_(radians),
      writeLines_(linePrefix != nullptr),
      linePrefix_(linePrefix ? *linePrefix : std::string()),
      chunkSize_(std::max<std::size_t>(chunkSize, 1)),
      grid_(grid) {
  threads_.reserve(static_cast<std::size_t>(threads));
  try {
    for (int i = 0; i < threads; ++i) threads_.push_back(StartThread([this] { Work(); }));
  } catch (...) {
    Close();
    throw;
  }
}

SamplingWorkers::~SamplingWorkers() { Close(); }

void SamplingWorkers::Close() {
  {
    const std::lock_guard lock(mutex_);
    closing_ = true;
  }
  abandon_.store(true, std::memory_order_relaxed);
  work_.notify_all();
  gridPassed_.notify_all();
  for (std::thread& t : threads_)
    if (t.joinable()) t.join();
}

void SamplingWorkers::Submit(SampleChunk& c) {
  c.done = false;
  c.failedAt = kNoFailure;
  c.error = nullptr;
  c.lastOfGrid = false;
  {
    const std::lock_guard lock(mutex_);
    c.gridTurn = submitted_++;
    queue_.emplace_back(&c);
  }
  work_.notify_one();
}

void SamplingWorkers::Submit(WorkerJob& job) {
  job.done = false;
  job.error = nullptr;
  {
    const std::lock_guard lock(mutex_);
    queue_.emplace_back(&job);
  }
  work_.notify_one();
}

bool SamplingWorkers::IsDone(const SampleChunk& c) {
  const std::lock_guard lock(mutex_);
  return c.done;
}

bool SamplingWorkers::WaitFor(const bool& done, std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return finished_.wait_for(lock, timeout, [&] { return done; });
}

void SamplingWorkers::Work() {
  Calculator calc;
  calc.Press(radians_ ? Key::optRad : Key::optGrad);
  PlotRun run(calc);
  Evaluator evaluator;
  WorkerTools tools{.calc = calc, .run = run, .evaluator = evaluator, .abandon = abandon_};
  NumberTexts& texts = PlotRun::Texts(calc);
  XTexts xTexts;
  for (;;) {
    std::variant<SampleChunk*, WorkerJob*> item;
    {
      std::unique_lock lock(mutex_);
      work_.wait(lock, [&] { return closing_ || !queue_.empty(); });
      if (closing_) return;
      item = queue_.front();
      queue_.pop_front();
    }
    bool* done = nullptr;
    if (SampleChunk** chunk = std::get_if<SampleChunk*>(&item)) {
      SampleChunk& c = **chunk;
      done = &c.done;
      std::exception_ptr gridError;
      // Only workers with a grid are handed chunks; one without ends as
      // one whose grid failed.
      if (!grid_ || !CutGrid(*grid_, c, texts, xTexts, gridError)) return;
      try {
        Compute(tools, xTexts, c);
      } catch (...) {
        // Out of memory before the first sample: the chunk ends there.
        c.failedAt = 0;
        c.error = std::current_exception();
      }
      // The x values cut before the grid failed are computed; the chunk
      // fails after them.
      if (gridError && c.failedAt == kNoFailure) {
        c.failedAt = c.xs.size();
        c.error = gridError;
      }
    } else {
      WorkerJob& job = *std::get<WorkerJob*>(item);
      done = &job.done;
      try {
        job.work(tools);
      } catch (...) {
        job.error = std::current_exception();
      }
    }
    {
      const std::lock_guard lock(mutex_);
      *done = true;
    }
    finished_.notify_all();
  }
}

// Waits for the chunk's turn at the grid, cuts its x values and hands the
// grid on; false when the workers are closing. A failure while cutting
// (no memory for a long number text) ends the grid there.
bool SamplingWorkers::CutGrid(SampleGrid& grid, SampleChunk& c, NumberTexts& texts, XTexts& xTexts,
                              std::exception_ptr& error) {
  bool ended = false;
  {
    std::unique_lock lock(mutex_);
    gridPassed_.wait(lock, [&] { return closing_ || gridTurn_ == c.gridTurn; });
    if (closing_) return false;
    ended = gridEnded_;
  }
  c.xs.clear();
  xTexts.chars.clear();
  xTexts.lengths.clear();
  try {
    double x;
    char text[kNumberTextCapacity];
    while (!ended && c.xs.size() < chunkSize_) {
      if (grid.Next(x, texts)) {
        // A copy: cutting the grid wrote x's text a moment ago.
        const std::size_t len = texts.Format(x, text);
        xTexts.chars.append(text, len);
        xTexts.lengths.push_back(static_cast<std::uint8_t>(len));
        c.xs.push_back(x);
      } else {
        ended = true;
      }
    }
  } catch (...) {
    ended = true;
    error = std::current_exception();
  }
  c.lastOfGrid = ended;
  {
    const std::lock_guard lock(mutex_);
    gridEnded_ = ended;
    ++gridTurn_;
  }
  gridPassed_.notify_all();
  return true;
}

void SamplingWorkers::Compute(WorkerTools& tools, const XTexts& xTexts, SampleChunk& c) {
  Calculator& calc = tools.calc;
  PlotRun& run = tools.run;
  Evaluator& evaluator = tools.evaluator;
  const std::string_view expression = expression_;
  const std::size_t n = c.xs.size();
  c.ys.resize(n);
  c.has.resize(n);
  c.lines.clear();
  c.display.clear();
  char line[2 * kNumberTextCapacity + 2];
  // The calculator's own texts: x's text as the grid wrote it is the last
  // one when the evaluator types x, and y was written when the display
  // showed it, so the evaluator's and both lines' texts are copies.
  NumberTexts& texts = PlotRun::Texts(calc);
  std::size_t textAt = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (abandon_.load(std::memory_order_relaxed)) {
      // The display still shows what the last sample computed left.
      if (i > 0) c.display.assign(calc.Text1());
      return;
    }
    const std::size_t mark = c.lines.size();
    texts.Remember(c.xs[i], std::string_view(xTexts.chars).substr(textAt, xTexts.lengths[i]));
    textAt += xTexts.lengths[i];
    try {
      const std::optional<double> y = evaluator.At(calc, expression, c.xs[i]);
      c.has[i] = y.has_value();
      c.ys[i] = y.value_or(0.0);
      if (writeLines_ && y) {
        std::size_t len = texts.Format(c.xs[i], line);
        line[len++] = '\t';
        len += texts.Format(*y, line + len);
        line[len++] = '\n';
        c.lines.append(linePrefix_);
        c.lines.append(line, len);
      }
    } catch (const CalcFailure&) {
      c.failedAt = i;
      c.failedDisplay.assign(calc.Text1());
      run.NextSample();
      return;
    } catch (...) {
      c.lines.resize(mark);
      c.failedAt = i;
      c.error = std::current_exception();
      return;
    }
    run.NextSample();
  }
  if (n > 0) c.display.assign(calc.Text1());
}

}  // namespace veltrum
