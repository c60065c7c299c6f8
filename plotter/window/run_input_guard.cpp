#include "plotter/window/run_input_guard.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

#include "plotter/sampling.h"

namespace veltrum {
namespace {

bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::Close: return true;
    default: return false;
  }
}

}  // namespace

RunInputGuard::RunInputGuard(QWidget& window) : window_(window) {
  sinceEvents_.start();
  QCoreApplication::instance()->installEventFilter(this);
}

RunInputGuard::~RunInputGuard() { QCoreApplication::instance()->removeEventFilter(this); }

bool RunInputGuard::KeepGoing() {
  if (sinceEvents_.elapsed() >= kPollIntervalMs) {
    QCoreApplication::processEvents();
    sinceEvents_.restart();
  }
  return !stopRequested_;
}

bool RunInputGuard::eventFilter(QObject* watched, QEvent* event) {
  if (!IsUserInput(event->type())) return false;
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    const QWidget* w = qobject_cast<QWidget*>(watched);
    if (w && w->window() == &window_) stopRequested_ = true;
  }
  return true;
}

}  // namespace veltrum
