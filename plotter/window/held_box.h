#pragma once
// The boxes a sampling run ends with, held until the handler that ended
// the run has returned: the plot window then shows them from its ordinary
// event loop, as a person expects, and the runs waiting go on once they
// are closed. A run that cannot start its threads, or that memory cannot
// hold, never shows its box from inside the click that started it.
#include <QString>
#include <deque>
#include <string>
#include <string_view>

#include "window/dialogs.h"

namespace veltrum {

class HeldBoxes : public MessageSink {
 public:
  void ShowMessage(MessageKind kind, std::string_view text) override {
    boxes_.push_back({false, kind, std::string(text)});
  }
  // The standard error box; text already passed through ErrorBoxText.
  void HoldErrorBox(std::string_view text) { boxes_.push_back({true, MessageKind::Error, std::string(text)}); }
  // Whether a box waits or is open.
  bool Holding() const { return !boxes_.empty(); }

  // Shows the boxes held, in order, each once the one before is closed.
  void ShowOn(Dialogs& dialogs) {
    while (!boxes_.empty()) {
      const Box& box = boxes_.front();
      if (box.errorBox)
        dialogs.ErrorBox(QString::fromStdString(box.text));
      else
        dialogs.ShowMessage(box.kind, box.text);
      boxes_.pop_front();
    }
  }

 private:
  struct Box {
    bool errorBox;
    MessageKind kind;
    std::string text;
  };
  std::deque<Box> boxes_;
};

}  // namespace veltrum
