// The equals key completes the open chain with the display's number, shows
// the result and leaves the last operation and operand for a repetition.
#include "calculator/calculator.h"

namespace veltrum {

void Calculator::cmdisClick() {
  Guarded([&] {
    if (SimpleOp != 0 && RepeatMark == 1.0) Operand = ReadOperand();
    const Extended o = Operand, A = Accumulator, F = Factor, B = PowerBase;
    Extended r = 0;
    Extended newOperand = o;
    std::int32_t newSimpleOp = SimpleOp;
    bool computes = true;
    auto chain = [&](Extended term, bool sum, Extended result) {
      newOperand = term;
      newSimpleOp = sum ? 1 : 2;
      r = result;
    };
    auto product = [&](Extended term, bool multiply, Extended result) {
      newOperand = term;
      newSimpleOp = multiply ? 3 : 4;
      r = result;
    };
    // clang-format off
    switch (ChainState) {
      case 1: chain(o * F, true, F * o + A); break;
      case 2: chain(o * F, false, A - F * o); break;
      case 11: { Extended t = Divide(F, o); chain(t, true, t + A); break; }
      case 22: { Extended t = Divide(F, o); chain(t, false, A - t); break; }
      case 111: { Extended t = Power(F, o); chain(t, true, t + A); break; }
      case 222: { Extended t = Power(F, o); chain(t, false, A - t); break; }
      case 1111: { Extended t = Power(F, Divide(1, o)); chain(t, true, t + A); break; }
      case 2222: { Extended t = Power(F, Divide(1, o)); chain(t, false, A - t); break; }
      case 3: { Extended t = Power(F, o); product(t, true, t * A); break; }
      case 4: { Extended t = Power(F, o); product(t, false, Divide(A, t)); break; }
      case 33: { Extended t = Power(F, Divide(1, o)); product(t, true, t * A); break; }
      case 44: { Extended t = Power(F, Divide(1, o)); product(t, false, Divide(A, t)); break; }
      default:
        switch (PowerState) {
          case 1: { Extended t = Power(B, o) * F; chain(t, true, t + A); break; }
          case 2: { Extended t = Power(B, o) * F; chain(t, false, A - t); break; }
          case 11: { Extended t = Divide(F, Power(B, o)); chain(t, true, t + A); break; }
          case 22: { Extended t = Divide(F, Power(B, o)); chain(t, false, A - t); break; }
          case 111: { Extended t = Power(B, Divide(1, o)) * F; chain(t, true, t + A); break; }
          case 222: { Extended t = Power(B, Divide(1, o)) * F; chain(t, false, A - t); break; }
          case 1111: { Extended t = Divide(F, Power(B, Divide(1, o))); chain(t, true, t + A); break; }
          case 2222: { Extended t = Divide(F, Power(B, Divide(1, o))); chain(t, false, A - t); break; }
          default:
            switch (SimpleOp) {
              case 1: r = A + o; break;
              case 2: r = A - o; break;
              case 3: r = A * o; break;
              case 4: r = Divide(A, o); break;
              case 5: r = Power(A, o); break;
              case 6: r = Power(A, Divide(1, o)); break;
              default: computes = false; break;
            }
        }
    }
    // clang-format on
    if (computes) {
      ChainResult = StoreDouble(r);
      ShowValue(ChainResult);
      Accumulator = ChainResult;
      Operand = StoreDouble(newOperand);
      SimpleOp = newSimpleOp;
    }
    EntryState = 0;
    RepeatMark = 0.0;
    ChainActive = 0;
    ChainState = 0;
    PowerState = 0;
  });
}

}  // namespace veltrum
