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

void SeriesBlocks::Sync(const QCPGraphDataContainer& points, std::uint64_t generation) {
  const int size = points.size();
  if (generation != generation_ || size < size_) {
    known_.clear();
    size_ = 0;
    generation_ = generation;
  }
  if (size == size_) return;
  // The last block was short: points joined it since.
  if (size_ % kBlock != 0) known_[size_ / kBlock] = 0;
  const std::size_t blocks = static_cast<std::size_t>((size + kBlock - 1) / kBlock);
  known_.resize(blocks, 0);
  low_.resize(blocks);
  high_.resize(blocks);
  size_ = size;
}

bool SeriesBlocks::Reaches(const QCPGraphData* data, int b, double low, double high) {
  const std::size_t i = static_cast<std::size_t>(b);
  if (!known_[i]) {
    const int end = std::min((b + 1) * kBlock, size_);
    double lowest = data[b * kBlock].value;
    double highest = lowest;
    for (int j = b * kBlock + 1; j < end; ++j) {
      lowest = std::min(lowest, data[j].value);
      highest = std::max(highest, data[j].value);
    }
    low_[i] = lowest;
    high_[i] = highest;
    known_[i] = 1;
  }
  return low_[i] <= high && high_[i] >= low;
}

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

  constexpr int kBlock = SeriesBlocks::kBlock;
  for (int k = 0; k < static_cast<int>(series.size()); ++k) {
    const PickSeries& one = series[k];
    if (!one.active || one.points->isEmpty()) continue;
    const QCPGraphDataContainer& points = *one.points;
    one.blocks->Sync(points, one.generation);
    const QCPGraphData* data = &*points.constBegin();
    const QCPGraphData* end = data + points.size();
    auto before = [](const QCPGraphData& p, double key) { return p.key < key; };
    const int lo = static_cast<int>(std::lower_bound(data, end, std::min(keyA, keyB), before) - data);
    const int hi =
        static_cast<int>(std::upper_bound(data + lo, end, std::max(keyA, keyB),
                                          [](double key, const QCPGraphData& p) { return key < p.key; }) -
                         data);
    const int mid = static_cast<int>(std::lower_bound(data + lo, data + hi, keyAtCursor, before) - data);
    auto reaches = [&](int b) { return one.blocks->Reaches(data, b, valueLow, valueHigh); };
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
