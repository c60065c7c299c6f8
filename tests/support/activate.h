#pragma once
// Makes a shown window the active one the way the program's own windows are
// made active: a request to the platform, then a wait until it has been
// handled.
#include <QApplication>
#include <QTest>
#include <QWidget>

namespace veltrum {

inline bool ActivateWindow(QWidget* w) {
  w->activateWindow();
  return QTest::qWaitForWindowActive(w);
}

// A tool window counts as active while its owner is: this waits until the
// tool window itself is the active one.
inline bool ActivateToolWindow(QWidget* w) {
  w->activateWindow();
  return QTest::qWaitFor([w] { return QApplication::activeWindow() == w; }, 10000);
}

}  // namespace veltrum
