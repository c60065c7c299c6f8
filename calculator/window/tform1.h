#pragma once
// The calculator window: display, keypad, memory displays, the periodic
// table and the main menu. Every key goes to the calculator core; the window
// only shows what the core reports through CalculatorView.
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "calculator/calculator.h"
#include "calculator/tape.h"
#include "calculator/window/tape_window.h"
#include "window/dialogs.h"

class QAbstractButton;
class QAction;
class QLineEdit;
class QMenu;
class QRadioButton;

namespace veltrum {

class TForm1 : public QMainWindow, private CalculatorView {
  Q_OBJECT
 public:
  explicit TForm1(Dialogs& dialogs, QWidget* parent = nullptr);
  ~TForm1() override;

  Calculator& calculator() { return calculator_; }

  // The window that N1 ("Построение графиков") shows; without one N1 does nothing.
  void SetPlotWindow(QWidget* window) { plotWindow_ = window; }
  // The window that mnuAbout ("О программе") shows.
  void SetAboutBox(QWidget* window) { aboutBox_ = window; }
  // Asked before "Выход" or the close of this window ends the program:
  // false keeps it running (the user chose to stay, or saving failed).
  void SetExitCheck(std::function<bool()> check) { exitCheck_ = std::move(check); }

  // Reads display, shift caption, memory texts and angle unit from the core
  // again, for a client that detached the view for a while.
  void RefreshFromCalculator();

  // Presses the key of a control as its click would, reporting an error
  // that escapes the key's handler in the error box.
  void Press(Key key);

  // Menu handlers.
  void N1Click();
  void N2Click();
  void mnuEndClick();
  void mnuAboutClick();
  // "Сервис" → "Молярная масса по формуле…" (Ctrl+M): shows the molar-mass
  // window beside this one, made on first use; its mass enters through
  // EnterMass. This window does not know that window's class: the
  // program's window set gives make, which makes it as a child of this
  // window, and shown, called each time the command shows it.
  void mnuMassClick();
  void SetMassWindow(std::function<QWidget*()> make, std::function<void(QWidget&)> shown) {
    makeMass_ = std::move(make);
    massShown_ = std::move(shown);
  }
  QWidget* MassWindow() const { return frmMass_; }
  // A mass the molar-mass window enters: as an element key enters its
  // own, its tape line named after the formula; the keys typed next go to
  // this window.
  void EnterMass(std::string_view text, std::string_view formula);
  // "Сервис" → "Журнал вычислений" (Ctrl+J): shows the tape window beside
  // this one, created on first use.
  void mnuTapeClick();
  TfrmTape* TapeWindow() const { return frmTape_; }
  const Tape& tape() const { return tape_; }

  // The display and the clipboard (Ctrl+C, Ctrl+V, right-click on Text1).
  void CopyDisplay();
  void PasteDisplay();
  // The right-click menu of Text1: "Копировать", "Вставить".
  QMenu* CreateDisplayMenu();

  // Every character typed while the window is active, whichever control has
  // the focus: it presses the key of the keyboard map.
  void FormKeyPress(char key);

  // Width of the window with the periodic table, taken at creation.
  int SavedWidth = 0;
  // 1 while the periodic table is hidden.
  std::uint8_t TableHidden = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void BuildControls();
  void BuildPeriodicTable();
  void BuildMenu();
  void BuildClipboard();
  void ConnectKeys();
  void SetClientWidth(int width);
  bool IsFirstDelivery(QObject* watched, QEvent* event);
  bool OfferFunctionKey(int key);
  void TakeTyping();
  bool MayEnd();

  void DisplayChanged(std::string_view text) override;
  void ShiftCaptionChanged(std::string_view caption) override;
  void MemoryTextChanged(int register_index, std::string_view text) override;
  void AngleUnitChanged(bool radians) override;

  Dialogs& dialogs_;
  Calculator calculator_;
  // Watches every key from creation on; nothing else reads the keys.
  Tape tape_;

  QLineEdit* Text1_ = nullptr;
  std::array<QLineEdit*, 3> txtM_{};
  QRadioButton* optGrad_ = nullptr;
  QRadioButton* optRad_ = nullptr;
  // The control of every key, indexed by Key.
  std::vector<QAbstractButton*> keyButtons_;
  // The periodic table: shown and hidden together by N2.
  std::vector<QWidget*> tablePanel_;
  QAction* N1_ = nullptr;
  QAction* N2_ = nullptr;
  QAction* mnuEnd_ = nullptr;
  QAction* mnuAbout_ = nullptr;
  // "Сервис": its items in menu order; later items go in by insertAction.
  QMenu* mnuService_ = nullptr;
  QAction* mnuMass_ = nullptr;
  QAction* mnuTape_ = nullptr;
  QAction* copyAction_ = nullptr;
  QAction* pasteAction_ = nullptr;

  QPointer<QWidget> plotWindow_;
  QPointer<QWidget> aboutBox_;
  QPointer<QWidget> frmMass_;
  std::function<QWidget*()> makeMass_;
  std::function<void(QWidget&)> massShown_;
  QPointer<TfrmTape> frmTape_;
  std::function<bool()> exitCheck_;

  // The key press being previewed and the widget it was last offered to.
  const QEvent* previewed_ = nullptr;
  QPointer<QWidget> previewedAt_;
};

}  // namespace veltrum
