#pragma once
// What the calculator reports to its clients (windows, the command-line
// tool, tests): display changes and message boxes.
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

enum class MessageKind { Error, Information };

// The toolkit's own words for the caption of a message box.
constexpr std::string_view MessageCaption(MessageKind kind) {
  return kind == MessageKind::Error ? "Error" : "Information";
}

// A modal message box with a single OK button.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void ShowMessage(MessageKind kind, std::string_view text) = 0;
};

}  // namespace veltrum
