#include "window/dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "window/text.h"

namespace veltrum {
namespace {

// A box with a single OK button, parented to the active window so that it
// stays in front of the window whose handler raised it.
void ShowBox(QMessageBox::Icon icon, const QString& caption, const QString& text) {
  QMessageBox box(icon, caption, text, QMessageBox::Ok, QApplication::activeWindow());
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

// The question boxes speak the program's language whatever translation of
// the toolkit is loaded; Да is the default button.
QMessageBox::StandardButton QuestionWithButtons(std::string_view text, QMessageBox::StandardButtons buttons) {
  QMessageBox box(QMessageBox::Question, FromUtf8(kQuestionCaption), FromUtf8(text), buttons,
                  QApplication::activeWindow());
  box.setWindowModality(Qt::ApplicationModal);
  box.button(QMessageBox::Yes)->setText("Да");
  box.button(QMessageBox::No)->setText("Нет");
  if (QAbstractButton* cancel = box.button(QMessageBox::Cancel)) {
    cancel->setText("Отмена");
    box.setEscapeButton(cancel);
  } else {
    box.setEscapeButton(box.button(QMessageBox::No));
  }
  box.setDefaultButton(QMessageBox::Yes);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace

void QtDialogs::ShowMessage(MessageKind kind, std::string_view text) {
  ShowBox(kind == MessageKind::Error ? QMessageBox::Critical : QMessageBox::Information,
          FromUtf8(MessageCaption(kind)), FromUtf8(text));
}

// The input dialog is built by hand rather than with QInputDialog, which
// offers no length limit for its edit.
bool QtDialogs::InputQuery(const QString& caption, const QString& prompt, QString& value, int maxLength) {
  QDialog dialog(QApplication::activeWindow());
  dialog.setWindowTitle(caption);
  auto* layout = new QVBoxLayout(&dialog);
  auto* label = new QLabel(prompt, &dialog);
  auto* edit = new QLineEdit(value, &dialog);
  // The limit stops typing only: a longer text already there stays whole
  // (a line edit cuts its text to its maximum length).
  if (maxLength > 0) edit->setMaxLength(std::max(maxLength, static_cast<int>(value.size())));
  edit->selectAll();
  label->setBuddy(edit);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  // The toolkit's own words, as in the message boxes, whatever translation
  // of the toolkit is loaded.
  buttons->button(QDialogButtonBox::Ok)->setText("OK");
  buttons->button(QDialogButtonBox::Cancel)->setText("Cancel");
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(label);
  layout->addWidget(edit);
  layout->addWidget(buttons);
  dialog.setMinimumWidth(300);
  if (dialog.exec() != QDialog::Accepted) return false;
  value = edit->text();
  return true;
}

// Да is the default button: the user asked for what the question
// confirms.
bool QtDialogs::Question(std::string_view text) {
  return QuestionWithButtons(text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

Choice QtDialogs::QuestionWithCancel(std::string_view text) {
  switch (QuestionWithButtons(text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes: return Choice::Yes;
    case QMessageBox::No: return Choice::No;
    default: return Choice::Cancel;
  }
}

void QtDialogs::ErrorBox(const QString& text) {
  ShowBox(QMessageBox::Critical, QString::fromUtf8(kApplicationTitle), text);
}

}  // namespace veltrum
