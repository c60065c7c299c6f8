#pragma once
// Every modal box of the program goes through this interface: message
// boxes, the input dialog and the event loop's error box. The program uses
// QtDialogs; tests use a recorder that never blocks.
#include <QString>
#include <QWidget>

#include "messages/message_sink.h"
#include "version.h"

namespace veltrum {

// The caption of a question box; its buttons are "Да", "Нет" and "Отмена",
// in the program's language as the file dialogs are.
inline constexpr std::string_view kQuestionCaption = "Подтверждение";

enum class Choice { Yes, No, Cancel };

class Dialogs : public MessageSink {
 public:
  // A modal message box with the caption "Error" or "Information", its icon
  // and a single OK button (MessageSink).
  void ShowMessage(MessageKind kind, std::string_view text) override = 0;
  // The input dialog with OK and Cancel; value holds the initial text and,
  // after OK, the edited one. maxLength limits typing in the edit.
  virtual bool InputQuery(const QString& caption, const QString& prompt, QString& value, int maxLength) = 0;
  // A modal question box with the caption kQuestionCaption, its icon and
  // the buttons Да and Нет; true for Да.
  virtual bool Question(std::string_view text) = 0;
  // The same with a third button, Отмена, which also answers Escape and
  // the title-bar close.
  virtual Choice QuestionWithCancel(std::string_view text) = 0;
  // The standard error box for an error that escapes a handler: title
  // kApplicationTitle, stop icon, OK; text already passed through ErrorBoxText.
  virtual void ErrorBox(const QString& text) = 0;
};

// Real Qt boxes, parented to the active window.
class QtDialogs : public Dialogs {
 public:
  void ShowMessage(MessageKind kind, std::string_view text) override;
  bool InputQuery(const QString& caption, const QString& prompt, QString& value, int maxLength) override;
  bool Question(std::string_view text) override;
  Choice QuestionWithCancel(std::string_view text) override;
  void ErrorBox(const QString& text) override;
};

}  // namespace veltrum
