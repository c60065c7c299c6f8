// Handlers of the calculator window: keys, typed characters, the menu and
// the view of the core.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <exception>
#include <utility>

#include "calculator/window/layout.h"
#include "calculator/window/tform1.h"
#include "window/beside.h"
#include "window/text.h"
#include "window/top_level.h"

namespace veltrum {
namespace {

// Text1 left + 12 + Text1 width: only the calculator part stays visible.
constexpr int kNarrowWidth = 8 + 12 + 297;

// The physical keys that carry c, e, b and f type с, у, и and а in the
// Russian layout; they press the same keys. Capitals stay ignored.
constexpr std::pair<char16_t, char> kRussianLayoutKeys[] = {
    {u'с', 'c'}, {u'у', 'e'}, {u'и', 'b'}, {u'а', 'f'}};

// The one character of a key event that the keyboard map can know. With
// Ctrl, Alt or Meta held a printable key types no character (Ctrl+B is the
// control character 2, not "b"). Return and the keypad's Enter type "=",
// as on every calculator.
std::optional<char> TypedChar(const QKeyEvent& event) {
  constexpr auto kChords = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
  if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
    return event.modifiers() & kChords ? std::nullopt : std::optional<char>('=');
  const QString text = event.text();
  if (text.size() != 1) return std::nullopt;
  char16_t u = text[0].unicode();
  for (const auto& [russian, latin] : kRussianLayoutKeys)
    if (u == russian) u = static_cast<char16_t>(latin);
  if (u > 0x7F) return std::nullopt;
  const char c = static_cast<char>(u);
  if (c >= ' ' && (event.modifiers() & kChords)) return std::nullopt;
  return c;
}

}  // namespace

void TForm1::Press(Key key) {
  try {
    calculator_.Press(key);
  } catch (const std::exception& e) {
    // An error that escapes the key's handler ends only that handler, as the
    // event loop would report it.
    dialogs_.ErrorBox(QString::fromStdString(ErrorBoxText(e.what())));
  }
}

void TForm1::FormKeyPress(char key) {
  const std::optional<Key> k = KeyForChar(key);
  if (!k) return;
  if (QAbstractButton* button = keyButtons_[static_cast<std::size_t>(*k)]) button->click();
}

void TForm1::RefreshFromCalculator() {
  calculator_.SetView(this);
  calculator_.RefreshView();
}

void TForm1::DisplayChanged(std::string_view text) { Text1_->setText(FromUtf8(text)); }

void TForm1::ShiftCaptionChanged(std::string_view caption) {
  keyButtons_[static_cast<std::size_t>(Key::cmdShift)]->setText(FromUtf8(caption));
}

void TForm1::MemoryTextChanged(int register_index, std::string_view text) {
  txtM_[static_cast<std::size_t>(register_index)]->setText(FromUtf8(text));
}

void TForm1::AngleUnitChanged(bool radians) { (radians ? optRad_ : optGrad_)->setChecked(true); }

// ---- Menu ----

void TForm1::N1Click() {
  if (!plotWindow_) return;
  // Shown before this window hides, so that a window of the program stays
  // on screen.
  plotWindow_->show();
  hide();
  BringToFront(*plotWindow_);
  // Plotted functions work in radians.
  Press(Key::optRad);
}

void TForm1::N2Click() {
  if (TableHidden == 0) {
    SetClientWidth(kNarrowWidth);
    N2_->setText("Показать таблицу Менделеева");
    TableHidden = 1;
  } else {
    SetClientWidth(SavedWidth);
    N2_->setText("Скрыть таблицу Менделеева");
    TableHidden = 0;
  }
  // Hidden keys also leave the tab order.
  for (QWidget* w : tablePanel_) w->setVisible(TableHidden == 0);
}

void TForm1::mnuEndClick() {
  if (MayEnd()) QCoreApplication::exit(0);
}

void TForm1::mnuAboutClick() {
  if (!aboutBox_) return;
  setEnabled(false);
  BringToFront(*aboutBox_);
}

void TForm1::mnuMassClick() {
  if (!frmMass_ && makeMass_) frmMass_ = makeMass_();
  if (!frmMass_) return;
  if (!frmMass_->isVisible()) PlaceBeside(*frmMass_, *this, {frmTape_});
  BringToFront(*frmMass_);
  if (massShown_) massShown_(*frmMass_);
}

void TForm1::EnterMass(std::string_view text, std::string_view formula) {
  try {
    tape_.NameNextEntry(std::string(formula));
    calculator_.Press(Input::Entered(text));
  } catch (const std::exception& e) {
    dialogs_.ErrorBox(QString::fromStdString(ErrorBoxText(e.what())));
  }
  TakeTyping();
}

void TForm1::mnuTapeClick() {
  if (!frmTape_) {
    frmTape_ = new TfrmTape(
        tape_,
        [this](const std::string& result) {
          try {
            if (!calculator_.Press(Input::Pasted(result)))
              dialogs_.ShowMessage(MessageKind::Information, kPasteRefusedText);
          } catch (const std::exception& e) {
            dialogs_.ErrorBox(QString::fromStdString(ErrorBoxText(e.what())));
          }
          TakeTyping();
        },
        dialogs_, this);
    frmTape_->resize(360, height());
  }
  // Beside the calculator window, which keeps its size.
  if (!frmTape_->isVisible()) PlaceBeside(*frmTape_, *this, {frmMass_});
  BringToFront(*frmTape_);
}

// After a window has sent a value here, the next keys typed are for the
// calculator: "+1=" after a recall goes on with the recalled number.
void TForm1::TakeTyping() {
  if (!isVisible() || !isEnabled()) return;
  raise();
  activateWindow();
}

bool TForm1::MayEnd() { return !exitCheck_ || exitCheck_(); }

void TForm1::closeEvent(QCloseEvent* event) {
  // While the about box holds the window disabled, a close request from the
  // window manager is refused like any other input.
  if (!isEnabled()) {
    event->ignore();
    return;
  }
  // Closing the main window ends the program, whatever else is open, once
  // nothing unsaved stands in the way.
  if (!MayEnd()) {
    event->ignore();
    return;
  }
  event->accept();
  QCoreApplication::exit(0);
}

// ---- Keyboard ----

// Qt offers a key event that a widget leaves unaccepted to each parent in
// turn, and an application filter sees every hop: a repeat delivery is the
// same event offered to the parent of the widget that saw it last. The
// address alone does not tell: the platform builds each key event in the
// same place, so Shift's press and the '+' press after it share one.
bool TForm1::IsFirstDelivery(QObject* watched, QEvent* event) {
  auto* w = static_cast<QWidget*>(watched);
  const bool propagated = event == previewed_ && previewedAt_ && previewedAt_->parentWidget() == w;
  previewed_ = event;
  previewedAt_ = w;
  return !propagated;
}

// F1 to F4 that no shortcut took (this window is hidden while another window
// of the program is active) go to the menu, while this window is enabled and
// no modal box or input dialog is open: a command under a box would run in
// the middle of the command that opened it.
bool TForm1::OfferFunctionKey(int key) {
  if (!isEnabled() || QApplication::activeModalWidget()) return false;
  for (QAction* action : {mnuAbout_, N1_, N2_, mnuEnd_}) {
    if (action->shortcut() == QKeySequence(key)) {
      action->trigger();
      return true;
    }
  }
  return false;
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyRelease) previewed_ = nullptr;
  if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
  if (!IsFirstDelivery(watched, event)) return false;
  auto* keyEvent = static_cast<QKeyEvent*>(event);
  if (keyEvent->key() >= Qt::Key_F1 && keyEvent->key() <= Qt::Key_F4 &&
      keyEvent->modifiers() == Qt::NoModifier)
    return OfferFunctionKey(keyEvent->key());
  if (static_cast<QWidget*>(watched)->window() != this || !isEnabled()) return false;
  // Key preview: the window sees the character first; the focused control
  // still gets it afterwards.
  if (const std::optional<char> c = TypedChar(*keyEvent)) FormKeyPress(*c);
  return false;
}

// A mapped character that no control took has been used by the window.
void TForm1::keyPressEvent(QKeyEvent* event) {
  const std::optional<char> c = TypedChar(*event);
  if (c && KeyForChar(*c))
    event->accept();
  else
    QMainWindow::keyPressEvent(event);
}

}  // namespace veltrum
