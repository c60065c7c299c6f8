// The operation chain: operator keys only record themselves in PendingKey;
// the next key that needs the display's number applies the recorded
// operator through ApplyPendingOperation, which folds what precedence
// allows and leaves the new operator waiting.
#include "calculator/calculator.h"

namespace veltrum {
namespace {

// Every PowerState code; as ChainState codes the same numbers mark a chain
// waiting at the level of a sum or difference.
bool IsPowerCode(std::int32_t c) {
  switch (c) {
    case 1:
    case 2:
    case 11:
    case 22:
    case 111:
    case 222:
    case 1111:
    case 2222: return true;
    default: return false;
  }
}

bool IsChainCode(std::int32_t c) { return IsPowerCode(c) || c == 3 || c == 4 || c == 33 || c == 44; }

Extended RootOf(Extended base, Extended n) { return Power(base, Divide(1, n)); }

}  // namespace

void Calculator::ApplyPendingOperation() {
  switch (PendingKey) {
    case Plus: ApplyPlusMinus(Plus); break;
    case Minus: ApplyPlusMinus(Minus); break;
    case Multiply: ApplyMultiplyDivide(Multiply); break;
    case DivideOp: ApplyMultiplyDivide(DivideOp); break;
    case PowerOp: ApplyPowerRoot(PowerOp); break;
    case Root: ApplyPowerRoot(Root); break;
    default: break;
  }
  PendingKey = 0;
}

// The value of the open two- or three-level chain for its last operand n.
Extended Calculator::PendingCompletion(double n) const {
  const Extended A = Accumulator, F = Factor, B = PowerBase;
  // clang-format off
  switch (ChainState) {
    case 1: return A + F * n;
    case 2: return A - F * n;
    case 11: return A + Divide(F, n);
    case 22: return A - Divide(F, n);
    case 111: return A + Power(F, n);
    case 222: return A - Power(F, n);
    case 1111: return A + RootOf(F, n);
    case 2222: return A - RootOf(F, n);
    case 3: return A * Power(F, n);
    case 4: return Divide(A, Power(F, n));
    case 33: return A * RootOf(F, n);
    case 44: return Divide(A, RootOf(F, n));
    default: break;
  }
  switch (PowerState) {
    case 1: return A + F * Power(B, n);
    case 2: return A - F * Power(B, n);
    case 11: return A + Divide(F, Power(B, n));
    case 22: return A - Divide(F, Power(B, n));
    case 111: return A + F * RootOf(B, n);
    case 222: return A - F * RootOf(B, n);
    case 1111: return A + Divide(F, RootOf(B, n));
    case 2222: return A - Divide(F, RootOf(B, n));
    default: break;
  }
  // clang-format on
  return 0;
}

// The simple operation A k n.
static Extended SimpleCompletion(std::int32_t op, Extended A, Extended n) {
  switch (op) {
    case 1: return A + n;
    case 2: return A - n;
    case 3: return A * n;
    case 4: return Divide(A, n);
    case 5: return Power(A, n);
    default: return RootOf(A, n);
  }
}

void Calculator::ApplyPlusMinus(std::int32_t k) {
  Guarded([&] {
    const double x = ReadOperand();
    if (IsChainCode(ChainState) || IsPowerCode(PowerState)) {
      Operand = x;
      ChainResult = StoreDouble(PendingCompletion(x));
      Accumulator = ChainResult;
      ShowValue(ChainResult);
    } else if (SimpleOp >= 1 && SimpleOp <= 6 && ChainActive == 1) {
      Operand = x;
      Accumulator = StoreDouble(SimpleCompletion(SimpleOp, Accumulator, x));
      ShowValue(Accumulator);
    } else {
      Accumulator = x;
    }
    ChainState = 0;
    PowerState = 0;
    SimpleOp = k;
    EntryState = 0;
    ChainActive = 1;
  });
}

// A power or root waiting on a product or quotient (ChainState 3, 4, 33,
// 44) is folded into the accumulator at once by every operator of product
// level or above; the chain continues as the simple operation k.
bool Calculator::FoldProductLevelPower(double x, std::int32_t k) {
  // Operand already holds x (set by the caller before computing).
  const Extended A = Accumulator, F = Factor;
  Extended r;
  switch (ChainState) {
    case 3: r = Power(F, x) * A; break;
    case 4: r = Divide(A, Power(F, x)); break;
    case 33: r = RootOf(F, x) * A; break;
    case 44: r = Divide(A, RootOf(F, x)); break;
    default: return false;
  }
  Accumulator = StoreDouble(r);
  SimpleOp = k;
  ShowValue(Accumulator);
  ChainState = 0;
  return true;
}

// Codes of a sum (1, 11, 111, 1111) rather than a difference (2, 22, ...).
static bool IsSumLevel(std::int32_t code) { return code == 1 || code == 11 || code == 111 || code == 1111; }

// A power or root waiting in a sum or difference (ChainState 111 to 2222)
// folded into the factor: pow(F, x) or the x-th root of F.
Extended Calculator::SumLevelPowerFactor(double x) const {
  return ChainState == 111 || ChainState == 222 ? Power(Factor, x) : RootOf(Factor, x);
}

// The three-level chain folded into the factor: pow(B, x) (or the x-th root
// of B) multiplied into F or divided out of it.
Extended Calculator::ThreeLevelFactor(double x) const {
  const Extended F = Factor, B = PowerBase;
  switch (PowerState) {
    case 1:
    case 2: return Power(B, x) * F;
    case 11:
    case 22: return Divide(F, Power(B, x));
    case 111:
    case 222: return RootOf(B, x) * F;
    default: return Divide(F, RootOf(B, x));
  }
}

void Calculator::ApplyMultiplyDivide(std::int32_t k) {
  Guarded([&] {
    const std::int32_t S = k == Multiply ? 1 : 11;
    const std::int32_t D = k == Multiply ? 2 : 22;
    const double x = ReadOperand();
    // Operand takes x before any computation, so it holds x after a failure.
    if (IsChainCode(ChainState) || IsPowerCode(PowerState) ||
        (ChainActive == 1 && SimpleOp >= 3 && SimpleOp <= 6))
      Operand = x;
    auto foldFactor = [&](Extended f, bool sumLevel) {
      Factor = StoreDouble(f);
      ShowValue(Factor);
      ChainState = sumLevel ? S : D;
    };
    if (ChainState == 1 || ChainState == 2) {
      foldFactor(Factor * static_cast<Extended>(x), ChainState == 1);
    } else if (ChainState == 11 || ChainState == 22) {
      foldFactor(Divide(Factor, x), ChainState == 11);
    } else if (ChainState >= 111) {
      foldFactor(SumLevelPowerFactor(x), IsSumLevel(ChainState));
    } else if (FoldProductLevelPower(x, k)) {
    } else if (IsPowerCode(PowerState)) {
      foldFactor(ThreeLevelFactor(x), IsSumLevel(PowerState));
    } else if (ChainActive == 1 && SimpleOp >= 3 && SimpleOp <= 6) {
      Accumulator = StoreDouble(SimpleCompletion(SimpleOp, Accumulator, x));
      ShowValue(Accumulator);
    } else if (ChainActive == 1 && (SimpleOp == 1 || SimpleOp == 2)) {
      Factor = x;
      ChainState = SimpleOp == 1 ? S : D;
    } else {
      Accumulator = x;
    }
    PowerState = 0;
    SimpleOp = k;
    EntryState = 0;
    ChainActive = 1;
  });
}

void Calculator::ApplyPowerRoot(std::int32_t k) {
  Guarded([&] {
    const bool power = k == PowerOp;
    const std::int32_t Pplus = power ? 111 : 1111;
    const std::int32_t Pminus = power ? 222 : 2222;
    const double x = ReadOperand();
    const bool opensPowerLevel = ChainState == 1 || ChainState == 2 || ChainState == 11 || ChainState == 22;
    if ((IsChainCode(ChainState) && !opensPowerLevel) || IsPowerCode(PowerState) ||
        (ChainActive == 1 && (SimpleOp == 5 || SimpleOp == 6)))
      Operand = x;
    auto foldFactor = [&](Extended f, bool sumLevel) {
      Factor = StoreDouble(f);
      ShowValue(Factor);
      ChainState = sumLevel ? Pplus : Pminus;
      PowerState = 0;
    };
    if (opensPowerLevel) {
      // The base waits above the product or quotient: the three-level chain.
      const std::int32_t level = ChainState;
      PowerBase = x;
      ChainState = 0;
      if (power)
        PowerState = level;
      else
        PowerState = level == 1 ? 111 : level == 2 ? 222 : level == 11 ? 1111 : 2222;
    } else if (ChainState >= 111) {
      foldFactor(SumLevelPowerFactor(x), IsSumLevel(ChainState));
    } else if (FoldProductLevelPower(x, k)) {
    } else if (IsPowerCode(PowerState)) {
      foldFactor(ThreeLevelFactor(x), IsSumLevel(PowerState));
    } else if (ChainActive == 1 && SimpleOp >= 1 && SimpleOp <= 4) {
      Factor = x;
      switch (SimpleOp) {
        case 1: ChainState = Pplus; break;
        case 2: ChainState = Pminus; break;
        case 3: ChainState = power ? 3 : 33; break;
        default: ChainState = power ? 4 : 44; break;
      }
    } else if (ChainActive == 1 && (SimpleOp == 5 || SimpleOp == 6)) {
      Accumulator = StoreDouble(SimpleCompletion(SimpleOp, Accumulator, x));
      ShowValue(Accumulator);
    } else {
      Accumulator = x;
    }
    SimpleOp = k;
    EntryState = 0;
    ChainActive = 1;
  });
}

}  // namespace veltrum
