#pragma once
// What every fuzzer checks after every key: the display holds a text the
// calculator could show, and the chain invariant holds.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "calculator/calculator.h"

namespace veltrum::fuzz {

inline bool Displayable(const std::string& t) {
  if (t.empty()) return false;
  for (char c : t)
    if (!((c >= '0' && c <= '9') || c == ',' || c == '-' || c == 'E')) return false;
  return true;
}

inline void CheckState(const Calculator& calc) {
  if (!Displayable(calc.Text1())) {
    std::fprintf(stderr, "display holds '%s'\n", calc.Text1().c_str());
    std::abort();
  }
  const CalculatorState s = calc.Snapshot();
  if (s.ChainState != ChainCode::None && s.PowerState != PowerCode::None) {
    std::fprintf(stderr, "ChainState %d and PowerState %d both set\n", static_cast<int>(s.ChainState),
                 static_cast<int>(s.PowerState));
    std::abort();
  }
  for (int i = 0; i < 3; ++i)
    if (!Displayable(calc.MemoryText(i))) std::abort();
}

class QuietMessages : public MessageSink {
 public:
  void ShowMessage(MessageKind, std::string_view) override {}
};

}  // namespace veltrum::fuzz
