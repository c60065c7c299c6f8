// The operation chain: operator keys only record themselves in PendingKey;
// the next key that needs the display's number applies the recorded
// operator through ApplyPendingOperation, which folds what precedence
// allows and leaves the new operator waiting.
#include "calculator/calculator.h"

namespace veltrum {
namespace {

Extended RootOf(Extended base, Extended n) { return Power(base, Divide(1, n)); }

// A power or root over a product or quotient inside a sum or difference:
// the base waits in PowerBase, the three-level chain.
struct ThreeLevel {
  ChainCode level;
  PowerCode power, root;
};
constexpr ThreeLevel kThreeLevels[] = {
    {.level = ChainCode::PlusTimes, .power = PowerCode::PlusTimesPower, .root = PowerCode::PlusTimesRoot},
    {.level = ChainCode::MinusTimes, .power = PowerCode::MinusTimesPower, .root = PowerCode::MinusTimesRoot},
    {.level = ChainCode::PlusOver, .power = PowerCode::PlusOverPower, .root = PowerCode::PlusOverRoot},
    {.level = ChainCode::MinusOver, .power = PowerCode::MinusOverPower, .root = PowerCode::MinusOverRoot},
};

const ThreeLevel* ThreeLevelOver(ChainCode c) {
  for (const ThreeLevel& t : kThreeLevels)
    if (t.level == c) return &t;
  return nullptr;
}

// The chain code of a power or root after the simple operation op, waiting
// on the factor F.
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
    case ChainCode::PlusTimes: return {.term = F * n, .join = Op::Plus};
    case ChainCode::MinusTimes: return {.term = F * n, .join = Op::Minus};
    case ChainCode::PlusOver: return {.term = Divide(F, n), .join = Op::Plus};
    case ChainCode::MinusOver: return {.term = Divide(F, n), .join = Op::Minus};
    case ChainCode::PlusPower: return {.term = Power(F, n), .join = Op::Plus};
    case ChainCode::MinusPower: return {.term = Power(F, n), .join = Op::Minus};
    case ChainCode::PlusRoot: return {.term = RootOf(F, n), .join = Op::Plus};
    case ChainCode::MinusRoot: return {.term = RootOf(F, n), .join = Op::Minus};
    case ChainCode::TimesPower: return {.term = Power(F, n), .join = Op::Multiply};
    case ChainCode::OverPower: return {.term = Power(F, n), .join = Op::Divide};
    case ChainCode::TimesRoot: return {.term = RootOf(F, n), .join = Op::Multiply};
    case ChainCode::OverRoot: return {.term = RootOf(F, n), .join = Op::Divide};
    case ChainCode::None: break;
  }
  switch (PowerState) {
    case PowerCode::PlusTimesPower: return {.term = F * Power(B, n), .join = Op::Plus};
    case PowerCode::MinusTimesPower: return {.term = F * Power(B, n), .join = Op::Minus};
    case PowerCode::PlusOverPower: return {.term = Divide(F, Power(B, n)), .join = Op::Plus};
    case PowerCode::MinusOverPower: return {.term = Divide(F, Power(B, n)), .join = Op::Minus};
    case PowerCode::PlusTimesRoot: return {.term = F * RootOf(B, n), .join = Op::Plus};
    case PowerCode::MinusTimesRoot: return {.term = F * RootOf(B, n), .join = Op::Minus};
    case PowerCode::PlusOverRoot: return {.term = Divide(F, RootOf(B, n)), .join = Op::Plus};
    case PowerCode::MinusOverRoot: return {.term = Divide(F, RootOf(B, n)), .join = Op::Minus};
    case PowerCode::None: break;
  }
  // clang-format on
  return {.term = 0, .join = Op::None};
}

void Calculator::ApplyPendingOperation() {
  const Op pending = PendingKey;
  applying_ = true;
  switch (PendingKey) {
    case Op::Plus:
    case Op::Minus: ApplyPlusMinus(PendingKey); break;
    case Op::Multiply:
    case Op::Divide: ApplyMultiplyDivide(PendingKey); break;
    case Op::Power:
    case Op::Root: ApplyPowerRoot(PendingKey); break;
    case Op::None: break;
  }
  applying_ = false;
  PendingKey = Op::None;
  if (report_ && pending != Op::None) {
    report_->applied = pending;
    report_->displayAfterApplying = text1_;
  }
}

