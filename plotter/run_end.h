#pragma once
// How a run ends, one value for a sampling run and an analysis alike: its
// kind, why it failed, the message it is shown with, and what its last
// sample left on the display. The owner shows the message and decides
// what the last sample leaves on its own calculator.
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

namespace veltrum {

class Calculator;

struct RunEnd {
  enum class Kind : std::uint8_t {
    Completed,  // every sample taken (samples without value are no failure)
    Stopped,    // the owner stopped it
    Failed,
  };
  enum class Failure : std::uint8_t {
    None,
    Refused,      // the bounds or the sample count, before the first sample
    Calculation,  // a text the evaluator cannot read; a bound that is not a number
    OutOfMemory,
    NoThread,  // a worker thread could not be created
    Other,     // any other exception
  };

  Kind kind = Kind::Completed;
  Failure failure = Failure::None;
  // The message a failure is shown with; empty for a run that did not fail.
  std::string text;
  // The display the last sample handed over left on its worker's
  // calculator (the failing sample's, for a calculation failure); nothing
  // when no sample was handed over.
  std::optional<std::string> display;

  static RunEnd Failed(Failure failure, std::string_view text);
  // The end an exception that is not the calculator's own gives a run: the
  // out-of-memory message, a thread's that could not start, or the
  // exception's own text.
  static RunEnd FailedBy(const std::exception_ptr& error);
};

// The failures shown as a message box: the run's own messages. The others
// are errors the event loop would report in its error box.
constexpr bool ShownAsMessage(RunEnd::Failure failure) {
  switch (failure) {
    case RunEnd::Failure::Refused:
    case RunEnd::Failure::Calculation:
    case RunEnd::Failure::OutOfMemory: return true;
    case RunEnd::Failure::None:
    case RunEnd::Failure::NoThread:
    case RunEnd::Failure::Other: return false;
  }
  return false;
}

// The calculator's own failures: one function's bounds or calculation. A
// command that draws several functions goes on after them with the next;
// the others end it.
constexpr bool IsCalculatorFailure(RunEnd::Failure failure) {
  return failure == RunEnd::Failure::Refused || failure == RunEnd::Failure::Calculation;
}

// What a run leaves on its owner's calculator: the display its last sample
// left, with the chain cleared and the shift off, as a run on that
// calculator alone would leave it. It goes in through Press (C, the display
// entered as a number text, the shift key if the shift is on), and only
// when the calculator has taken no input since the run started, its
// InputCount then being inputsAtStart: whatever a person pressed, pasted
// or entered meanwhile stands. True when it was applied.
bool LeaveLastSample(Calculator& calc, const RunEnd& end, std::uint64_t inputsAtStart);

}  // namespace veltrum
