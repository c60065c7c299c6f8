#include "plotter/window/grafik.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <array>
#include <string>
#include <thread>

#include "chart/chart.h"
#include "plotter/sampling_run.h"
#include "plotter/window/form_controls.h"
#include "window/beside.h"
#include "window/top_level.h"

namespace veltrum {

namespace {

using K = ControlKind;

constexpr std::array kControls{
    ControlRow{"Chart1", K::Chart, nullptr, 8, 8, 497, 441, 21},
    ControlRow{"ProgressBar1", K::ProgressBar, nullptr, 8, 456, 497, 17, 23},
    ControlRow{"Label1", K::BoldLabel, "F(X)=", 512, 8, 0, 0, kNoTabStop},
    ControlRow{"txtMain", K::Edit, "sin[x]", 552, 8, 217, 21, 0},
    ControlRow{"cmdHelp", K::Button, "Справка", 552, 40, 105, 25, 19},
    ControlRow{"cmdAdd", K::Button, "Добавить", 664, 40, 105, 25, 1},
    ControlRow{"ListBox1", K::ListBox, nullptr, 512, 72, 257, 137, 2},
    ControlRow{"cmdChange", K::Button, "Изменить", 512, 216, 81, 25, 3},
    ControlRow{"cmdDelete", K::Button, "Удалить", 600, 216, 81, 25, 4},
    ControlRow{"cmdReDraw", K::Button, "Обновить", 688, 216, 81, 25, 5},
    ControlRow{"cmdClear", K::Button, "Очистить", 512, 248, 81, 25, 6},
    ControlRow{"cmdClearAll", K::Button, "Очистить все", 600, 248, 81, 25, 7},
    ControlRow{"cmdReDrawAll", K::Button, "Обновить все", 688, 248, 81, 25, 8},
    ControlRow{"Label2", K::CentredLabel, "Единицы измерения на осях:", 536, 274, 107, 26, kNoTabStop},
    ControlRow{"Label3", K::BoldLabel, "X: от", 528, 304, 0, 0, kNoTabStop},
    ControlRow{"txtXLeft", K::Edit, "-10", 568, 304, 73, 21, 9},
    ControlRow{"Label4", K::BoldLabel, "до", 544, 328, 0, 0, kNoTabStop},
    ControlRow{"txtXRight", K::Edit, "10", 568, 328, 73, 21, 10},
    ControlRow{"Label6", K::BoldLabel, "Y: от", 528, 352, 0, 0, kNoTabStop},
    ControlRow{"txtYLeft", K::Edit, "-10", 568, 352, 73, 21, 11},
    ControlRow{"Label5", K::BoldLabel, "до", 544, 376, 0, 0, kNoTabStop},
    ControlRow{"txtYRight", K::Edit, "10", 568, 376, 73, 21, 12},
    ControlRow{"cmdChangeGrafGrid", K::Button, "Изменить границы", 528, 408, 121, 25, 18},
    ControlRow{"Label7", K::CentredLabel, "Значения переменной x:", 688, 274, 75, 39, kNoTabStop},
    ControlRow{"Label8", K::BoldLabel, "от", 664, 304, 0, 0, kNoTabStop},
    ControlRow{"txtFLeft", K::Edit, "-3", 688, 304, 73, 21, 13},
    ControlRow{"Label9", K::BoldLabel, "до", 664, 328, 0, 0, kNoTabStop},
    ControlRow{"txtFRight", K::Edit, "3", 688, 328, 73, 21, 14},
    // The step buttons are the window's own children lying over the frame,
    // which therefore comes first; they form one exclusive group.
    ControlRow{"RadioGroup1", K::GroupBox, "Шаг", 680, 352, 73, 89, 22},
    ControlRow{"rad01", K::Radio, "0,1", 696, 368, 49, 17, 15},
    ControlRow{"rad001", K::Radio, "0,01", 696, 392, 49, 17, 16},
    ControlRow{"rad0001", K::Radio, "0,001", 696, 416, 49, 17, 17},
    ControlRow{"cmdClose", K::Button, "Закрыть", 664, 448, 105, 25, 20},
};

struct Command {
  const char* button;
  void (TForm3::*handler)();
};

constexpr std::array kCommands{
    Command{"cmdAdd", &TForm3::cmdAddClick},
    Command{"cmdChange", &TForm3::cmdChangeClick},
    Command{"cmdDelete", &TForm3::cmdDeleteClick},
    Command{"cmdClear", &TForm3::cmdClearClick},
    Command{"cmdClearAll", &TForm3::cmdClearAllClick},
    Command{"cmdReDraw", &TForm3::cmdReDrawClick},
    Command{"cmdReDrawAll", &TForm3::cmdReDrawAllClick},
    Command{"cmdChangeGrafGrid", &TForm3::cmdChangeGrafGridClick},
    Command{"cmdHelp", &TForm3::cmdHelpClick},
    Command{"cmdClose", &TForm3::cmdCloseClick},
};

constexpr FormDesign kForm{"Form3", kPlotWindowCaption, 779, 481, -3, 22};

// The bounds' labels say "от" and "до" under a heading of their frame; a
// screen reader announces each edit and its label on its own, so each
// pair gets a name that says which bound it is.
struct SpokenName {
  const char* label;
  const char* edit;
  const char* name;
};

constexpr std::array kSpokenNames{
    SpokenName{"Label3", "txtXLeft", "Ось X: от"},  SpokenName{"Label4", "txtXRight", "Ось X: до"},
    SpokenName{"Label6", "txtYLeft", "Ось Y: от"},  SpokenName{"Label5", "txtYRight", "Ось Y: до"},
    SpokenName{"Label8", "txtFLeft", "x: от"},      SpokenName{"Label9", "txtFRight", "x: до"},
};

}  // namespace

TForm3::TForm3(Calculator& calc, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, kToolWindowFlags), calc_(calc), dialogs_(dialogs) {
  BuildForm(*this, kForm, kControls);

  Chart1 = Control<Chart>(*this, "Chart1");
  ProgressBar1 = Control<QProgressBar>(*this, "ProgressBar1");
  txtMain = Control<QLineEdit>(*this, "txtMain");
  ListBox1 = Control<QListWidget>(*this, "ListBox1");
  txtXLeft = Control<QLineEdit>(*this, "txtXLeft");
  txtXRight = Control<QLineEdit>(*this, "txtXRight");
  txtYLeft = Control<QLineEdit>(*this, "txtYLeft");
  txtYRight = Control<QLineEdit>(*this, "txtYRight");
  txtFLeft = Control<QLineEdit>(*this, "txtFLeft");
  txtFRight = Control<QLineEdit>(*this, "txtFRight");
  rad01 = Control<QRadioButton>(*this, "rad01");
  rad001 = Control<QRadioButton>(*this, "rad001");
  rad0001 = Control<QRadioButton>(*this, "rad0001");
  rad01->setChecked(true);
  for (const SpokenName& spoken : kSpokenNames)
    for (const char* control : {spoken.label, spoken.edit})
      Control<QWidget>(*this, control)->setAccessibleName(QString::fromUtf8(spoken.name));
  CreatePopupMenu();
  CreateListMenu();

  // While a run goes on, the chart takes its new points this often.
  runTimer_ = new QTimer(this);
  runTimer_->setInterval(kRunCollectIntervalMs);
  connect(runTimer_, &QTimer::timeout, this, &TForm3::CollectRun);

  for (const Command& command : kCommands)
    connect(Control<QPushButton>(*this, command.button), &QPushButton::clicked, this, command.handler);
  // Return in the expression's edit adds it, as "Добавить" does.
  connect(txtMain, &QLineEdit::returnPressed, this, &TForm3::cmdAddClick);
  FormCreate();
}

void TForm3::SetCalculatorWindow(QWidget* form1) { form1_ = form1; }

void TForm3::FormCreate() {
  for (int i = 0; i < kSeriesCount; ++i) Chart1->SetActive(i, false);
}

int TForm3::Count() const { return ListBox1->count(); }

int TForm3::Selected() const {
  const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
  return selected.isEmpty() ? -1 : ListBox1->row(selected.first());
}

SamplingStep TForm3::CheckedStep() const {
  if (rad01->isChecked()) return kStepTenth;
  if (rad001->isChecked()) return kStepHundredth;
  if (rad0001->isChecked()) return kStepThousandth;
  return kNoStep;
}

void TForm3::cmdHelpClick() {
  if (!frmSynt_) return;
  if (!frmSynt_->isVisible()) KeepOnScreen(*frmSynt_);
  BringToFront(*frmSynt_);
}

void TForm3::ShowCalculatorWindow() {
  if (form1_) BringToFront(*form1_);
}

void TForm3::cmdCloseClick() {
  hide();
  ShowCalculatorWindow();
}

void TForm3::FormClose() { ShowCalculatorWindow(); }

// A window that is not the main window closes by hiding; a run in
// progress ends there, keeping its points.
void TForm3::closeEvent(QCloseEvent* event) {
  StopRuns();
  FormClose();
  event->accept();
}

// The window opens, and comes back, for typing a function: what is typed
// replaces the last one.
void TForm3::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (IsRunning()) return;
  txtMain->selectAll();
  txtMain->setFocus(Qt::ActiveWindowFocusReason);
}

void TForm3::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && IsRunning()) {
    StopRuns();
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace veltrum
