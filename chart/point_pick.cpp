#include "chart/point_pick.h"

#include <algorithm>
#include <cmath>

#include "chart/disc_raster.h"

namespace veltrum {

namespace {

// A point's pixel is an affine function of its coordinates on linear
// axes; worked out once per pick rather than per point.
struct Affine {
  double scale;
  double origin;

  static Affine Of(const QCPAxis& axis) {
    const QCPRange range = axis.range();
    const double low = axis.coordToPixel(range.lower);
    const double scale = (axis.coordToPixel(range.upper) - low) / range.size();
    return {scale, low - range.lower * scale};
  }
  double operator()(double v) const { return origin + v * scale; }
};

}  // namespace

std::optional<PickedPoint> PickPoint(const QCPAxis& keyAxis, const QCPAxis& valueAxis,
                                     const std::array<PickSeries, 10>& series, QPointF cursor) {
  if (!(keyAxis.range().size() > 0) || !(valueAxis.range().size() > 0)) return std::nullopt;
  const QCPAxisRect* rect = keyAxis.axisRect();
  // A disc shows when it reaches into the plot area.
  const QRectF shown = QRectF(rect->rect()).adjusted(-DiscRaster::kRadius, -DiscRaster::kRadius,
                                                     DiscRaster::kRadius + 1, DiscRaster::kRadius + 1);
  const Affine toX = Affine::Of(keyAxis);
  const Affine toY = Affine::Of(valueAxis);
  const double keyA = keyAxis.pixelToCoord(cursor.x() - kPickRadius);
  const double keyB = keyAxis.pixelToCoord(cursor.x() + kPickRadius);
  const double keyFrom = std::min(keyA, keyB);
  const double keyTo = std::max(keyA, keyB);

  std::optional<PickedPoint> best;
  double bestDistance = kPickRadius * kPickRadius;
  for (int k = 0; k < static_cast<int>(series.size()); ++k) {
    if (!series[k].active || series[k].points->isEmpty()) continue;
    const QCPGraphDataContainer& points = *series[k].points;
    const auto end = std::upper_bound(points.constBegin(), points.constEnd(), keyTo,
                                      [](double key, const QCPGraphData& p) { return key < p.key; });
    for (auto it = std::lower_bound(points.constBegin(), end, keyFrom,
                                    [](const QCPGraphData& p, double key) { return p.key < key; });
         it != end; ++it) {
      const double dy = toY(it->value) - cursor.y();
      if (!(std::abs(dy) <= kPickRadius)) continue;
      const double px = toX(it->key);
      const double py = cursor.y() + dy;
      const double dx = px - cursor.x();
      const double distance = dx * dx + dy * dy;
      // Strictly nearer only: the earlier series and x keep a tie.
      if (best ? !(distance < bestDistance) : !(distance <= bestDistance)) continue;
      if (!shown.contains(px, py)) continue;
      bestDistance = distance;
      best = PickedPoint{k, it->key, it->value, QPoint(static_cast<int>(std::lround(px)),
                                                       static_cast<int>(std::lround(py)))};
    }
  }
  return best;
}

}  // namespace veltrum
