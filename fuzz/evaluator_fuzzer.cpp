// The evaluator over (expression, x): the first eight bytes are x, the rest
// the expression. Every evaluation must end; failures are values or a
// conversion CalcFailure, never a crash.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "calculator/calculator.h"
#include "calculator/plot_run.h"
#include "fuzz/check_display.h"
#include "plotter/evaluator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace veltrum;
  if (size < 8 || size > 4096) return 0;
  double x;
  std::memcpy(&x, data, sizeof x);
  if (!std::isfinite(x)) return 0;
  const std::string_view expression(reinterpret_cast<const char*>(data + 8), size - 8);
  fuzz::QuietMessages messages;
  Calculator calc(&messages);
  try {
    PlotRun run(calc);
    const std::optional<double> y = EvaluateAt(calc, expression, x);
    if (y && !std::isfinite(*y)) __builtin_trap();
  } catch (const CalcFailure&) {
  }
  fuzz::CheckState(calc);
  if (calc.ShiftCaption() != kShiftOffCaption) __builtin_trap();
  return 0;
}
