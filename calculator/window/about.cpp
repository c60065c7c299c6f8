#include "calculator/window/about.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QWindow>

#include "calculator/window/layout.h"
#include "version.h"
#include "window/top_level.h"

namespace veltrum {
namespace {

struct AboutLine {
  const char* name;
  const char* text;
  int left, top, pixels;
  bool link;  // addresses are blue
};

constexpr AboutLine kLines[] = {
    {"Label2", kApplicationTitle, 8, 8, 27, false},
    {"Label3", "автор:", 136, 48, 19, false},
    {"Label4", "Команда проекта", 48, 72, 32, false},
    {"Label5", "Veltrum", 48, 112, 32, false},
    {"Label1", "Открытый проект Veltrum", 40, 152, 21, false},
    {"Label6", "С вопросами и предложениями", 48, 184, 15, false},
    {"Label7", "обращаться по адресу:", 80, 208, 15, false},
    {"Label8", "veltrum@example.org", 56, 224, 19, true},
    {"Label9", "support@example.org", 64, 248, 19, true},
    {"Label10", "www.example.org/veltrum", 48, 272, 19, true},
};

constexpr int kAboutWidth = 323, kAboutHeight = 347;

}  // namespace

TForm2::TForm2(QWidget* mainWindow) : QWidget(nullptr), mainWindow_(mainWindow) {
  // A window of its own, not a child of the calculator window, which is
  // disabled while the box is open.
  setObjectName("Form2");
  setWindowTitle("О программе");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFixedSize(kAboutWidth, kAboutHeight);
  move(157, 62);
  for (const AboutLine& line : kLines) {
    auto* label = new QLabel(QString::fromUtf8(line.text), this);
    label->setObjectName(line.name);
    label->setFont(ControlFont(Face::TimesNewRoman, line.pixels, true));
    if (line.link) {
      QPalette palette = label->palette();
      palette.setColor(QPalette::WindowText, Qt::blue);
      label->setPalette(palette);
    }
    label->move(line.left, line.top);
    label->adjustSize();
  }
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("Button1");
  ok->setFont(ControlFont(Face::TimesNewRoman, 19, true));
  ok->setGeometry(8, 304, 305, 33);
  ok->setDefault(true);
  setFocusProxy(ok);
  connect(ok, &QPushButton::clicked, this, &TForm2::Button1Click);
  // Escape dismisses the box as OK does.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, &TForm2::Button1Click);
}

void TForm2::Button1Click() {
  hide();
  RestoreMainWindow();
}

void TForm2::showEvent(QShowEvent* event) {
  // The box belongs to the calculator window when that is showing: a window
  // manager then keeps it above that window even when it does not give it
  // the keyboard at once.
  if (windowHandle())
    windowHandle()->setTransientParent(mainWindow_ && mainWindow_->isVisible() ? mainWindow_->windowHandle()
                                                                               : nullptr);
  QWidget::showEvent(event);
}

void TForm2::closeEvent(QCloseEvent* event) {
  event->accept();
  RestoreMainWindow();
}

void TForm2::RestoreMainWindow() {
  if (!mainWindow_) return;
  mainWindow_->setEnabled(true);
  BringToFront(*mainWindow_);
}

}  // namespace veltrum
