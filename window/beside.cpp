#include "window/beside.h"

#include <QLayout>
#include <QScreen>
#include <algorithm>
#include <optional>
#include <vector>

namespace veltrum {

namespace {

// The gap between a window and the one it opens beside.
constexpr int kGap = 8;

// The start of a span of length size inside [low, high]: from itself when
// it fits, else moved in; a span longer than the whole starts at low.
int Inside(int start, int size, int low, int high) { return std::max(low, std::min(start, high + 1 - size)); }

// The window's outer size: its frame is not known before it is first
// shown, so it is taken from the anchor's.
QSize FrameSize(const QWidget& window, const QWidget& anchor) {
  if (window.isVisible() && window.frameGeometry() != window.geometry()) return window.frameGeometry().size();
  const QRect frame = anchor.frameGeometry();
  const QRect client = anchor.geometry();
  return window.size() + frame.size() - client.size();
}

QRect Available(const QWidget& widget) {
  const QScreen* screen = widget.screen();
  return screen ? screen->availableGeometry() : QRect();
}

// The first place right of or below the windows taken (anchor first) where
// a window of size covers none of them and stays within area.
std::optional<QPoint> FreePlace(const std::vector<QRect>& taken, QSize size, const QRect& area) {
  const auto free = [&](QPoint at) {
    const QRect r(at, size);
    return area.contains(r) && std::ranges::none_of(taken, [&](const QRect& t) { return t.intersects(r); });
  };
  for (std::size_t i = 0; i < taken.size(); ++i) {
    const QRect& t = taken[i];
    const QPoint right(t.right() + 1 + kGap, t.top()), below(t.left(), t.bottom() + 1 + kGap);
    if (free(right)) return right;
    if (i > 0 && free(below)) return below;
  }
  return std::nullopt;
}

}  // namespace

void PlaceBeside(QWidget& window, const QWidget& anchor, std::initializer_list<const QWidget*> open) {
  // A window laid out to a fixed size knows its size once its layout ran.
  if (!window.isVisible() && window.layout()) window.layout()->activate();
  const QRect area = Available(anchor);
  const QRect by = anchor.frameGeometry();
  const QSize size = FrameSize(window, anchor);
  std::vector<QRect> taken{by};
  for (const QWidget* other : open)
    if (other && other != &window && other->isVisible()) taken.push_back(other->frameGeometry());
  if (taken.size() > 1 && !area.isEmpty()) {
    if (const std::optional<QPoint> at = FreePlace(taken, size, area)) {
      window.move(*at);
      return;
    }
  }
  if (area.isEmpty()) {
    window.move(by.right() + 1 + kGap, by.top());
    return;
  }
  const int top = Inside(by.top(), size.height(), area.top(), area.bottom());
  const int right = by.right() + 1 + kGap;
  const int left = by.left() - kGap - size.width();
  const int below = by.bottom() + 1 + kGap;
  QPoint at;
  if (right + size.width() <= area.right() + 1)
    at = {right, top};
  else if (left >= area.left())
    at = {left, top};
  else if (below + size.height() <= area.bottom() + 1)
    at = {Inside(by.left(), size.width(), area.left(), area.right()), below};
  else
    at = {Inside(right, size.width(), area.left(), area.right()), top};
  window.move(at);
}

void KeepOnScreen(QWidget& window) {
  const QRect area = Available(window);
  if (area.isEmpty()) return;
  const QRect frame = window.frameGeometry();
  const QPoint at(Inside(frame.left(), frame.width(), area.left(), area.right()),
                  Inside(frame.top(), frame.height(), area.top(), area.bottom()));
  if (at != frame.topLeft()) window.move(at);
}

}  // namespace veltrum
