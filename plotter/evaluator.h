#pragma once
// Evaluation of a function text through the calculator: every character
// becomes a press of calculator keys, brackets are worked out innermost
// first on the calculator and their values written back into the text.
#include <optional>
#include <string>
#include <string_view>

#include "calculator/calculator.h"

namespace veltrum {

// The value of expression at x, or nothing when a calculator key failed
// (CalcError became 1) or the text cannot be worked out (see the .cpp).
// A text that cannot be read as a number raises a conversion CalcFailure.
// Runs inside the caller's PlotRun.
std::optional<double> EvaluateAt(Calculator& calc, std::string_view expression, double x);
// The same through Calculator::Press for every key, as the evaluator
// typed before it entered runs of digits at once: the reference that the
// tests and benchmarks compare EvaluateAt with. Same value, same state.
std::optional<double> EvaluateAtKeyByKey(Calculator& calc, std::string_view expression, double x);

// The sign mark: a leading "-" moves behind the first non-zero digit as
// "z" ("-25" -> "2z5", "-0,05" -> "0,05z").
void MoveMinusBehind(std::string& text);

// Presses C, the keys of text (its sign moved behind first) and equals;
// false when a key failed.
bool CalculateText(Calculator& calc, std::string& text);

}  // namespace veltrum
