#pragma once
// Refinement of one finding on one evaluator: a zero from a bracket with a
// sign change, an extremum from three samples, the integral of a piece of
// the range. Each works on a Probe, which counts its evaluations.
#include <atomic>
#include <functional>
#include <optional>
#include <string_view>

#include "plotter/analysis.h"
#include "plotter/sampling_workers.h"

namespace veltrum {

// The functions of an analysis evaluated on a worker's calculator: F, and
// F - G with each evaluated by its own key replay. Once stop or the
// workers' abandon is set, a probe answers no value without evaluating:
// every refinement then ends at its next step, and the run drops what they
// found. So a stop is answered within one evaluation.
class Probe {
 public:
  Probe(std::string_view f, std::string_view g, WorkerTools& tools, const std::atomic<bool>& stop);
  std::optional<double> F(double x);
  std::optional<double> Difference(double x);
  int Count() const { return count_; }

 private:
  std::optional<double> Eval(std::string_view expression, double x);

  std::string_view f_, g_;
  WorkerTools& tools_;
  const std::atomic<bool>& stop_;
  int count_ = 0;
};

// F - G as a value: nothing when the difference does not fit a double, as
// a sample beyond the double range has none.
std::optional<double> DifferenceOf(double f, double g);

// x as its number text reads back: the x the evaluator substitutes.
double ToNumberText(double x);

using Function1 = std::function<std::optional<double>(double)>;

// What the refinement of a bracket or an extremum ends in.
struct Refined {
  bool isBreak = false;  // the function fails or grows without bound there
  double x = 0, y = 0;
};

// f(a) and f(b) have opposite signs. Shrinks the bracket until no number
// text lies between its ends; a bracket around a point where f fails, or
// whose values do not shrink, is a break.
Refined RefineZero(const Function1& f, double a, double fa, double b, double fb, int budget);

// f(m) is above (maximum) or below both f(a) and f(b), a < m < b.
Refined RefineExtremum(const Function1& f, bool maximum, double a, double fa, double m, double fm, double b,
                       double fb, int budget);

// The integral over [a, b], a share (0..1] of the whole range, adaptive
// Gauss-Kronrod; Undefined names the x where f failed. A computed piece
// leaves its sum and error estimate in the extended type: the analysis
// stores the whole once.
IntegralValue IntegratePiece(const Function1& f, double a, double b, double share, int budget);

}  // namespace veltrum
