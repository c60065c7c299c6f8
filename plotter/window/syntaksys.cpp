#include "plotter/window/syntaksys.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <array>

#include "plotter/window/form_controls.h"

namespace veltrum {

namespace {

constexpr std::array kControls{
    ControlRow{"RichEdit1", ControlKind::RichEdit, "RichEdit1", 8, 8, 345, 209, 1},
    // "ОК" in Cyrillic letters.
    ControlRow{"Button1", ControlKind::Button, "ОК", 128, 224, 97, 25, 0},
};

constexpr int kClientWidth = 361;
constexpr int kClientHeight = 256;
constexpr int kLeft = 221;
constexpr int kTop = 101;
constexpr int kTextPixels = 13;

}  // namespace

TfrmSynt::TfrmSynt(QWidget* plotWindow, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      plotWindow_(plotWindow) {
  setObjectName(QStringLiteral("frmSynt"));
  setWindowTitle(QString::fromUtf8(kSyntaxCaption.data(), kSyntaxCaption.size()));
  setFont(FormFont());
  setFixedSize(kClientWidth, kClientHeight);
  move(kLeft, kTop);
  BuildControls(*this, kControls);

  RichEdit1 = Control<QPlainTextEdit>(*this, "RichEdit1");
  QFont courier;
  courier.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")});
  courier.setStyleHint(QFont::TypeWriter);
  courier.setPixelSize(kTextPixels);
  courier.setBold(true);
  RichEdit1->setFont(courier);
  connect(Control<QPushButton>(*this, "Button1"), &QPushButton::clicked, this, &TfrmSynt::Button1Click);
}

void TfrmSynt::FormActivate() {
  // The text keeps its carriage returns; the viewer starts a new line at
  // each of them.
  QString text = QString::fromUtf8(kSyntaxHelpText.data(), kSyntaxHelpText.size());
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
  if (!plotWindow_) return;
  plotWindow_->show();
  plotWindow_->raise();
  plotWindow_->activateWindow();
}

}  // namespace veltrum
