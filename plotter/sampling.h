#pragma once
// The sampling run behind PlotFunction(k): one function drawn as points
// from the first x to the last on the step grid, every sample computed by
// pressing calculator keys.
#include <string_view>

#include "calculator/calculator.h"

namespace veltrum {

// One chart series as the run sees it.
class PlotSeries {
 public:
  virtual ~PlotSeries() = default;
  virtual void Clear() = 0;
  virtual void AddPoint(double x, double y) = 0;
};

// The progress bar under the chart.
class PlotProgress {
 public:
  virtual ~PlotProgress() = default;
  virtual void SetRange(int minimum, int maximum) = 0;
  virtual void SetStep(int step) = 0;
  virtual void SetPosition(int position) = 0;
};

// The checked step radio button; the first checked of rad01, rad001,
// rad0001 decides.
enum class StepChoice { None, Tenth, Hundredth, Thousandth };

struct SamplingRequest {
  std::string_view entry;     // the list entry text, e.g. "1:F(X)=sin[x]"
  std::string_view fromText;  // txtFLeft
  std::string_view toText;    // txtFRight
  StepChoice step = StepChoice::Tenth;
};

inline constexpr std::string_view kRangeErrorText = "Неправильно заданы границы вычисления значений функции.";
inline constexpr std::string_view kTooManyPointsText =
    "Слишком много точек: уменьшите диапазон или увеличьте шаг.";
// A run of more than this many samples could not finish or fit in memory.
inline constexpr double kMaxSamples = 10'000'000;

// The expression of a list entry: everything after its first "=", or the
// whole entry when it has none.
std::string_view ExpressionOf(std::string_view entry);

// Runs one sampling run on calc. Every failure is reported through messages
// and the run returns normally.
void RunSampling(Calculator& calc, const SamplingRequest& request, PlotSeries& series, PlotProgress& progress,
                 MessageSink& messages);

}  // namespace veltrum
