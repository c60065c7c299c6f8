#include "plotter/sampling.h"

#include <climits>
#include <cmath>
#include <new>
#include <system_error>

#include "number/number_text.h"
#include "calculator/plot_run.h"
#include "plotter/evaluator.h"
#include "plotter/sample_grid.h"

namespace veltrum {
namespace {

// Brings x back to the step grid through its number text: the text is cut
// after `decimals` digits behind its comma. A text in scientific notation
// has no such digits to cut; there the value itself is cut toward zero to
// the step's decimals.
double CutToGrid(double x, int decimals) {
  char buf[kNumberTextCapacity];
  const std::size_t len = FormatNumber(x, buf);
  const std::string_view t(buf, len);
  const std::size_t comma = t.find(',');
  if (comma == std::string_view::npos) return x;
  if (t.find('E') != std::string_view::npos) {
    const Extended scale = std::pow(10.0L, decimals);
    return static_cast<double>(std::trunc(x * scale) / scale);
  }
  return ReadNumberDouble(t.substr(0, std::min(len, comma + 1 + static_cast<std::size_t>(decimals))));
}

int ProgressMaximum(double from, double to, double step) {
  const double q = std::nearbyint(std::fabs(to - from) / step);  // halves to even
  return q > INT_MAX ? INT_MAX : static_cast<int>(q);
}

// Every sample on calc, on the calling thread.
SamplesTaken TakeSamples(Calculator& calc, PlotRun& run, SampleGrid grid, std::string_view expression,
                         const std::function<bool()>& keepGoing, const SampleSink& sink) {
  SamplesTaken taken;
  Evaluator evaluator;
  double x;
  while (grid.Next(x)) {
    taken.lastX = x;
    const std::optional<double> y = evaluator.At(calc, expression, x);
    run.NextSample();
    sink(x, y);
    ++taken.count;
    if (keepGoing && !keepGoing()) {
      taken.end = SamplesTaken::End::Stopped;
      break;
    }
  }
  return taken;
}

}  // namespace

bool SampleGrid::Next(double& x) {
  if (ended_ || !(x_ <= to_)) return false;
  x = x_;
  const double next = CutToGrid(x_ + step_, decimals_);
  // At large magnitudes a step can round back to x: the run ends there.
  if (next > x_)
    x_ = next;
  else
    ended_ = true;
  return true;
}

namespace {

struct NamedStep {
  SamplingStep step;
  std::string_view text;
};
constexpr NamedStep kNamedSteps[] = {
    {kStepTenth, "0,1"}, {kStepHundredth, "0,01"}, {kStepThousandth, "0,001"}};

}  // namespace

bool IsOutOfMemory(const std::exception& e) {
  if (dynamic_cast<const std::bad_alloc*>(&e)) return true;
  const auto* system = dynamic_cast<const std::system_error*>(&e);
  return system && system->code() == std::errc::resource_unavailable_try_again;
}

std::string_view StepText(SamplingStep step) {
  for (const NamedStep& named : kNamedSteps)
    if (named.step == step) return named.text;
  return {};
}

std::optional<SamplingStep> StepFromText(std::string_view text) {
  for (const NamedStep& named : kNamedSteps)
    if (named.text == text) return named.step;
  return std::nullopt;
}

std::optional<SamplingPlan> PlanSampling(const SamplingRequest& request, MessageSink& messages,
                                         SamplingEnd& refusal) {
  try {
    SamplingPlan plan;
    plan.from = ReadNumberDouble(request.fromText);
    plan.to = ReadNumberDouble(request.toText);
    plan.step = request.step.value;
    plan.decimals = request.step.decimals;
    if (!(plan.from < plan.to && plan.step > 0)) {
      messages.ShowMessage(MessageKind::Error, kRangeErrorText);
      refusal = SamplingEnd::Refused;
      return std::nullopt;
    }
    plan.samples = std::floor((plan.to - plan.from) / plan.step) + 1;
    if (plan.samples > kMaxSamples) {
      messages.ShowMessage(MessageKind::Error, kTooManyPointsText);
      refusal = SamplingEnd::Refused;
      return std::nullopt;
    }
    plan.progressMaximum = ProgressMaximum(plan.from, plan.to, plan.step);
    return plan;
  } catch (const CalcFailure&) {
    // A bound that is not a number ends the run with the calculation
    // message, not the range message.
    messages.ShowMessage(MessageKind::Error, kCalcErrorText);
    refusal = SamplingEnd::Failed;
    return std::nullopt;
  }
}

SamplingEnd FinishSampling(Calculator& calc, std::string_view expression, const SamplesTaken& taken,
                           PlotProgress& progress, MessageSink& messages) {
  bool failed = taken.end == SamplesTaken::End::Failed;
  {
    // The calculator is left as the last sample left it: a sample that
    // failed on a worker is replayed here, where it fails the same way.
    PlotRun run(calc);
    try {
      if (failed || taken.count > 0) (void)EvaluateAt(calc, expression, failed ? taken.failedX : taken.lastX);
    } catch (const CalcFailure&) {
      failed = true;
    }
  }
  if (failed) {
    messages.ShowMessage(MessageKind::Error, kCalcErrorText);
    return SamplingEnd::Failed;
  }
  progress.SetPosition(0);
  return taken.end == SamplesTaken::End::Stopped ? SamplingEnd::Stopped : SamplingEnd::Completed;
}

SamplingEnd RunSampling(Calculator& calc, const SamplingRequest& request, PlotSeries& series,
                        PlotProgress& progress, MessageSink& messages, const SamplingOptions& options) {
  series.Clear();
  SamplingEnd refusal = SamplingEnd::Refused;
  const std::optional<SamplingPlan> plan = PlanSampling(request, messages, refusal);
  if (!plan) return refusal;
  progress.SetRange(0, plan->progressMaximum);
  progress.SetStep(1);
  progress.SetPosition(0);
  series.Reserve(static_cast<std::size_t>(plan->samples) + 1);
  const std::string_view expression = request.expression;
  const SampleGrid grid(plan->from, plan->to, plan->step, plan->decimals);
  int position = 0;
  const SampleSink sink = [&](double x, std::optional<double> y) {
    if (y) series.AddPoint(x, *y);
    progress.SetPosition(++position);
  };
  if (options.threads > 1) {
    const SamplesTaken taken =
        TakeSamplesInParallel(grid, expression, calc.Radians(), options.threads,
                              static_cast<std::size_t>(plan->samples), options.keepGoing, sink);
    return FinishSampling(calc, expression, taken, progress, messages);
  }
  try {
    SamplesTaken taken;
    {
      PlotRun run(calc);
      taken = TakeSamples(calc, run, grid, expression, options.keepGoing, sink);
    }
    progress.SetPosition(0);
    return taken.end == SamplesTaken::End::Stopped ? SamplingEnd::Stopped : SamplingEnd::Completed;
  } catch (const CalcFailure&) {
    // A conversion failure of the evaluator ends the run.
    messages.ShowMessage(MessageKind::Error, kCalcErrorText);
    return SamplingEnd::Failed;
  }
}

}  // namespace veltrum
