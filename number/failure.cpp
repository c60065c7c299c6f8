#include "number/failure.h"

#include <climits>

namespace veltrum {

void Fail(FailureKind kind) {
  switch (kind) {
    case FailureKind::DivisionByZero: throw CalcFailure(kind, "Floating point division by zero");
    case FailureKind::Overflow: throw CalcFailure(kind, "Floating point overflow");
    case FailureKind::InvalidOperation: throw CalcFailure(kind, "Invalid floating point operation");
    case FailureKind::Conversion: break;
  }
  throw CalcFailure(kind, "Invalid floating point value");
}

void FailConversion(const std::string& text) {
  throw CalcFailure(FailureKind::Conversion, "'" + text + "' is not a valid floating point value");
}

Extended Power(Extended base, Extended exponent) {
  if (exponent == 0) return 1;
  if (base == 0 && exponent > 0) return 0;
  if (exponent == std::trunc(exponent) && std::fabs(exponent) <= INT_MAX) {
    unsigned long n = static_cast<unsigned long>(std::fabs(exponent));
    Extended result = 1;
    Extended square = base;
    for (;;) {
      if (n & 1u) result = Checked(result * square);
      n >>= 1u;
      if (n == 0) break;
      square = Checked(square * square);
    }
    return exponent < 0 ? Divide(1, result) : result;
  }
  if (base < 0) Fail(FailureKind::InvalidOperation);
  if (base == 0) Fail(FailureKind::DivisionByZero);
  return Checked(std::exp(exponent * std::log(base)));
}

std::string ErrorBoxText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

}  // namespace veltrum
