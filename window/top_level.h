#pragma once
// What the program's top-level windows have in common: a fixed-size
// border and the way one window hands the user over to another.
#include <QWidget>

namespace veltrum {

// A single border with system menu and minimise box: no maximising and no
// resizing.
inline constexpr Qt::WindowFlags kFixedWindowFlags = Qt::Window | Qt::CustomizeWindowHint |
                                                     Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                     Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
// The plot and help windows: the same border, also fixed on Windows.
inline constexpr Qt::WindowFlags kToolWindowFlags = kFixedWindowFlags | Qt::MSWindowsFixedSizeDialogHint;

// Shows window above the others and gives it the keyboard.
inline void BringToFront(QWidget& window) {
  window.show();
  window.raise();
  window.activateWindow();
}

}  // namespace veltrum
