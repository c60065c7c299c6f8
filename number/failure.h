#pragma once
// Failures of one calculator step. Every arithmetic step checks its own
// result at the boundary (checked divide, checked store into a double,
// checked power), so no infinity or NaN ever travels further.
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace veltrum {

// The calculator computes in the 80-bit extended type and stores doubles
// where its state stores values: the alias marks where rounding happens.
using Extended = long double;

enum class FailureKind : std::uint8_t { DivisionByZero, Overflow, InvalidOperation, Conversion };

// A failed arithmetic step or a display text that does not convert.
class CalcFailure : public std::runtime_error {
 public:
  CalcFailure(FailureKind kind, const std::string& text) : std::runtime_error(text), kind_(kind) {}
  FailureKind kind() const { return kind_; }

 private:
  FailureKind kind_;
};

[[noreturn]] void Fail(FailureKind kind);
// "'TEXT' is not a valid floating point value"
[[noreturn]] void FailConversion(const std::string& text);

// An extended result that is not finite fails as the FPU trap would.
inline Extended Checked(Extended r) {
  if (std::isnan(r)) Fail(FailureKind::InvalidOperation);
  if (std::isinf(r)) Fail(FailureKind::Overflow);
  return r;
}

inline Extended Divide(Extended a, Extended b) {
  if (b == 0) Fail(FailureKind::DivisionByZero);
  return Checked(a / b);
}

// Storing an extended value into a double overflows beyond the double range.
inline double StoreDouble(Extended v) {
  const double d = static_cast<double>(Checked(v));
  if (std::isinf(d)) Fail(FailureKind::Overflow);
  return d;
}

// The power rule of every power and root: exact zero cases first, then
// repeated squaring for integral exponents, otherwise exp(e * ln b).
Extended Power(Extended base, Extended exponent);

// The text of the event loop's error box: a full stop is appended when the
// last character sorts after the full stop.
std::string ErrorBoxText(const std::string& message);

}  // namespace veltrum
