#pragma once
// The boxes a sampling run ends with, held until the handler that ended
// the run has returned: the plot window then shows them from its ordinary
// event loop, as a person expects, and the runs waiting go on once they
// are closed. A run that cannot start its threads, or that memory cannot
// hold, never shows its box from inside the click that started it.
#include <deque>
#include <functional>
#include <string>
#include <string_view>

#include "window/dialogs.h"

namespace veltrum {

class HeldBoxes : public MessageSink {
 public:
  void ShowMessage(MessageKind kind, std::string_view text) override {
    Hold([kind, text = std::string(text)](Dialogs& dialogs) { dialogs.ShowMessage(kind, text); });
  }
  // Any other box, shown by show when its turn comes.
  void Hold(std::function<void(Dialogs&)> show) { boxes_.push_back(std::move(show)); }
  // Whether a box waits or is open.
  bool Holding() const { return !boxes_.empty(); }

  // Shows the boxes held, in order, each once the one before is closed.
  void ShowOn(Dialogs& dialogs) {
    while (!boxes_.empty()) {
      boxes_.front()(dialogs);
      boxes_.pop_front();
    }
  }

 private:
  std::deque<std::function<void(Dialogs&)>> boxes_;
};

}  // namespace veltrum
