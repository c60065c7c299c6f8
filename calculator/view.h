#pragma once
// What the calculator reports to the window that shows it: display
// changes, the shift caption, the memory displays and the angle unit.
#include <string_view>

namespace veltrum {

class CalculatorView {
 public:
  virtual ~CalculatorView() = default;
  virtual void DisplayChanged(std::string_view text) = 0;
  virtual void ShiftCaptionChanged(std::string_view caption) = 0;
  // register_index 0..2 for txtM1..txtM3
  virtual void MemoryTextChanged(int register_index, std::string_view text) = 0;
  virtual void AngleUnitChanged(bool radians) = 0;
};

}  // namespace veltrum