// The term of a sum-level chain becomes the new factor under code.
void Calculator::FoldIntoFactor(Extended term, ChainCode code) {
  Factor = StoreDouble(term);
  ShowValue(Factor);
  ChainState = code;
  PowerState = PowerCode::None;
}

// An operator of product level or above over an open chain: a term inside a
// sum or difference becomes the new factor, waiting under plusCode or
// minusCode (a product keeps growing in F); a power or root waiting on a
// product or quotient is folded into the accumulator at once, and the
// chain continues as the simple operation k.
void Calculator::FoldOpenChain(double x, Op k, ChainCode plusCode, ChainCode minusCode) {
  Operand = x;
  const ChainTerm t = OpenChainTerm(x);
  if (t.join == Op::Plus) {
    FoldIntoFactor(t.term, plusCode);
  } else if (t.join == Op::Minus) {
    FoldIntoFactor(t.term, minusCode);
  } else {
    Accumulator = StoreDouble(SimpleCompletion(t.join, Accumulator, t.term));
    SimpleOp = k;
    ShowValue(Accumulator);
    ChainState = ChainCode::None;
  }
}

// A simple chain folds its operation into A at once; without one (at the
// start, or after equals) x starts the chain in A.
void Calculator::ApplySimpleOrStart(double x) {
  if (ChainActive && SimpleOp != Op::None) {
    Operand = x;
    Accumulator = StoreDouble(SimpleCompletion(SimpleOp, Accumulator, x));
    ShowValue(Accumulator);
  } else {
    Accumulator = x;
  }
}

void Calculator::ContinueChainWith(Op k) {
  SimpleOp = k;
  EntryState = false;
  ChainActive = true;
}

// Every branch that computes stores x in Operand first, so Operand holds x
// after a failure.
void Calculator::ApplyPlusMinus(Op k) {
  Guarded([&] {
    const double x = ReadOperand();
    if (ChainOpen()) {
      Operand = x;
      const ChainTerm t = OpenChainTerm(x);
      ShowResult(SimpleCompletion(t.join, Accumulator, t.term));
    } else {
      ApplySimpleOrStart(x);
    }
    ChainState = ChainCode::None;
    PowerState = PowerCode::None;
    ContinueChainWith(k);
  });
}

void Calculator::ApplyMultiplyDivide(Op k) {
  Guarded([&] {
    const bool multiply = k == Op::Multiply;
    const ChainCode plusCode = multiply ? ChainCode::PlusTimes : ChainCode::PlusOver;
    const ChainCode minusCode = multiply ? ChainCode::MinusTimes : ChainCode::MinusOver;
    const double x = ReadOperand();
    if (ChainOpen()) {
      FoldOpenChain(x, k, plusCode, minusCode);
    } else if (ChainActive && (SimpleOp == Op::Plus || SimpleOp == Op::Minus)) {
      Factor = x;
      ChainState = SimpleOp == Op::Plus ? plusCode : minusCode;
    } else {
      ApplySimpleOrStart(x);
    }
    PowerState = PowerCode::None;
    ContinueChainWith(k);
  });
}

void Calculator::ApplyPowerRoot(Op k) {
  Guarded([&] {
    const bool power = k == Op::Power;
    const double x = ReadOperand();
    if (const ThreeLevel* opened = ThreeLevelOver(ChainState)) {
      PowerBase = x;
      PowerState = power ? opened->power : opened->root;
      ChainState = ChainCode::None;
    } else if (ChainOpen()) {
      // Powers associate to the left: what waits is folded first.
      FoldOpenChain(x, k, WaitingPowerCode(Op::Plus, power), WaitingPowerCode(Op::Minus, power));
    } else if (ChainActive && SimpleOp != Op::None && SimpleOp != Op::Power && SimpleOp != Op::Root) {
      Factor = x;
      ChainState = WaitingPowerCode(SimpleOp, power);
    } else {
      ApplySimpleOrStart(x);
    }
    ContinueChainWith(k);
  });
}

}  // namespace veltrum
