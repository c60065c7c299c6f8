#include "plotter/sampling.h"

#include <climits>
#include <cmath>

#include "number/number_texts.h"
#include "plotter/sample_grid.h"

namespace veltrum {
namespace {

// Brings x back to the step grid through its number text: the text is cut
// after `decimals` digits behind its comma. A text in scientific notation
// has no such digits to cut; there the value itself is cut toward zero to
// the step's decimals.
double CutToGrid(double x, int decimals, NumberTexts& texts) {
  char buf[kNumberTextCapacity];
  const std::size_t len = texts.Format(x, buf);
  const std::string_view t(buf, len);
  const std::size_t comma = t.find(',');
  if (comma == std::string_view::npos) return x;
  if (t.find('E') != std::string_view::npos) {
    const Extended scale = std::pow(10.0L, decimals);
    return StoreDouble(std::trunc(x * scale) / scale);
  }
  return texts.ReadDouble(t.substr(0, std::min(len, comma + 1 + static_cast<std::size_t>(decimals))));
}

int ProgressMaximum(double from, double to, double step) {
  const double q = std::nearbyint(std::fabs(to - from) / step);  // halves to even
  return q > INT_MAX ? INT_MAX : static_cast<int>(q);
}

}  // namespace

bool SampleGrid::Next(double& x, NumberTexts& texts) {
  if (ended_ || !(x_ <= to_)) return false;
  x = x_;
  const double next = CutToGrid(x_ + step_, decimals_, texts);
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
constexpr NamedStep kNamedSteps[] = {{.step = kStepTenth, .text = "0,1"},
                                     {.step = kStepHundredth, .text = "0,01"},
                                     {.step = kStepThousandth, .text = "0,001"}};

}  // namespace

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

std::optional<SamplingPlan> PlanSampling(const SamplingRequest& request, RunEnd& refusal) {
  try {
    SamplingPlan plan;
    plan.from = ReadNumberDouble(request.fromText);
    plan.to = ReadNumberDouble(request.toText);
    plan.step = request.step.value;
    plan.decimals = request.step.decimals;
    if (!(plan.from < plan.to && plan.step > 0)) {
      refusal = RunEnd::Failed(RunEnd::Failure::Refused, kRangeErrorText);
      return std::nullopt;
    }
    plan.samples = std::floor((plan.to - plan.from) / plan.step) + 1;
    if (plan.samples > kMaxSamples) {
      refusal = RunEnd::Failed(RunEnd::Failure::Refused, kTooManyPointsText);
      return std::nullopt;
    }
    plan.progressMaximum = ProgressMaximum(plan.from, plan.to, plan.step);
    return plan;
  } catch (const CalcFailure&) {
    // A bound that is not a number ends the run with the calculation
    // message, not the range message.
    refusal = RunEnd::Failed(RunEnd::Failure::Calculation, kCalcErrorText);
    return std::nullopt;
  }
}

}  // namespace veltrum
