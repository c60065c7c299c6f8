// Three memory registers. Store, add and subtract neither apply a waiting
// operator nor change the display; recall applies it and shows the value.
#include "calculator/calculator.h"
#include "number/number_text.h"

namespace veltrum {

// Rounds to double; a value beyond the double range fails and leaves the
// register and its text as they were.
void Calculator::SetRegister(int i, Extended value) {
  Memory[i] = StoreDouble(value);
  memoryText_[i] = NumberText(Memory[i]);
  if (view_) view_->MemoryTextChanged(i, memoryText_[i]);
  EntryState = false;
}

void Calculator::MemoryInClick(int i) {
  Guarded([&] { SetRegister(i, ReadDisplay()); });
}

void Calculator::MemoryPlusClick(int i) {
  Guarded([&] { SetRegister(i, Memory[i] - (-ReadDisplay())); });
}

void Calculator::MemoryMinusClick(int i) {
  Guarded([&] { SetRegister(i, Memory[i] - ReadDisplay()); });
}

void Calculator::MemoryRecallClick(int i) {
  ApplyPendingOperation();
  ShowValue(Memory[i]);
  EntryState = false;
  MarkNewNumber();
}

}  // namespace veltrum
