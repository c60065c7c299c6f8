// One-operand function keys, the second-function shift and the angle unit.
// Every function computes and shows its result in extended precision.
#include <cmath>
#include <numbers>
#include <type_traits>

#include "calculator/calculator.h"
#include "number/number_text.h"

namespace veltrum {
namespace {

// The processor's own pi constant: pi rounded to the 64-bit significand.
constexpr Extended kPi = std::numbers::pi_v<Extended>;
constexpr Extended kLn2 = std::numbers::ln2_v<Extended>;
constexpr Extended kLg2 = 0.301029995663981195213738894724493027L;

Extended Log2Checked(Extended x) {
  if (x == 0) Fail(FailureKind::DivisionByZero);
  if (x < 0) Fail(FailureKind::InvalidOperation);
  return std::log2(x);
}

// sqrt(1 - x^2) for the inverse sine and cosine; |x| > 1 fails.
Extended Cofactor(Extended x) {
  const Extended d = 1 - x * x;
  if (d < 0) Fail(FailureKind::InvalidOperation);
  return std::sqrt(d);
}

// Whether Cofactor(x) succeeds.
bool HasCofactor(Extended x) { return !(1 - x * x < 0); }

}  // namespace

// A compute that returns bool tells with false that the number lies
// outside the function's domain: the key fails as a failed step does, but
// without the cost of an exception, which a plot over a wide range would
// pay at almost every sample.
template <typename Compute>
void Calculator::FunctionKey(Compute compute) {
  Guarded([&] {
    ApplyPendingOperation();
    const Extended x = ReadDisplay();
    if constexpr (std::is_same_v<decltype(compute(x)), bool>) {
      if (!compute(x)) {
        HandleCalcError();
        return;
      }
    } else {
      compute(x);
    }
    EntryState = false;
    MarkNewNumber();
  });
}

Extended Calculator::ToRadians(Extended x) const { return radians_ ? x : Checked(x * kPi) / 180; }

Extended Calculator::FromRadians(Extended a) const { return radians_ ? a : (a * 180) / kPi; }

void Calculator::cmdsqrClick() {
  FunctionKey([&](Extended x) { ShowValue(Power(x, 2)); });
}

// The square root of a negative number fails like any invalid operation.
void Calculator::cmdsqrtClick() {
  FunctionKey([&](Extended x) {
    if (x < 0) Fail(FailureKind::InvalidOperation);
    ShowValue(std::sqrt(x));
  });
}

void Calculator::cmd1naxClick() {
  if (!ShiftOn) {
    // The reciprocal of 0 fails like a division by zero.
    FunctionKey([&](Extended x) { ShowValue(Divide(1, x)); });
    return;
  }
  // Exponent entry: only while a number is typed; the digits that follow
  // are the exponent.
  Guarded([&] {
    ApplyPendingOperation();
    if (!EntryState) return;
    if (text1_.find('E') == std::string::npos) AppendText1('E');
    ExponentStart = true;
  });
}

void Calculator::cmdplusminusClick() {
  Guarded([&] {
    ApplyPendingOperation();
    if (ExponentStart) {
      AppendText1('-');
    } else if (text1_.find('E') == std::string::npos) {
      // A number text only changes its sign; any other text is read.
      if (NegateNumberText(text1_, negated_))
        SetText1(negated_);
      else
        ShowValue(-ReadDisplay());
      MarkNewNumber();
    }
  });
}

void Calculator::cmdFactorialClick() {
  Guarded([&] {
    ApplyPendingOperation();
    const Extended x = ReadDisplay();
    if (x < 0) {
      HandleCalcError();
      EntryState = false;
      return;
    }
    if (x == 0) {
      SetText1("1");
    } else {
      const Extended n = std::trunc(x);
      double p = 1.0;
      // The product is a double, rounded after every step; it leaves the
      // double range at 171!, which ends the loop by failing.
      for (Extended i = 1; i <= n; ++i) p = StoreDouble(p * i);
      ShowValue(p);
    }
    EntryState = false;
    MarkNewNumber();
  });
}

void Calculator::cmdpiClick() {
  ApplyPendingOperation();
  ShowValue(ShiftOn ? std::numbers::e_v<Extended> : kPi);
  EntryState = false;
  MarkNewNumber();
}

void Calculator::cmdlnClick() {
  FunctionKey([&](Extended x) { ShowValue(ShiftOn ? Checked(std::exp(x)) : kLn2 * Log2Checked(x)); });
}

void Calculator::cmdlgClick() {
  FunctionKey([&](Extended x) { ShowValue(ShiftOn ? Power(10, x) : kLg2 * Log2Checked(x)); });
}

// The long double library reduces even huge arguments correctly, so sine,
// cosine and tangent of magnitudes beyond 2^63 give their true values.
void Calculator::cmdsinClick() {
  FunctionKey([&](Extended x) {
    if (!ShiftOn) {
      ShowValue(std::sin(ToRadians(x)));
    } else {
      if (!HasCofactor(x)) return false;
      ShowValue(FromRadians(std::atan2(x, Cofactor(x))));
    }
    return true;
  });
}

void Calculator::cmdcosClick() {
  FunctionKey([&](Extended x) {
    if (!ShiftOn) {
      ShowValue(std::cos(ToRadians(x)));
    } else {
      if (!HasCofactor(x)) return false;
      ShowValue(FromRadians(std::atan2(Cofactor(x), x)));
    }
    return true;
  });
}

void Calculator::cmdtgClick() {
  FunctionKey(
      [&](Extended x) { ShowValue(ShiftOn ? FromRadians(std::atan(x)) : Checked(std::tan(ToRadians(x)))); });
}

void Calculator::cmdctgClick() {
  FunctionKey([&](Extended x) {
    if (!ShiftOn) {
      ShowValue(Divide(1, std::tan(ToRadians(x))));
    } else if (x == 0) {
      if (radians_)
        ShowValue(kPi / 2);
      else
        SetText1("90");
    } else {
      ShowValue(FromRadians(std::atan(Divide(1, x))));
    }
  });
}

void Calculator::cmdShiftClick() {
  ShiftOn = !ShiftOn;
  if (view_) view_->ShiftCaptionChanged(ShiftCaption());
}

void Calculator::SelectAngleUnit(bool radians) {
  radians_ = radians;
  if (view_) view_->AngleUnitChanged(radians);
}

}  // namespace veltrum
