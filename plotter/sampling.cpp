#include "plotter/sampling.h"

#include <climits>
#include <cmath>

#include "calculator/number_text.h"
#include "calculator/plot_run.h"
#include "plotter/evaluator.h"

namespace veltrum {
namespace {

struct StepInfo {
  double step;
  int decimals;
};

StepInfo StepOf(StepChoice c) {
  switch (c) {
    case StepChoice::Tenth: return {0.1, 1};
    case StepChoice::Hundredth: return {0.01, 2};
    case StepChoice::Thousandth: return {0.001, 3};
    case StepChoice::None: break;
  }
  return {0.0, 0};
}

// Brings x back to the step grid through its number text, so rounding
// errors of the additions never build up: the text is cut after `decimals`
// digits behind its comma. A text in scientific notation has no such digits
// to cut; there the value itself is cut toward zero to the step's decimals.
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

}  // namespace

std::string_view ExpressionOf(std::string_view entry) {
  const std::size_t eq = entry.find('=');
  return eq == std::string_view::npos ? entry : entry.substr(eq + 1);
}

void RunSampling(Calculator& calc, const SamplingRequest& request, PlotSeries& series, PlotProgress& progress,
                 MessageSink& messages) {
  series.Clear();
  try {
    const double from = ReadNumberDouble(request.fromText);
    const double to = ReadNumberDouble(request.toText);
    const StepInfo step = StepOf(request.step);
    if (!(from < to && step.step > 0)) {
      messages.ShowMessage(MessageKind::Error, kRangeErrorText);
      return;
    }
    if (std::floor((to - from) / step.step) + 1 > kMaxSamples) {
      messages.ShowMessage(MessageKind::Error, kTooManyPointsText);
      return;
    }
    PlotRun run(calc);
    progress.SetRange(0, ProgressMaximum(from, to, step.step));
    progress.SetStep(1);
    progress.SetPosition(0);
    const std::string_view expression = ExpressionOf(request.entry);
    int position = 0;
    double x = from;
    while (x <= to) {
      if (const std::optional<double> y = EvaluateAt(calc, expression, x)) series.AddPoint(x, *y);
      progress.SetPosition(++position);
      run.NextSample();
      const double next = CutToGrid(x + step.step, step.decimals);
      // At large magnitudes a step can round back to x: the run ends there.
      if (!(next > x)) break;
      x = next;
    }
    progress.SetPosition(0);
  } catch (const std::exception&) {
    // A bound that is not a number, a conversion failure of the evaluator or
    // a failure of the chart ends the run.
    messages.ShowMessage(MessageKind::Error, kCalcErrorText);
  }
}

}  // namespace veltrum
