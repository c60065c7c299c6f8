// Long seeded random key sequences: nothing crashes, no infinity or NaN
// reaches the display, and the chain invariant holds after every key.
#include <gtest/gtest.h>

#include <random>

#include "calculator/calculator.h"
#include "number/number_text.h"

namespace veltrum {
namespace {

class CountingMessages : public MessageSink {
 public:
  void ShowMessage(MessageKind, std::string_view) override { ++count; }
  int count = 0;
};

// A display text the calculator can show: a number text, a typed number
// (possibly with a trailing comma or exponent mark) or an element mass.
bool IsDisplayable(const std::string& t) {
  if (t.empty() || t.size() > 400) return false;
  if (t.find("inf") != std::string::npos || t.find("nan") != std::string::npos) return false;
  for (char c : t)
    if (!((c >= '0' && c <= '9') || c == ',' || c == '-' || c == 'E')) return false;
  return true;
}

TEST(RandomKeys, DisplayStaysValidAndInvariantsHold) {
  std::mt19937 rng(20261208);
  // Digits weigh more, so numbers of several digits get typed.
  std::uniform_int_distribution<int> pick(0, KeyCount() + 40);
  for (int run = 0; run < 300; ++run) {
    CountingMessages messages;
    Calculator calc(&messages);
    for (int i = 0; i < 2000; ++i) {
      int k = pick(rng);
      const Key key = k >= KeyCount() ? DigitKey(k % 10) : static_cast<Key>(k);
      try {
        calc.Press(key);
      } catch (const CalcFailure& e) {
        ASSERT_EQ(e.kind(), FailureKind::Conversion) << e.what();
      }
      ASSERT_TRUE(IsDisplayable(calc.Text1())) << calc.Text1() << " after " << KeyName(key);
      const CalculatorState s = calc.Snapshot();
      ASSERT_FALSE(s.ChainState != ChainCode::None && s.PowerState != PowerCode::None);

      // Long typed numbers are cleared now and then so they stay readable.
      if (calc.Text1().size() > 300) calc.Press(Key::cmdon);
    }
  }
}

}  // namespace
}  // namespace veltrum
