// The operation chain: operator keys only record themselves in PendingKey;
// the next key that needs the display's number applies the recorded
// operator through ApplyPendingOperation, which folds what precedence
// allows and leaves the new operator waiting.
#include "calculator/calculator.h"

namespace veltrum {
namespace {

Extended RootOf(Extended base, Extended n) { return Power(base, Divide(1, n)); }

bool JoinsAtSumLevel(Op join) { return join == Op::Plus || join == Op::Minus; }

// A power or root over the product or quotient of ChainState level: the
// base waits in PowerBase, the three-level chain.
PowerCode ThreeLevelCode(ChainCode level, bool power) {
  switch (level) {
    case ChainCode::PlusTimes: return power ? PowerCode::PlusTimesPower : PowerCode::PlusTimesRoot;
    case ChainCode::MinusTimes: return power ? PowerCode::MinusTimesPower : PowerCode::MinusTimesRoot;
    case ChainCode::PlusOver: return power ? PowerCode::PlusOverPower : PowerCode::PlusOverRoot;
    default: return power ? PowerCode::MinusOverPower : PowerCode::MinusOverRoot;
  }
}

bool OpensThreeLevel(ChainCode c) {
  return c == ChainCode::PlusTimes || c == ChainCode::MinusTimes || c == ChainCode::PlusOver ||
         c == ChainCode::MinusOver;
}

// A power or root after the simple operation op waits on the factor F.
ChainCode WaitingPowerCode(Op op, bool power) {
  switch (op) {
    case Op::Plus: return power ? ChainCode::PlusPower : ChainCode::PlusRoot;
    case Op::Minus: return power ? ChainCode::MinusPower : ChainCode::MinusRoot;
    case Op::Multiply: return power ? ChainCode::TimesPower : ChainCode::TimesRoot;
    default: return power ? ChainCode::OverPower : ChainCode::OverRoot;
  }
}

}  // namespace

Extended Calculator::SimpleCompletion(Op op, Extended a, Extended n) {
  switch (op) {
    case Op::Plus: return a + n;
    case Op::Minus: return a - n;
    case Op::Multiply: return a * n;
    case Op::Divide: return Divide(a, n);
    case Op::Power: return Power(a, n);
    default: return RootOf(a, n);
  }
}

Calculator::ChainTerm Calculator::OpenChainTerm(double x) const {
  const Extended F = Factor, B = PowerBase, n = x;
  // clang-format off
  switch (ChainState) {
    case ChainCode::PlusTimes: return {F * n, Op::Plus};
    case ChainCode::MinusTimes: return {F * n, Op::Minus};
    case ChainCode::PlusOver: return {Divide(F, n), Op::Plus};
    case ChainCode::MinusOver: return {Divide(F, n), Op::Minus};
    case ChainCode::PlusPower: return {Power(F, n), Op::Plus};
    case ChainCode::MinusPower: return {Power(F, n), Op::Minus};
    case ChainCode::PlusRoot: return {RootOf(F, n), Op::Plus};
    case ChainCode::MinusRoot: return {RootOf(F, n), Op::Minus};
    case ChainCode::TimesPower: return {Power(F, n), Op::Multiply};
    case ChainCode::OverPower: return {Power(F, n), Op::Divide};
    case ChainCode::TimesRoot: return {RootOf(F, n), Op::Multiply};
    case ChainCode::OverRoot: return {RootOf(F, n), Op::Divide};
    case ChainCode::None: break;
  }
  switch (PowerState) {
    case PowerCode::PlusTimesPower: return {F * Power(B, n), Op::Plus};
    case PowerCode::MinusTimesPower: return {F * Power(B, n), Op::Minus};
    case PowerCode::PlusOverPower: return {Divide(F, Power(B, n)), Op::Plus};
    case PowerCode::MinusOverPower: return {Divide(F, Power(B, n)), Op::Minus};
    case PowerCode::PlusTimesRoot: return {F * RootOf(B, n), Op::Plus};
    case PowerCode::MinusTimesRoot: return {F * RootOf(B, n), Op::Minus};
    case PowerCode::PlusOverRoot: return {Divide(F, RootOf(B, n)), Op::Plus};
    case PowerCode::MinusOverRoot: return {Divide(F, RootOf(B, n)), Op::Minus};
    case PowerCode::None: break;
  }
  // clang-format on
  return {0, Op::None};
}

void Calculator::ApplyPendingOperation() {
  switch (PendingKey) {
    case Op::Plus:
    case Op::Minus: ApplyPlusMinus(PendingKey); break;
    case Op::Multiply:
    case Op::Divide: ApplyMultiplyDivide(PendingKey); break;
    case Op::Power:
    case Op::Root: ApplyPowerRoot(PendingKey); break;
    case Op::None: break;
  }
  PendingKey = Op::None;
}

// The term of a sum-level chain becomes the new factor under code.
void Calculator::FoldIntoFactor(Extended term, ChainCode code) {
  Factor = StoreDouble(term);
  ShowValue(Factor);
  ChainState = code;
  PowerState = PowerCode::None;
}

// A power or root waiting on a product or quotient is folded into the
// accumulator at once by every operator of product level or above; the
// chain continues as the simple operation k.
void Calculator::FoldIntoAccumulator(const ChainTerm& t, Op k) {
  Accumulator = StoreDouble(SimpleCompletion(t.join, Accumulator, t.term));
  SimpleOp = k;
  ShowValue(Accumulator);
  ChainState = ChainCode::None;
}

void Calculator::ApplySimpleOp(double x) {
  Operand = x;
  Accumulator = StoreDouble(SimpleCompletion(SimpleOp, Accumulator, x));
  ShowValue(Accumulator);
}

// Every branch that computes stores x in Operand first, so Operand holds x
// after a failure.
void Calculator::ApplyPlusMinus(Op k) {
  Guarded([&] {
    const double x = ReadOperand();
    if (ChainOpen()) {
      Operand = x;
      const ChainTerm t = OpenChainTerm(x);
      ChainResult = StoreDouble(SimpleCompletion(t.join, Accumulator, t.term));
      Accumulator = ChainResult;
      ShowValue(ChainResult);
    } else if (ChainActive == 1 && SimpleOp != Op::None) {
      ApplySimpleOp(x);
    } else {
      Accumulator = x;
    }
    ChainState = ChainCode::None;
    PowerState = PowerCode::None;
    SimpleOp = k;
    EntryState = 0;
    ChainActive = 1;
  });
}

void Calculator::ApplyMultiplyDivide(Op k) {
  Guarded([&] {
    const bool multiply = k == Op::Multiply;
    const ChainCode plusCode = multiply ? ChainCode::PlusTimes : ChainCode::PlusOver;
    const ChainCode minusCode = multiply ? ChainCode::MinusTimes : ChainCode::MinusOver;
    const double x = ReadOperand();
    if (ChainOpen()) {
      // A product inside a sum keeps growing in F; a power waiting on a
      // product is folded into A.
      Operand = x;
      const ChainTerm t = OpenChainTerm(x);
      if (JoinsAtSumLevel(t.join))
        FoldIntoFactor(t.term, t.join == Op::Plus ? plusCode : minusCode);
      else
        FoldIntoAccumulator(t, k);
    } else if (ChainActive == 1 && (SimpleOp == Op::Plus || SimpleOp == Op::Minus)) {
      Factor = x;
      ChainState = SimpleOp == Op::Plus ? plusCode : minusCode;
    } else if (ChainActive == 1 && SimpleOp != Op::None) {
      ApplySimpleOp(x);
    } else {
      Accumulator = x;
    }
    PowerState = PowerCode::None;
    SimpleOp = k;
    EntryState = 0;
    ChainActive = 1;
  });
}

void Calculator::ApplyPowerRoot(Op k) {
  Guarded([&] {
    const bool power = k == Op::Power;
    const double x = ReadOperand();
    if (OpensThreeLevel(ChainState)) {
      PowerBase = x;
      PowerState = ThreeLevelCode(ChainState, power);
      ChainState = ChainCode::None;
    } else if (ChainOpen()) {
      // Powers associate to the left: what waits is folded first.
      Operand = x;
      const ChainTerm t = OpenChainTerm(x);
      if (JoinsAtSumLevel(t.join))
        FoldIntoFactor(t.term, WaitingPowerCode(t.join, power));
      else
        FoldIntoAccumulator(t, k);
    } else if (ChainActive == 1 && (SimpleOp == Op::Power || SimpleOp == Op::Root)) {
      ApplySimpleOp(x);
    } else if (ChainActive == 1 && SimpleOp != Op::None) {
      Factor = x;
      ChainState = WaitingPowerCode(SimpleOp, power);
    } else {
      Accumulator = x;
    }
    SimpleOp = k;
    EntryState = 0;
    ChainActive = 1;
  });
}

}  // namespace veltrum
