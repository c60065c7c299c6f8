#include "window/classic_frame.h"

#include <QPainter>

namespace veltrum {
namespace {

// The caption starts this far from the frame's left edge, with a gap of
// kCaptionGap on each side where the line is left out.
constexpr int kCaptionLeft = 8;
constexpr int kCaptionGap = 2;

}  // namespace

void ClassicFrame::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QFontMetrics metrics(font());
  // An empty caption still places the line at half the caption height.
  const int top = metrics.height() / 2;
  const int right = width() - 1, bottom = height() - 1;
  // Etched: a shadow line with a highlight line one pixel inside and below.
  painter.setPen(palette().color(QPalette::Light));
  painter.drawRect(1, top + 1, right - 1, bottom - top - 1);
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(0, top, right - 1, bottom - top - 1);
  if (title().isEmpty()) return;
  const QRect caption(kCaptionLeft, 0, metrics.horizontalAdvance(title()), metrics.height());
  painter.fillRect(caption.adjusted(-kCaptionGap, 0, kCaptionGap, 0), palette().color(QPalette::Window));
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(caption, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, title());
}

}  // namespace veltrum
