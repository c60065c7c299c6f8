// The formula parser over any bytes: every input ends with a mass or an
// error that marks a part of the input, never a crash.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "elements/formula.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace veltrum;
  const std::string_view formula(reinterpret_cast<const char*>(data), size);
  const FormulaResult r = ParseFormula(formula);
  if (r.error) {
    if (r.error->position > size || r.error->length > size - r.error->position) __builtin_trap();
    if (r.error->message.empty() || FormulaErrorText(formula, *r.error).empty()) __builtin_trap();
    return 0;
  }
  if (!std::isfinite(r.value.mass) || r.value.mass <= 0 || r.value.text.empty()) __builtin_trap();
  if (r.value.elements.empty()) __builtin_trap();
  for (const FormulaElement& e : r.value.elements)
    if (e.count < 1 || e.count > kMaxElementAtoms || !(e.fraction > 0) || e.fraction > 100.0001L)
      __builtin_trap();
  return 0;
}
