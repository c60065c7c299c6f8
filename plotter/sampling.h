#pragma once
// What a sampling run takes and gives: one function drawn as points from
// the first x to the last on the step grid, every sample computed by
// pressing calculator keys. SamplingRun carries a run out.
#include <cstddef>
#include <optional>
#include <string_view>

#include "calculator/calculator.h"
#include "plotter/run_end.h"
#include "plotter/sample_grid.h"

namespace veltrum {

// One chart series as the run sees it.
class PlotSeries {
 public:
  virtual ~PlotSeries() = default;
  virtual void AddPoint(double x, double y) = 0;
};

// The progress bar under the chart.
class PlotProgress {
 public:
  virtual ~PlotProgress() = default;
  virtual void SetRange(int minimum, int maximum) = 0;
  virtual void SetPosition(int position) = 0;
};

// The distance between samples, and the decimals x keeps when it is cut
// back to the step grid. Each value is the double nearest to its decimal.
struct SamplingStep {
  double value = 0;
  int decimals = 0;

  bool operator==(const SamplingStep&) const = default;
};
inline constexpr SamplingStep kStepTenth{.value = 0.1, .decimals = 1};
inline constexpr SamplingStep kStepHundredth{.value = 0.01, .decimals = 2};
inline constexpr SamplingStep kStepThousandth{.value = 0.001, .decimals = 3};
// No step at all: every run is refused with the range message.
inline constexpr SamplingStep kNoStep{};

// A step as its caption writes it ("0,1", "0,01", "0,001"), and back;
// nothing for any other text.
std::string_view StepText(SamplingStep step);
std::optional<SamplingStep> StepFromText(std::string_view text);

struct SamplingRequest {
  std::string_view expression;  // F(x) in the expression language
  std::string_view fromText;    // the first x, as typed
  std::string_view toText;      // the last x, as typed
  SamplingStep step = kStepTenth;
};

// One worker per core: what a run uses unless told otherwise.
int DefaultSamplingThreads();

// Between two looks at a run that goes on, its owner waits at most this long.
inline constexpr int kPollIntervalMs = 20;

inline constexpr std::string_view kRangeErrorText = "Неправильно заданы границы вычисления значений функции.";
inline constexpr std::string_view kTooManyPointsText =
    "Слишком много точек: уменьшите диапазон или увеличьте шаг.";
// A run that memory could not hold ends with this message; the points it
// has stay.
inline constexpr std::string_view kOutOfMemoryText =
    "Недостаточно памяти: построены не все точки. Уменьшите диапазон или увеличьте шаг.";
// A run of more than this many samples could not finish or fit in memory.
inline constexpr double kMaxSamples = 10'000'000;

// What the checks of a run leave: the grid to sample and the progress
// bar's maximum.
struct SamplingPlan {
  double from = 0, to = 0, step = 0;
  int decimals = 0;
  double samples = 0;  // at most kMaxSamples
  int progressMaximum = 0;
};

// The checks before the first sample: reads the bounds and the step. A
// run refused there gives nothing and says why in refusal, for its owner
// to show.
std::optional<SamplingPlan> PlanSampling(const SamplingRequest& request, RunEnd& refusal);

}  // namespace veltrum
