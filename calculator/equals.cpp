// The equals key completes the open chain with the display's number, shows
// the result and leaves the last operation and operand for a repetition.
#include "calculator/calculator.h"

namespace veltrum {

void Calculator::cmdisClick() {
  Guarded([&] {
    if (SimpleOp != Op::None && RepeatMark) Operand = ReadOperand();
    if (ChainOpen()) {
      // The chain becomes a simple operation whose operand is its whole last
      // term: after 2 + 3 * 4 = a repeated equals adds 12.
      const ChainTerm t = OpenChainTerm(Operand);
      ShowResult(SimpleCompletion(t.join, Accumulator, t.term));
      Operand = StoreDouble(t.term);
      SimpleOp = t.join;
    } else if (SimpleOp != Op::None) {
      ShowResult(SimpleCompletion(SimpleOp, Accumulator, Operand));
    }
    EntryState = false;
    RepeatMark = false;
    ChainActive = false;
    ChainState = ChainCode::None;
    PowerState = PowerCode::None;
  });
}

void Calculator::ShowResult(Extended r) {
  ChainResult = StoreDouble(r);
  ShowValue(ChainResult);
  Accumulator = ChainResult;
}

}  // namespace veltrum
