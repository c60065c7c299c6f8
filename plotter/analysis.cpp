// The analysis in two rounds: the range is sampled as a plot run samples
// it (on the parallel sampling run's workers), then every bracket the
// samples show and the pieces of the integral become tasks that worker
// threads take one at a time, each on a Probe of its own. A task's result
// does not depend on the thread that computed it.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include "number/number_text.h"
#include "plotter/analysis_refine.h"
#include "plotter/sample_grid.h"
#include "plotter/sampling_workers.h"

namespace veltrum {
namespace {

// The integral's pieces: fixed, so that its value does not depend on the
// number of threads.
constexpr int kIntegralPieces = 4;
// As the plot run's chunks: large enough that handing one over costs
// nothing, small enough that short ranges spread over every worker.
constexpr std::size_t kMaxChunk = 4096;
constexpr std::size_t kChunksAhead = 4;

struct Samples {
  std::vector<double> xs, ys;
  std::vector<unsigned char> has;
  bool Valued(std::size_t i) const { return i < has.size() && has[i]; }
};

// Samples one expression over the plan on the sampling run's workers, in
// chunks taken back in ascending x; false when the run did not end.
bool Sample(const AnalysisRequest& r, std::string_view expression, int threads,
            const std::function<bool()>& keepGoing, Samples& out, AnalysisResult& result) {
  const std::size_t expected = static_cast<std::size_t>(r.plan.samples);
  out.xs.reserve(expected);
  out.ys.reserve(expected);
  out.has.reserve(expected);
  const std::size_t workerCount = static_cast<std::size_t>(std::max(threads, 1));
  const std::size_t chunkSize = std::clamp<std::size_t>(expected / (workerCount * 8), 1, kMaxChunk);
  // The chunks outlive the workers, which may still be writing to them.
  std::vector<SampleChunk> slots(workerCount * kChunksAhead);
  SamplingWorkers workers(static_cast<int>(workerCount), expression, r.radians,
                          SampleGrid(r.plan.from, r.plan.to, r.plan.step, r.plan.decimals), chunkSize, nullptr);
  std::size_t produced = 0, consumed = 0;
  bool gridEnded = false;
  const auto submitAhead = [&] {
    for (; !gridEnded && produced - consumed < slots.size(); ++produced) workers.Submit(slots[produced % slots.size()]);
  };
  submitAhead();
  while (consumed < produced) {
    const SampleChunk& c = slots[consumed % slots.size()];
    while (!workers.WaitFor(c, std::chrono::milliseconds(kPollIntervalMs))) {
      if (keepGoing && !keepGoing()) {
        result.stopped = true;
        return false;
      }
    }
    if (c.error) std::rethrow_exception(c.error);
    for (std::size_t i = 0; i < c.xs.size(); ++i) {
      if (i == c.failedAt) {
        result.failed = true;
        return false;
      }
      out.xs.push_back(c.xs[i]);
      out.ys.push_back(c.has[i] ? c.ys[i] : 0.0);
      out.has.push_back(c.has[i]);
    }
    result.evaluations += c.xs.size();
    ++consumed;
    if (c.lastOfGrid) gridEnded = true;
    if (keepGoing && !keepGoing()) {
      result.stopped = true;
      return false;
    }
    submitAhead();
  }
  return true;
}

enum class TaskKind { Zero, Cross, Minimum, Maximum, Integral };

struct Task {
  Task(TaskKind k, std::size_t at, bool flat = false) : kind(k), i(at), plateau(flat) {}
  TaskKind kind;
  std::size_t i = 0;    // the sample the bracket starts at (the middle one of an extremum)
  bool plateau = false;  // an extremum between samples i and i + 1 of equal value
  double a = 0, b = 0;   // an integral's piece
  Refined refined;
  IntegralValue integral;
};

void Perform(Task& t, Probe& probe, const Samples& f, const Samples& d, double share) {
  const Function1 fn = [&](double x) { return probe.F(x); };
  const Function1 diff = [&](double x) { return probe.Difference(x); };
  const std::size_t i = t.i;
  switch (t.kind) {
    case TaskKind::Zero:
      t.refined = RefineZero(fn, f.xs[i], f.ys[i], f.xs[i + 1], f.ys[i + 1], kMaxRefineEvaluations);
      break;
    case TaskKind::Cross:
      t.refined = RefineZero(diff, d.xs[i], d.ys[i], d.xs[i + 1], d.ys[i + 1], kMaxRefineEvaluations - 1);
      if (!t.refined.isBreak) {
        const std::optional<double> y = probe.F(t.refined.x);
        t.refined.isBreak = !y;
        t.refined.y = y.value_or(0.0);
      }
      break;
    case TaskKind::Minimum:
    case TaskKind::Maximum:
    {
      const std::size_t last = t.plateau ? i + 2 : i + 1;
      t.refined = RefineExtremum(fn, t.kind == TaskKind::Maximum, f.xs[i - 1], f.ys[i - 1], f.xs[i], f.ys[i],
                                 f.xs[last], f.ys[last], kMaxRefineEvaluations);
    }
      break;
    case TaskKind::Integral:
      t.integral = IntegratePiece(fn, t.a, t.b, share, kMaxIntegralEvaluations / kIntegralPieces);
      break;
  }
}

// Runs the tasks on up to threads workers; the calling thread waits and
// asks keepGoing. False when stopped or failed.
bool RunTasks(std::vector<Task>& tasks, const AnalysisRequest& r, const Samples& f, const Samples& d, int threads,
              const std::function<bool()>& keepGoing, AnalysisResult& result) {
  if (tasks.empty()) return true;
  const int workers = std::clamp(threads, 1, static_cast<int>(tasks.size()));
  std::atomic<std::size_t> next{0};
  std::atomic<bool> stop{false};
  std::mutex mutex;
  std::condition_variable ended;
  int running = workers;
  bool failed = false;
  std::exception_ptr error;
  const double share = 1.0 / kIntegralPieces;
  std::vector<std::thread> pool;
  pool.reserve(static_cast<std::size_t>(workers));
  for (int w = 0; w < workers; ++w) {
    pool.emplace_back([&] {
      Probe probe(r.expression, r.second, r.radians);
      bool calcFailure = false;
      std::exception_ptr caught;
      for (std::size_t k; !stop.load(std::memory_order_relaxed) && (k = next.fetch_add(1)) < tasks.size();) {
        try {
          Perform(tasks[k], probe, f, d, share);
        } catch (const CalcFailure&) {
          calcFailure = true;
        } catch (...) {
          caught = std::current_exception();
        }
        if (calcFailure || caught) stop = true;
      }
      const std::lock_guard lock(mutex);
      result.evaluations += static_cast<std::size_t>(probe.Count());
      failed = failed || calcFailure;
      if (caught) error = caught;
      --running;
      ended.notify_all();
    });
  }
  {
    std::unique_lock lock(mutex);
    while (running > 0) {
      if (ended.wait_for(lock, std::chrono::milliseconds(kPollIntervalMs), [&] { return running == 0; })) break;
      lock.unlock();
      if (keepGoing && !keepGoing()) {
        stop = true;
        result.stopped = true;
      }
      lock.lock();
    }
  }
  for (std::thread& t : pool) t.join();
  if (error) std::rethrow_exception(error);
  result.failed = failed;
  return !failed && !result.stopped;
}

void Collect(const std::vector<Task>& tasks, const Samples& f, double step, AnalysisResult& result) {
  IntegralValue& integral = result.integral;
  struct Pole {
    double x;
    bool fromSignChange;
  };
  std::vector<Pole> breaks;
  for (const Task& t : tasks) {
    if (t.kind == TaskKind::Integral) {
      if (t.integral.end == IntegralValue::End::Computed) {
        if (integral.end == IntegralValue::End::Computed) {
          integral.extended += t.integral.extended;
          integral.value = static_cast<double>(integral.extended);
        }
      } else if (integral.end == IntegralValue::End::Computed) {
        integral = t.integral;
      }
      continue;
    }
    const Refined& r = t.refined;
    if (t.kind == TaskKind::Cross) {
      if (!r.isBreak) result.findings.push_back({FindingKind::Intersection, r.x, r.y});
      continue;
    }
    if (r.isBreak) {
      breaks.push_back({r.x, t.kind == TaskKind::Zero});
      continue;
    }
    const FindingKind kind = t.kind == TaskKind::Zero      ? FindingKind::Root
                             : t.kind == TaskKind::Minimum ? FindingKind::Minimum
                                                           : FindingKind::Maximum;
    result.findings.push_back({kind, r.x, r.y});
  }
  // A pole between samples also looks like a maximum on one side and a
  // minimum on the other (tg[x] at pi/2): one break within a step, the one
  // the sign change located.
  std::stable_sort(breaks.begin(), breaks.end(),
                   [](const Pole& p, const Pole& q) { return p.fromSignChange > q.fromSignChange; });
  std::vector<double> kept;
  for (const Pole& p : breaks) {
    const bool near = std::any_of(kept.begin(), kept.end(), [&](double k) { return std::fabs(k - p.x) <= step; });
    if (!near) kept.push_back(p.x);
  }
  for (double x : kept) result.findings.push_back({FindingKind::Break, x, 0});
  // A point where the function fails or grows without bound, inside the
  // range, leaves the integral undefined there.
  std::optional<double> undefined;
  for (std::size_t i = 0; i < f.xs.size() && !undefined; ++i)
    if (!f.has[i]) undefined = f.xs[i];
  for (const Finding& g : result.findings)
    if (g.kind == FindingKind::Break && (!undefined || g.x < *undefined)) undefined = g.x;
  if (undefined) {
    integral = {};
    integral.end = IntegralValue::End::Undefined;
    integral.undefinedAt = *undefined;
  }
  std::stable_sort(result.findings.begin(), result.findings.end(),
                   [](const Finding& p, const Finding& q) { return p.x < q.x; });
}

}  // namespace

AnalysisResult Analyze(const AnalysisRequest& r, int threads, const std::function<bool()>& keepGoing) {
  AnalysisResult result;
  Samples f, g, d;
  if (!Sample(r, r.expression, threads, keepGoing, f, result)) return result;
  const bool crossing = !r.second.empty();
  if (crossing) {
    if (!Sample(r, r.second, threads, keepGoing, g, result)) return result;
    d = f;
    for (std::size_t i = 0; i < d.xs.size(); ++i) {
      d.has[i] = f.has[i] && g.has[i];
      d.ys[i] = d.has[i] ? f.ys[i] - g.ys[i] : 0.0;
    }
  }

  std::vector<Task> tasks;
  const std::size_t n = f.xs.size();
  bool anyFailed = false;
  for (std::size_t i = 0; i < n; ++i) {
    if (!f.has[i]) {
      anyFailed = true;
      // One failing sample between two valued ones: a pole or a hole.
      if (i > 0 && f.Valued(i - 1) && f.Valued(i + 1)) result.findings.push_back({FindingKind::Break, f.xs[i], 0});
      continue;
    }
    if (f.ys[i] == 0) result.findings.push_back({FindingKind::Root, f.xs[i], 0});
    if (f.Valued(i + 1) && (f.ys[i] < 0) != (f.ys[i + 1] < 0) && f.ys[i] != 0 && f.ys[i + 1] != 0)
      tasks.emplace_back(TaskKind::Zero, i);
    if (i > 0 && f.Valued(i - 1) && f.Valued(i + 1)) {
      if (f.ys[i] > f.ys[i - 1] && f.ys[i] > f.ys[i + 1]) tasks.emplace_back(TaskKind::Maximum, i);
      if (f.ys[i] < f.ys[i - 1] && f.ys[i] < f.ys[i + 1]) tasks.emplace_back(TaskKind::Minimum, i);
      // Two equal samples at the top or the bottom: the extremum lies
      // between them (a symmetric hump halfway between grid points).
      if (f.ys[i] == f.ys[i + 1] && f.Valued(i + 2)) {
        if (f.ys[i] > f.ys[i - 1] && f.ys[i] > f.ys[i + 2]) tasks.emplace_back(TaskKind::Maximum, i, true);
        if (f.ys[i] < f.ys[i - 1] && f.ys[i] < f.ys[i + 2]) tasks.emplace_back(TaskKind::Minimum, i, true);
      }
    }
    if (crossing && d.has[i]) {
      if (d.ys[i] == 0) result.findings.push_back({FindingKind::Intersection, d.xs[i], f.ys[i]});
      if (d.Valued(i + 1) && (d.ys[i] < 0) != (d.ys[i + 1] < 0) && d.ys[i] != 0 && d.ys[i + 1] != 0)
        tasks.emplace_back(TaskKind::Cross, i);
    }
  }
  if (!anyFailed) {
    result.integral.end = IntegralValue::End::Computed;
    const double width = (r.plan.to - r.plan.from) / kIntegralPieces;
    for (int p = 0; p < kIntegralPieces; ++p) {
      Task t(TaskKind::Integral, 0);
      t.a = r.plan.from + p * width;
      t.b = p + 1 == kIntegralPieces ? r.plan.to : r.plan.from + (p + 1) * width;
      tasks.push_back(t);
    }
  }
  if (!RunTasks(tasks, r, f, d, threads, keepGoing, result)) {
    result.findings.clear();
    result.integral = {};
    return result;
  }
  Collect(tasks, f, r.plan.step, result);
  const std::size_t every = n / kCurvePoints + 1;
  for (std::size_t i = 0; i < n; ++i)
    if (f.has[i] && (i % every == 0 || i + 1 == n)) {
      result.curveX.push_back(f.xs[i]);
      result.curveY.push_back(f.ys[i]);
    }
  return result;
}

std::optional<double> ValueAt(std::string_view expression, double x, bool radians) {
  Calculator calc;
  calc.Press(radians ? Key::optRad : Key::optGrad);
  PlotRun run(calc);
  return Evaluator().At(calc, expression, x);
}

std::string IntegralMessage(const IntegralValue& integral) {
  switch (integral.end) {
    case IntegralValue::End::Undefined:
      return "Интеграл не вычислен: функция не определена при x = " + NumberText(integral.undefinedAt) + ".";
    case IntegralValue::End::NotConverged:
      return "Интеграл не вычислен: заданная точность не достигнута.";
    default:
      return {};
  }
}

}  // namespace veltrum
