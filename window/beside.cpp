#include "window/beside.h"

#include <QScreen>
#include <algorithm>

namespace veltrum {

void PlaceBeside(QWidget& window, const QWidget& anchor) {
  constexpr int kGap = 8;
  const QRect a = anchor.frameGeometry();
  QSize size = window.frameGeometry().size();
  const QScreen* screen = anchor.screen();
  const QRect area = screen ? screen->availableGeometry() : QRect(a.topLeft(), a.size() * 3);
  QPoint at(a.right() + 1 + kGap, a.top());
  if (at.x() + size.width() > area.right() + 1) {
    if (a.left() - kGap - size.width() >= area.left())
      at = QPoint(a.left() - kGap - size.width(), a.top());
    else
      at = QPoint(a.left(), a.bottom() + 1 + kGap);
  }
  at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - size.width())));
  at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height())));
  window.move(at);
}

}  // namespace veltrum
