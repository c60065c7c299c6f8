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
                                     const std::array<PickSeries, kSeriesCount>& series, QPointF cursor) {
  if (!(keyAxis.range().size() > 0) || !(valueAxis.range().size() > 0)) return std::nullopt;
  const QCPAxisRect* rect = keyAxis.axisRect();
  // A disc is painted around its pixel and shows when it reaches into the
  // plot area.
  const QRect shown = rect->rect().adjusted(-DiscRaster::kRadius, -DiscRaster::kRadius, DiscRaster::kRadius,
                                            DiscRaster::kRadius);
  const Affine toX = Affine::Of(keyAxis);
  const Affine toY = Affine::Of(valueAxis);
  const double keyA = keyAxis.pixelToCoord(cursor.x() - kPickRadius);
  const double keyB = keyAxis.pixelToCoord(cursor.x() + kPickRadius);
  const double keyAtCursor = keyAxis.pixelToCoord(cursor.x());
  // Values outside this band are further than the radius in y alone;
  // comparing the stored value skips the conversion to pixels.
  const double valueA = valueAxis.pixelToCoord(cursor.y() - kPickRadius);
  const double valueB = valueAxis.pixelToCoord(cursor.y() + kPickRadius);
  const double valueLow = std::min(valueA, valueB);
  const double valueHigh = std::max(valueA, valueB);

  std::optional<PickedPoint> best;
  double bestDistance = kPickRadius * kPickRadius;
  // A point takes the place of the best so far when it is nearer, or as
  // near in the same series at a lower x; a later series must be nearer.
  auto consider = [&](int k, const QCPGraphData& p) {
    if (!(p.value >= valueLow && p.value <= valueHigh)) return;
    const double px = toX(p.key);
    const double py = toY(p.value);
    const double dx = px - cursor.x();
    const double dy = py - cursor.y();
    const double distance = dx * dx + dy * dy;
    if (best
            ? !(distance < bestDistance || (distance == bestDistance && k == best->series && p.key < best->x))
            : !(distance <= bestDistance))
      return;
    const QPoint pixel(static_cast<int>(std::lround(px)), static_cast<int>(std::lround(py)));
    if (!shown.contains(pixel)) return;
    bestDistance = distance;
    best = PickedPoint{k, p.key, p.value, pixel};
  };
  // Beyond this the x distance alone exceeds the best so far.
  auto outOfReach = [&](const QCPGraphData& p) {
    const double dx = toX(p.key) - cursor.x();
    return dx * dx > bestDistance;
  };

  constexpr int kBlock = PointIndex::kLeaf;
  for (int k = 0; k < static_cast<int>(series.size()); ++k) {
    const PickSeries& one = series[k];
    if (!one.active || one.points->isEmpty()) continue;
    const QCPGraphDataContainer& points = *one.points;
    // Points after the last whole block are not summarised: each is looked at.
    const std::vector<PointIndex::Block>* blocks =
        one.summary->Levels() > 0 ? &one.summary->Blocks(0) : nullptr;
    const QCPGraphData* data = &*points.constBegin();
    const QCPGraphData* end = data + points.size();
    auto before = [](const QCPGraphData& p, double key) { return p.key < key; };
    const int lo = static_cast<int>(std::lower_bound(data, end, std::min(keyA, keyB), before) - data);
    const int hi =
        static_cast<int>(std::upper_bound(data + lo, end, std::max(keyA, keyB),
                                          [](double key, const QCPGraphData& p) { return key < p.key; }) -
                         data);
    const int mid = static_cast<int>(std::lower_bound(data + lo, data + hi, keyAtCursor, before) - data);
    auto reaches = [&](int b) {
      if (!blocks || static_cast<std::size_t>(b) >= blocks->size()) return true;
      const PointIndex::Block& block = (*blocks)[static_cast<std::size_t>(b)];
      return block.low <= valueHigh && block.high >= valueLow;
    };
    // Outwards from the cursor on both sides, block by block, so that a
    // near point found early narrows the rest of the search.
    for (int from = mid; from < hi && !outOfReach(data[from]);) {
      const int to = std::min((from / kBlock + 1) * kBlock, hi);
      if (reaches(from / kBlock))
        for (int i = from; i < to && !outOfReach(data[i]); ++i) consider(k, data[i]);
      from = to;
    }
    for (int to = mid; to > lo && !outOfReach(data[to - 1]);) {
      const int from = std::max((to - 1) / kBlock * kBlock, lo);
      if (reaches((to - 1) / kBlock))
        for (int i = to - 1; i >= from && !outOfReach(data[i]); --i) consider(k, data[i]);
      to = from;
    }
  }
  return best;
}

}  // namespace veltrum
