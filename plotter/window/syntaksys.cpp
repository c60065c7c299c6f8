#include "plotter/window/syntaksys.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <array>

#include "plotter/window/form_controls.h"
#include "window/design_fonts.h"
#include "window/text.h"
#include "window/top_level.h"

namespace veltrum {

namespace {

constexpr std::array kControls{
    ControlRow{"RichEdit1", ControlKind::RichEdit, "RichEdit1", 8, 8, 345, 209, 1},
    // "ОК" in Cyrillic letters.
    ControlRow{"Button1", ControlKind::Button, "ОК", 128, 224, 97, 25, 0},
};

constexpr FormDesign kForm{"frmSynt", kSyntaxCaption, 361, 256, 221, 101};
constexpr int kTextPixels = 13;

}  // namespace

TfrmSynt::TfrmSynt(QWidget* plotWindow, QWidget* parent)
    : QWidget(parent, kToolWindowFlags), plotWindow_(plotWindow) {
  BuildForm(*this, kForm, kControls);

  RichEdit1 = Control<QPlainTextEdit>(*this, "RichEdit1");
  RichEdit1->setFont(ControlFont(Face::CourierNew, kTextPixels, true));
  connect(Control<QPushButton>(*this, "Button1"), &QPushButton::clicked, this, &TfrmSynt::Button1Click);
  // Escape, Return and the keypad's Enter close the window as its button
  // does, wherever the focus is: the viewer has nothing to type into.
  for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
    auto* shortcut = new QShortcut(QKeySequence(key), this);
    connect(shortcut, &QShortcut::activated, this, &TfrmSynt::Button1Click);
  }
}

void TfrmSynt::FormActivate() {
  // The text keeps its carriage returns; the viewer starts a new line at
  // each of them.
  QString text = FromUtf8(kSyntaxHelpText);
  RichEdit1->setPlainText(text.replace(u'\r', u'\n'));
}

void TfrmSynt::Button1Click() {
  hide();
  ShowPlotWindow();
}

bool TfrmSynt::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) FormActivate();
  return QWidget::event(event);
}

void TfrmSynt::FormClose() { ShowPlotWindow(); }

void TfrmSynt::closeEvent(QCloseEvent* event) {
  event->accept();
  FormClose();
}

void TfrmSynt::ShowPlotWindow() {
  if (plotWindow_) BringToFront(*plotWindow_);
}

}  // namespace veltrum
