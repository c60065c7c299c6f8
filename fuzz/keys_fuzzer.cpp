// Arbitrary key sequences, every control included, against the core
// calculator. Each input byte presses one key (element keys included).
#include <cstddef>
#include <cstdint>

#include "calculator/calculator.h"
#include "fuzz/check_display.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace veltrum;
  fuzz::QuietMessages messages;
  Calculator calc(&messages);
  for (std::size_t i = 0; i < size; ++i) {
    const Key key = static_cast<Key>(data[i] % KeyCount());
    try {
      calc.Press(key);
    } catch (const CalcFailure& e) {
      // Only a conversion error may escape a key (backspace on "1E5000").
      if (e.kind() != FailureKind::Conversion) __builtin_trap();
    }
    fuzz::CheckState(calc);
  }
  return 0;
}
