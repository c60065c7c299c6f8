#pragma once
// Evaluation of a function text through the calculator: every character
// becomes a press of calculator keys, brackets are worked out innermost
// first on the calculator and their values written back into the text.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calculator/calculator.h"

namespace veltrum {

// The working texts of an evaluation. An Evaluator keeps them across
// samples, so a sample allocates nothing once they have grown to the
// expression's size.
struct EvaluatorBuffers {
  std::string substituted, s, w, inner, value, number;
  std::vector<std::size_t> rounds, squares;  // open brackets, positions in w
  // Whether w is the value text of the display as it is: a group's value
  // that replaced all of w, with no key pressed since.
  bool wIsDisplayValue = false;
};

// Evaluates expressions on a calculator. It keeps its working texts from
// one evaluation to the next, so a run allocates them once: a sampling run
// has one evaluator per thread, like its calculators.
class Evaluator {
 public:
  // The value of expression at x, or nothing when a calculator key failed
  // (CalcError became 1) or the text cannot be worked out (see the .cpp).
  // A text that cannot be read as a number raises a conversion
  // CalcFailure. Runs inside the caller's PlotRun.
  std::optional<double> At(Calculator& calc, std::string_view expression, double x);
  // The same through Calculator::Press for every key, as the evaluator
  // typed before it entered runs of digits at once: the reference that the
  // tests and benchmarks compare At with. Same value, same state.
  std::optional<double> AtKeyByKey(Calculator& calc, std::string_view expression, double x);

 private:
  EvaluatorBuffers buffers_;
};

// One evaluation with working texts of its own.
inline std::optional<double> EvaluateAt(Calculator& calc, std::string_view expression, double x) {
  return Evaluator().At(calc, expression, x);
}
inline std::optional<double> EvaluateAtKeyByKey(Calculator& calc, std::string_view expression, double x) {
  return Evaluator().AtKeyByKey(calc, expression, x);
}

}  // namespace veltrum
