#pragma once
// What the calculator tells an observer after each key it handled: the key,
// the state and display before and after, the waiting operator the key
// applied first and whether a calculation failed with the error box. An
// observer only reads; it gets copies and can change nothing. Keys pressed
// during a plot run are not reported.
#include <cstdint>
#include <string>

#include "calculator/keys.h"
#include "calculator/state.h"

namespace veltrum {

// How a number came onto the display besides a key.
enum class EntryKind : std::uint8_t {
  Key,         // a key of the window (element keys included)
  NumberText,  // a finished number text entered as an element key enters its mass
  Paste,       // a pasted number
};

struct KeyReport {
  EntryKind kind = EntryKind::Key;
  Key key = Key::cmd0;  // for EntryKind::Key
  std::string text;     // the entered or pasted text, for the other kinds
  CalculatorState before;
  CalculatorState after;
  std::string displayBefore;
  std::string display;  // after the key
  // The waiting operator the key applied before its own work, and the
  // display right after that (an intermediate result, or unchanged).
  Op applied = Op::None;
  std::string displayAfterApplying;
  // An error box was shown while applying the operator, and while the key
  // did its own work.
  bool failedApplying = false;
  bool failed = false;
  bool radians = true;
};

class KeyObserver {
 public:
  virtual ~KeyObserver() = default;
  virtual void KeyHandled(const KeyReport& report) = 0;
};

}  // namespace veltrum
