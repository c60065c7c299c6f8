// The analysis in two rounds: the range is sampled by a sampling run, as a
// plot run samples it, then every bracket the samples show and the pieces
// of the integral become tasks that workers take one at a time, each on
// its own calculator. A task's result does not depend on the worker that
// computed it.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <exception>
#include <span>

#include "calculator/calculator.h"
#include "calculator/plot_run.h"
#include "number/number_text.h"
#include "plotter/analysis_refine.h"
#include "plotter/evaluator.h"
#include "plotter/sampling_run.h"
#include "plotter/sampling_workers.h"

namespace veltrum {
namespace {

// The integral's pieces: fixed, so that its value does not depend on the
// number of threads.
constexpr int kIntegralPieces = 4;
// The owner looks at keepGoing this often while it waits, so that a stop
// is answered within a few milliseconds.
constexpr std::chrono::milliseconds kStopLook{2};
// Samples the owner scans between two looks at keepGoing.
constexpr std::size_t kScanBetweenLooks = std::size_t{1} << 16;

struct Samples : SampleSink {
  std::vector<double> xs, ys;
  std::vector<unsigned char> has;
  bool Valued(std::size_t i) const { return i < has.size() && has[i]; }
  void AddSamples(std::span<const double> x, std::span<const double> y,
                  std::span<const unsigned char> valued) override {
    // A sample without value has y 0.
    xs.insert(xs.end(), x.begin(), x.end());
    ys.insert(ys.end(), y.begin(), y.end());
    has.insert(has.end(), valued.begin(), valued.end());
  }
};

// No progress bar is shown while the analysis goes on.
struct NoProgress : PlotProgress {
  void SetRange(int, int) override {}
  void SetPosition(int) override {}
};

// Asks keepGoing; false (and the result marked stopped) when it says no.
bool Going(const std::function<bool()>& keepGoing, AnalysisResult& result) {
  if (keepGoing && !keepGoing()) result.end.kind = RunEnd::Kind::Stopped;
  return result.end.kind != RunEnd::Kind::Stopped;
}

// Waits for a job, asking keepGoing meanwhile; false when stopped.
bool Await(SamplingWorkers& workers, const WorkerJob& job, const std::function<bool()>& keepGoing,
           AnalysisResult& result) {
  while (!workers.WaitFor(job, kStopLook))
    if (!Going(keepGoing, result)) return false;
  return true;
}

// Samples one expression over the plan through a sampling run, as a plot
// run samples it; false when the run did not complete, with its end in
// the result.
bool Sample(const AnalysisRequest& r, std::string_view expression, int threads,
            const std::function<bool()>& keepGoing, Samples& out, AnalysisResult& result) {
  const std::size_t expected = static_cast<std::size_t>(r.plan.samples);
  out.xs.reserve(expected);
  out.ys.reserve(expected);
  out.has.reserve(expected);
  NoProgress progress;
  SamplingRun run(threads);
  std::optional<RunEnd> end = run.Start(r.plan, expression, r.radians);
  bool stopped = false;
  while (!end) {
    if (!stopped && !Going(keepGoing, result)) {
      stopped = true;
      run.Stop();
    }
    end = run.Poll(out, progress);
    if (!end) run.Wait(kStopLook);
  }
  result.evaluations += out.xs.size();
  result.end = std::move(*end);
  // Samples taken before the stop was seen still end the analysis there.
  if (stopped && result.end.kind == RunEnd::Kind::Completed) result.end.kind = RunEnd::Kind::Stopped;
  return result.end.kind == RunEnd::Kind::Completed;
}

enum class TaskKind : std::uint8_t { Zero, Cross, Minimum, Maximum, Integral };

struct Task {
  Task(TaskKind k, std::size_t at, bool flat = false) : kind(k), i(at), plateau(flat) {}
  TaskKind kind;
  std::size_t i = 0;     // the sample the bracket starts at (the middle one of an extremum)
  bool plateau = false;  // an extremum between samples i and i + 1 of equal value
  double a = 0, b = 0;   // an integral's piece
  Refined refined;
  IntegralValue integral;
};

// undefined is set once a refinement has found a break: the integral is
// then not defined, and its pieces end at their next evaluation.
void Perform(Task& t, Probe& probe, const Samples& f, const Samples& d, std::atomic<bool>& undefined) {
  const Function1 fn = [&](double x) { return probe.F(x); };
  const Function1 diff = [&](double x) { return probe.Difference(x); };
  const std::size_t i = t.i;
  switch (t.kind) {
    case TaskKind::Zero:
      t.refined = RefineZero(fn, f.xs[i], f.ys[i], f.xs[i + 1], f.ys[i + 1], kMaxRefineEvaluations);
      if (t.refined.isBreak) undefined = true;
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
    case TaskKind::Maximum: {
      const std::size_t last = t.plateau ? i + 2 : i + 1;
      t.refined = RefineExtremum(fn, t.kind == TaskKind::Maximum, f.xs[i - 1], f.ys[i - 1], f.xs[i], f.ys[i],
                                 f.xs[last], f.ys[last], kMaxRefineEvaluations);
      if (t.refined.isBreak) undefined = true;
    } break;
    case TaskKind::Integral: {
      const Function1 defined = [&](double x) -> std::optional<double> {
        if (undefined.load(std::memory_order_relaxed)) return std::nullopt;
        return probe.F(x);
      };
      t.integral =
          IntegratePiece(defined, t.a, t.b, 1.0 / kIntegralPieces, kMaxIntegralEvaluations / kIntegralPieces);
    } break;
  }
}

// What the workers share while they take the tasks one at a time.
struct TaskQueue {
  std::vector<Task>& tasks;
  std::atomic<std::size_t> next{0};
  // Set by the owner when keepGoing says no, and by a worker whose task
  // met a text the evaluator cannot read.
  std::atomic<bool> stop{false};
  std::atomic<bool> failed{false};
  std::atomic<bool> undefined{false};  // a refinement found a break: see Perform
  std::atomic<std::size_t> evaluations{0};
};

// Runs the tasks on up to threads workers of their own; the calling thread
// waits and asks keepGoing. False when stopped or failed.
bool RunTasks(TaskQueue& queue, std::vector<WorkerJob>& jobs, const AnalysisRequest& r, const Samples& f,
              const Samples& d, int threads, const std::function<bool()>& keepGoing, AnalysisResult& result) {
  std::vector<Task>& tasks = queue.tasks;
  if (tasks.empty()) return true;
  SamplingWorkers workers(std::clamp(threads, 1, static_cast<int>(tasks.size())), r.expression, r.radians);
  jobs.resize(static_cast<std::size_t>(std::clamp(threads, 1, static_cast<int>(tasks.size()))));
  for (WorkerJob& job : jobs) {
    job.work = [&](WorkerTools& tools) {
      Probe probe(r.expression, r.second, tools, queue.stop);
      for (std::size_t k; !queue.stop.load(std::memory_order_relaxed) &&
                          !tools.abandon.load(std::memory_order_relaxed) &&
                          (k = queue.next.fetch_add(1)) < tasks.size();) {
        try {
          Perform(tasks[k], probe, f, d, queue.undefined);
        } catch (const CalcFailure&) {
          queue.failed = true;
          queue.stop = true;
        }
      }
      queue.evaluations += static_cast<std::size_t>(probe.Count());
    };
    workers.Submit(job);
  }
  for (const WorkerJob& job : jobs) {
    if (!Await(workers, job, keepGoing, result)) {
      queue.stop = true;
      return false;
    }
    if (job.error) std::rethrow_exception(job.error);
  }
  result.evaluations += queue.evaluations;
  if (queue.failed) result.end = RunEnd::Failed(RunEnd::Failure::Calculation, kCalcErrorText);
  return !queue.failed;
}

// The sum goes into a double through the checked store, once: beyond the
// double range it is not taken, as a sample there has no value. A sum
// smaller than its error estimate has none of its digits: it is 0.
void StoreIntegral(IntegralValue& integral) {
  try {
    integral.value = std::fabs(integral.extended) < integral.error ? 0.0 : StoreDouble(integral.extended);
  } catch (const CalcFailure&) {
    integral.end = IntegralValue::End::TooLarge;
  }
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
          integral.error += t.integral.error;
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
  std::ranges::stable_sort(breaks,
                           [](const Pole& p, const Pole& q) { return p.fromSignChange > q.fromSignChange; });
  std::vector<double> kept;
  for (const Pole& p : breaks) {
    const bool near = std::ranges::any_of(kept, [&](double k) { return std::fabs(k - p.x) <= step; });
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
  if (integral.end == IntegralValue::End::Computed) StoreIntegral(integral);
  std::ranges::stable_sort(result.findings, [](const Finding& p, const Finding& q) { return p.x < q.x; });
}

// The tasks a sampled function shows: a bracket for every sign change of F
// (and of F - G), an extremum for every sample above or below both its
// neighbours; zeros and breaks at the samples themselves go straight to
// the findings. False when stopped meanwhile.
bool FindTasks(const AnalysisRequest& r, const Samples& f, const Samples& d,
               const std::function<bool()>& keepGoing, std::vector<Task>& tasks, AnalysisResult& result) {
  const bool crossing = !r.second.empty();
  const std::size_t n = f.xs.size();
  bool anyFailed = false;
  for (std::size_t i = 0; i < n; ++i) {
    if (i % kScanBetweenLooks == kScanBetweenLooks - 1 && !Going(keepGoing, result)) return false;
    if (!f.has[i]) {
      anyFailed = true;
      // One failing sample between two valued ones: a pole or a hole.
      if (i > 0 && f.Valued(i - 1) && f.Valued(i + 1))
        result.findings.push_back({FindingKind::Break, f.xs[i], 0});
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
    // After the refinements, so that a break they find spares the
    // integral's evaluations.
    const double width = (r.plan.to - r.plan.from) / kIntegralPieces;
    for (int p = 0; p < kIntegralPieces; ++p) {
      Task t(TaskKind::Integral, 0);
      t.a = r.plan.from + p * width;
      t.b = p + 1 == kIntegralPieces ? r.plan.to : r.plan.from + (p + 1) * width;
      tasks.push_back(t);
    }
  }
  return true;
}

void AnalyzeOn(const AnalysisRequest& r, int threads, const std::function<bool()>& keepGoing,
               AnalysisResult& result) {
  // Everything the workers write to or read lives longer than they do:
  // they are closed (and their jobs end) before any of it goes.
  Samples f, g, d;
  std::vector<Task> tasks;
  TaskQueue queue{.tasks = tasks};
  std::vector<WorkerJob> jobs;

  if (!Sample(r, r.expression, threads, keepGoing, f, result)) return;
  if (!r.second.empty()) {
    if (!Sample(r, r.second, threads, keepGoing, g, result)) return;
    d = f;
    for (std::size_t i = 0; i < d.xs.size(); ++i) {
      const std::optional<double> difference =
          f.has[i] && g.has[i] ? DifferenceOf(f.ys[i], g.ys[i]) : std::nullopt;
      d.has[i] = difference.has_value();
      d.ys[i] = difference.value_or(0.0);
    }
  }
  if (!FindTasks(r, f, d, keepGoing, tasks, result)) return;
  if (!RunTasks(queue, jobs, r, f, d, threads, keepGoing, result)) return;
  Collect(tasks, f, r.plan.step, result);
  const std::size_t n = f.xs.size();
  const std::size_t every = n / kCurvePoints + 1;
  for (std::size_t i = 0; i < n; ++i)
    if (f.has[i] && (i % every == 0 || i + 1 == n)) {
      result.curveX.push_back(f.xs[i]);
      result.curveY.push_back(f.ys[i]);
    }
}

}  // namespace

AnalysisResult Analyze(const AnalysisRequest& r, int threads, const std::function<bool()>& keepGoing) {
  AnalysisResult result;
  try {
    AnalyzeOn(r, threads, keepGoing, result);
  } catch (...) {
    result = {};
    result.end = RunEnd::FailedBy(std::current_exception());
  }
  // A run that did not end reports nothing.
  if (result.end.kind != RunEnd::Kind::Completed) {
    result.findings.clear();
    result.integral = {};
    result.curveX.clear();
    result.curveY.clear();
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
    case IntegralValue::End::NotConverged: return "Интеграл не вычислен: заданная точность не достигнута.";
    case IntegralValue::End::TooLarge: return "Интеграл не вычислен: значение слишком велико.";
    default: return {};
  }
}

}  // namespace veltrum
