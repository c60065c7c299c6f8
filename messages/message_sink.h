#pragma once
// Where the program's message boxes go: the calculator's error message,
// the sampling run's messages, the windows' own. The windows show a modal
// box, the command-line tool writes a line, tests record.
#include <cstdint>
#include <string_view>

namespace veltrum {

enum class MessageKind : std::uint8_t { Error, Information };

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
