#include "chart/point_graph.h"

#include <QPainterPath>
#include <algorithm>

namespace veltrum {

namespace {

// A disc reaches kRadius px to each side of its pixel: the shape is
// centred on the pixel's middle and covers the same 7 × 7 box.
constexpr double kShapeRadius = DiscRaster::kRadius + 0.5;

bool PaintsShapes(const QCPPainter& painter) {
  return painter.modes().testFlag(QCPPainter::pmVectorized) || painter.transform().isScaling();
}

}  // namespace

PointGraph::Canvas& PointGraph::SharedCanvas() {
  static Canvas canvas;
  return canvas;
}

PointGraph::PointGraph(QCPAxis* keyAxis, QCPAxis* valueAxis, const QColor& colour, const QColor& outline)
    : QCPGraph(keyAxis, valueAxis), colour_(colour.rgba()), outline_(outline.rgba()) {}

void PointGraph::draw(QCPPainter* painter) {
  QCPAxis* keyAxis = mKeyAxis.data();
  if (!keyAxis || !mValueAxis || mDataContainer->isEmpty()) return;
  const QRect area = keyAxis->axisRect()->rect();
  if (area.width() <= 0 || area.height() <= 0) return;
  if (PaintsShapes(*painter))
    DrawShapes(painter, area);
  else
    DrawRaster(painter, area);
}

void PointGraph::DrawRaster(QCPPainter* painter, const QRect& area) {
  raster_.Reset(area.width(), area.height());
  // Without the summary the same pixels come from every point.
  if (reference_ || !MarkFromIndex(area)) ForEachVisiblePoint(area, [this](int x, int y) { raster_.Mark(x, y); });
  // Only the band of rows the discs reach is worked on and drawn: the
  // rows outside it are transparent. The reference drawing does them all.
  raster_.Paint(!reference_);
  const int first = reference_ ? 0 : raster_.FirstRow();
  const int last = reference_ ? area.height() - 1 : raster_.LastRow();
  if (first > last) return;

  // Room to grow by a quarter: the steps of a resize reuse the image.
  if (image_.width() < area.width() || image_.height() < area.height())
    image_ = QImage(area.width() * 5 / 4, area.height() * 5 / 4, QImage::Format_ARGB32_Premultiplied);
  const QRgb colour = qPremultiply(colour_);
  const QRgb outline = qPremultiply(outline_);
  const bool outlined = qAlpha(outline_) != 0;
  const int width = area.width();
  for (int y = first; y <= last; ++y) {
    const std::uint8_t* covered = raster_.CoveredRow(y);
    auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
    if (!outlined) {
      for (int x = 0; x < width; ++x) line[x] = covered[x] ? colour : 0;
      continue;
    }
    // The edge of the covered pixels: a covered pixel beside an uncovered
    // one. The border of the area is no edge: a disc cut there stays open.
    const std::uint8_t* above = y > 0 ? raster_.CoveredRow(y - 1) : covered;
    const std::uint8_t* below = y + 1 < area.height() ? raster_.CoveredRow(y + 1) : covered;
    for (int x = 0; x < width; ++x) {
      if (!covered[x]) {
        line[x] = 0;
        continue;
      }
      const bool edge = !above[x] || !below[x] || (x > 0 && !covered[x - 1]) || (x + 1 < width && !covered[x + 1]);
      line[x] = edge ? outline : colour;
    }
  }
  // The discs are already pixels: no half-pixel shift of antialiasing.
  painter->save();
  painter->setAntialiasing(false);
  painter->drawImage(QPoint(area.left(), area.top() + first), image_,
                     QRect(0, first, area.width(), last - first + 1));
  painter->restore();
}

void PointGraph::DrawShapes(QCPPainter* painter, const QRect& area) {
  constexpr int r = DiscRaster::kRadius;
  const int stride = area.width() + 2 * r;
  drawn_.assign(static_cast<std::size_t>(stride) * static_cast<std::size_t>(area.height() + 2 * r), 0);
  QPainterPath discs;
  // Overlapping discs fill as their union.
  discs.setFillRule(Qt::WindingFill);
  ForEachVisiblePoint(area, [&](int x, int y) {
    if (x < -r || y < -r || x >= area.width() + r || y >= area.height() + r) return;
    std::uint8_t& seen = drawn_[static_cast<std::size_t>(y + r) * static_cast<std::size_t>(stride) +
                                static_cast<std::size_t>(x + r)];
    if (seen) return;
    seen = 1;
    discs.addEllipse(QPointF(area.left() + x + 0.5, area.top() + y + 0.5), kShapeRadius, kShapeRadius);
  });
  if (discs.isEmpty()) return;
  painter->save();
  painter->setAntialiasing(true);
  // An outline is the union's edge: stroked first, then covered by the
  // fill up to its inner half, as on the screen.
  if (qAlpha(outline_) != 0) painter->strokePath(discs, QPen(QColor::fromRgba(outline_), 2));
  painter->setPen(Qt::NoPen);
  painter->setBrush(QColor::fromRgba(colour_));
  painter->drawPath(discs);
  painter->restore();
}

// Both axes are linear, the key axis horizontal: a point's pixel is an
// affine function of its coordinates, worked out once per repaint.
bool PointGraph::Project(const QRect& area, Projection& p) const {
  QCPAxis* keyAxis = mKeyAxis.data();
  QCPAxis* valueAxis = mValueAxis.data();
  const QCPRange keys = keyAxis->range();
  const QCPRange values = valueAxis->range();
  if (keys.size() <= 0 || values.size() <= 0) return false;

  p.xScale = (keyAxis->coordToPixel(keys.upper) - keyAxis->coordToPixel(keys.lower)) / keys.size();
  p.xOrigin = keyAxis->coordToPixel(keys.lower) - keys.lower * p.xScale - area.left();
  p.yScale = (valueAxis->coordToPixel(values.upper) - valueAxis->coordToPixel(values.lower)) / values.size();
  p.yOrigin = valueAxis->coordToPixel(values.lower) - values.lower * p.yScale - area.top();

  // Points whose disc can reach into the area.
  const double margin = DiscRaster::kRadius + 1;
  const double keyFrom = keyAxis->pixelToCoord(area.left() - margin);
  const double keyTo = keyAxis->pixelToCoord(area.right() + margin);
  p.yLow = -margin;
  p.yHigh = area.height() + margin;
  const auto first = mDataContainer->constBegin();
  p.begin = static_cast<int>(mDataContainer->findBegin(std::min(keyFrom, keyTo), false) - first);
  p.end = static_cast<int>(mDataContainer->findEnd(std::max(keyFrom, keyTo), false) - first);
  return true;
}

template <typename Mark>
void PointGraph::ForEachVisiblePoint(const QRect& area, Mark mark) {
  Projection p;
  if (!Project(area, p)) return;
  const QCPGraphData* data = &*mDataContainer->constBegin();
  for (int i = p.begin; i < p.end; ++i) {
    const double y = p.yOrigin + data[i].value * p.yScale;
    if (!(y > p.yLow && y < p.yHigh)) continue;
    // x and y are above -64 here, so the pixels round.
    mark(PointPixel(p.xOrigin + data[i].key * p.xScale), PointPixel(y));
  }
}

}  // namespace veltrum
