#pragma once
// The calculator's window-wide state variables, under the names and with
// the codes the rest of the program and its tests speak of. Only the
// calculator writes them; everyone else reads a copy (Calculator::Snapshot).
#include <array>
#include <cstdint>

namespace veltrum {

// Operator codes: the values of PendingKey and SimpleOp.
enum class Op : std::uint8_t { None = 0, Plus = 1, Minus = 2, Multiply = 3, Divide = 4, Power = 5, Root = 6 };

// ChainState: a two-level chain waiting for its last operand n. Each code
// is the accumulator A joined to a term of the factor F.
enum class ChainCode : std::uint16_t {
  None = 0,
  PlusTimes = 1,     // A + F * n
  MinusTimes = 2,    // A - F * n
  PlusOver = 11,     // A + F / n
  MinusOver = 22,    // A - F / n
  PlusPower = 111,   // A + pow(F, n)
  MinusPower = 222,  // A - pow(F, n)
  PlusRoot = 1111,   // A + pow(F, 1/n)
  MinusRoot = 2222,  // A - pow(F, 1/n)
  TimesPower = 3,    // A * pow(F, n)
  OverPower = 4,     // A / pow(F, n)
  TimesRoot = 33,    // A * pow(F, 1/n)
  OverRoot = 44,     // A / pow(F, 1/n)
};

// PowerState: the three-level chain, a power or root of the base B waiting
// on a product or quotient inside a sum or difference.
enum class PowerCode : std::uint16_t {
  None = 0,
  PlusTimesPower = 1,    // A + F * pow(B, n)
  MinusTimesPower = 2,   // A - F * pow(B, n)
  PlusOverPower = 11,    // A + F / pow(B, n)
  MinusOverPower = 22,   // A - F / pow(B, n)
  PlusTimesRoot = 111,   // A + F * pow(B, 1/n)
  MinusTimesRoot = 222,  // A - F * pow(B, 1/n)
  PlusOverRoot = 1111,   // A + F / pow(B, 1/n)
  MinusOverRoot = 2222,  // A - F / pow(B, 1/n)
};

struct CalculatorState {
  // Whether a number is being typed: the next digit extends it.
  bool EntryState = false;
  Op PendingKey = Op::None;
  Op SimpleOp = Op::None;
  ChainCode ChainState = ChainCode::None;
  PowerCode PowerState = PowerCode::None;
  bool ChainActive = false;
  bool ExponentStart = false;
  bool ShiftOn = false;
  double Accumulator = 0.0;
  double Factor = 0.0;
  double PowerBase = 0.0;
  double Operand = 0.0;
  double ChainResult = 0.0;
  // Whether a number was entered since the last equals, for a repeated
  // equals to read.
  bool RepeatMark = false;
  std::array<double, 3> Memory{0.0, 0.0, 0.0};
  // While PlotMode is set a failed calculation sets CalcError instead of
  // showing a message box. Only a PlotRun writes PlotMode and clears
  // CalcError; only the calculation guard's recovery sets CalcError.
  bool PlotMode = false;
  bool CalcError = false;
};

}  // namespace veltrum
