#pragma once
// Where a group frame draws its top line, read from its picture.
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>

namespace veltrum {

// The first row from the top of column x that differs from the window
// colour, or -1; rows at and below limit are not looked at (controls).
inline int FirstLineRow(QWidget& frame, int x, int limit) {
  const QImage picture = frame.grab().toImage();
  const QRgb window = frame.palette().color(QPalette::Window).rgb();
  for (int y = 0; y < limit && y < picture.height(); ++y)
    if (picture.pixel(x, y) != window) return y;
  return -1;
}

// The classic frame's top line runs through the middle of its caption.
inline int CaptionMiddle(const QGroupBox& frame) { return QFontMetrics(frame.font()).height() / 2; }

}  // namespace veltrum
