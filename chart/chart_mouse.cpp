// The chart's mouse: zoom, restore, pan and the popup menu.
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <cstdlib>

#include "chart/chart.h"
#include "chart/chart_readout.h"

namespace veltrum {

namespace {

bool BeyondClick(QPoint delta) {
  return std::abs(delta.x()) > kClickTolerance || std::abs(delta.y()) > kClickTolerance;
}

}  // namespace

void Chart::mousePressEvent(QMouseEvent* event) {
  if (drag_ != Drag::None) return;
  if (event->button() == Qt::LeftButton) {
    drag_ = Drag::Left;
  } else if (event->button() == Qt::RightButton) {
    drag_ = Drag::Right;
    panBottom_ = xAxis->range();
    panLeft_ = yAxis->range();
  } else {
    return;
  }
  dragStarted_ = false;
  pressPos_ = event->position().toPoint();
  currentPos_ = pressPos_;
  event->accept();
}

void Chart::mouseMoveEvent(QMouseEvent* event) {
  if (drag_ == Drag::None) {
    readout_->Track(event->position().toPoint());
    return;
  }
  currentPos_ = event->position().toPoint();
  const QPoint delta = currentPos_ - pressPos_;
  if (!dragStarted_ && !BeyondClick(delta)) return;
  // The readout would hide the rectangle's corner and lag behind a pan.
  if (!dragStarted_) readout_->Hide();
  dragStarted_ = true;
  if (drag_ == Drag::Left)
    update();  // the rectangle is drawn over the buffered plot
  else
    PanBy(delta);
  event->accept();
}

void Chart::mouseReleaseEvent(QMouseEvent* event) {
  const bool leftEnds = drag_ == Drag::Left && event->button() == Qt::LeftButton;
  const bool rightEnds = drag_ == Drag::Right && event->button() == Qt::RightButton;
  if (!leftEnds && !rightEnds) return;
  currentPos_ = event->position().toPoint();
  const QPoint delta = currentPos_ - pressPos_;
  drag_ = Drag::None;
  if (leftEnds) {
    switch (ClassifyLeftDrag(delta.x(), delta.y())) {
      case LeftDrag::Zoom: ZoomTo(pressPos_, currentPos_); break;
      case LeftDrag::Restore: RestoreView(); break;
      case LeftDrag::Click: break;
    }
    update();
  } else if (dragStarted_ || BeyondClick(delta)) {
    PanBy(delta);
  } else {
    // The menu takes the mouse until it closes.
    readout_->Hide();
    ShowPopupMenu(currentPos_);
  }
  // Back under the cursor, in the ranges after a zoom or a pan.
  if (leftEnds || dragStarted_ || BeyondClick(delta)) readout_->Track(currentPos_);
  dragStarted_ = false;
  event->accept();
}

void Chart::leaveEvent(QEvent* event) {
  readout_->Hide();
  QCustomPlot::leaveEvent(event);
}

// The platform asks for the menu on the right button's press, before it
// is known whether the press starts a pan; the release decides instead.
// The keyboard's menu key opens it at once.
void Chart::contextMenuEvent(QContextMenuEvent* event) {
  if (event->reason() == QContextMenuEvent::Keyboard) ShowPopupMenu(rect().center());
  event->accept();
}

void Chart::ShowPopupMenu(QPoint at) {
  if (popupMenu_) popupMenu_->popup(mapToGlobal(at));
}

void Chart::paintEvent(QPaintEvent* event) {
  QCustomPlot::paintEvent(event);
  QPainter painter(this);
  // The chart takes the keyboard (its menu key) like any control, and
  // shows it the same way.
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect().adjusted(1, 1, -1, -1);
    focus.backgroundColor = palette().window().color();
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
  }
  if (drag_ != Drag::Left || !dragStarted_) return;
  painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRect(pressPos_, currentPos_).normalized());
}

void Chart::focusInEvent(QFocusEvent* event) {
  QCustomPlot::focusInEvent(event);
  update();
}

void Chart::focusOutEvent(QFocusEvent* event) {
  QCustomPlot::focusOutEvent(event);
  update();
}

void Chart::SaveViewBeforeZoom() {
  if (!beforeZoom_) beforeZoom_ = View{xAxis->range(), yAxis->range(), followData_};
}

void Chart::ZoomTo(QPoint from, QPoint to) {
  SaveViewBeforeZoom();
  const double x1 = xAxis->pixelToCoord(from.x());
  const double x2 = xAxis->pixelToCoord(to.x());
  const double y1 = yAxis->pixelToCoord(from.y());
  const double y2 = yAxis->pixelToCoord(to.y());
  xAxis->setRange(std::min(x1, x2), std::max(x1, x2));
  yAxis->setRange(std::min(y1, y2), std::max(y1, y2));
  followData_ = false;
  RequestRepaint();
}

void Chart::RestoreView() {
  if (!beforeZoom_) return;
  xAxis->setRange(beforeZoom_->bottom);
  yAxis->setRange(beforeZoom_->left);
  followData_ = beforeZoom_->followData;
  beforeZoom_.reset();
  // Data may have changed while zoomed; axes that follow it catch up.
  DataChanged();
  RequestRepaint();
}

// Pans from the ranges at the press, so the point under the cursor stays
// under it. Restore undoes a pan as it undoes a zoom.
void Chart::PanBy(QPoint delta) {
  const QRect area = axisRect()->rect();
  if (area.width() <= 0 || area.height() <= 0) return;
  if (!beforeZoom_) beforeZoom_ = View{panBottom_, panLeft_, followData_};
  const double perPixelX = panBottom_.size() / area.width();
  const double perPixelY = panLeft_.size() / area.height();
  xAxis->setRange(panBottom_.lower - delta.x() * perPixelX, panBottom_.upper - delta.x() * perPixelX);
  yAxis->setRange(panLeft_.lower + delta.y() * perPixelY, panLeft_.upper + delta.y() * perPixelY);
  followData_ = false;
  replot(rpQueuedReplot);
}

}  // namespace veltrum
