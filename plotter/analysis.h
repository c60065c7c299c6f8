#pragma once
// Reading a function off the calculator: its zeros, extrema, breaks,
// intersections with a second function and its integral over a sampling
// range. Everything is found on the evaluator, so every figure is the value
// the calculator keys give: the range is sampled as a plot run samples it,
// then each finding is refined on worker calculators of its own.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "number/failure.h"
#include "plotter/run_end.h"
#include "plotter/sampling.h"

namespace veltrum {

enum class FindingKind : std::uint8_t { Root, Minimum, Maximum, Break, Intersection };

struct Finding {
  FindingKind kind = FindingKind::Root;
  double x = 0;
  double y = 0;  // F(x); a break has none
};

struct IntegralValue {
  // TooLarge: the sum does not fit a double, as a sample beyond the double
  // range has no value.
  enum class End : std::uint8_t { Computed, Undefined, NotConverged, TooLarge, NotTaken } end = End::NotTaken;
  // The sum stored through the checked store; 0 when it is smaller than
  // its own error estimate, whose digits it does not have.
  double value = 0;
  Extended extended = 0;   // the value as summed, before it is stored
  Extended error = 0;      // its error estimate, never below what the values' digits allow
  double undefinedAt = 0;  // the x where the function is not defined
};

struct AnalysisRequest {
  std::string expression;
  std::string second;  // empty: no intersections
  SamplingPlan plan;
  bool radians = true;
};

struct AnalysisResult {
  std::vector<Finding> findings;  // ascending x
  IntegralValue integral;
  // The samples of F with a value, thinned to at most kCurvePoints: the
  // curve a window shades the integral under.
  std::vector<double> curveX, curveY;
  // How the analysis ended, as a sampling run ends: stopped (keepGoing
  // said no) or failed, nothing is reported. A failed one is a text the
  // evaluator cannot read (the calculation message) or a failure that is
  // not the calculator's own (no thread, no memory). Its display is that
  // of the sampling's last sample, which no owner leaves anywhere.
  RunEnd end;
  std::size_t evaluations = 0;
};

// Most evaluations a finding's refinement and the integral may use.
inline constexpr int kMaxRefineEvaluations = 200;
inline constexpr int kMaxIntegralEvaluations = 100'000;
inline constexpr std::size_t kCurvePoints = 4000;

// Runs on threads workers of a sampling run, each with a calculator and an
// evaluator of its own; the result is the same for every number of
// threads. keepGoing is asked on the calling thread every few
// milliseconds; once it says no, the workers stop within one evaluation.
// Throws nothing: every failure ends in the result.
AnalysisResult Analyze(const AnalysisRequest& request, int threads,
                       const std::function<bool()>& keepGoing = {});

// F(x) computed as a sample of a run is: nothing when a key failed; a text
// the evaluator cannot read raises CalcFailure.
std::optional<double> ValueAt(std::string_view expression, double x, bool radians);

// The reason an integral was not taken, as the window and veltrum-cli show
// it; empty for a computed one.
std::string IntegralMessage(const IntegralValue& integral);

}  // namespace veltrum
