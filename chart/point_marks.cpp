// The points of a series marked for a repaint from its summary: a block
// of points whose keys fall in one pixel column marks the rows its values
// reach without visiting them, when the rows are certain from the block's
// lowest and highest value and its largest step.
#include <algorithm>
#include <cmath>
#include <new>

#include "chart/point_graph.h"

namespace veltrum {

namespace {

// Neighbouring points less than this many pixels apart in y leave no row
// between the lowest and the highest of a block without a point. The
// margin below one pixel covers the rounding of the pixel arithmetic,
// which stays far below it while the pixel coordinates are smaller than
// kLargestPixel in magnitude.
constexpr double kStepLimit = 0.99;
constexpr double kLargestPixel = 1e9;

struct Walker {
  const PointIndex& index;
  const QCPGraphData* data;
  double xScale, xOrigin, yScale, yOrigin, yLow, yHigh;
  int rowBelow, rowAbove;  // rows outside what DiscRaster::Mark takes
  DiscRaster& raster;

  int Row(double y) const { return !(y > yLow) ? rowBelow : !(y < yHigh) ? rowAbove : PointPixel(y); }

  void Points(std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) {
      const double y = yOrigin + data[i].value * yScale;
      if (!(y > yLow && y < yHigh)) continue;
      raster.Mark(PointPixel(xOrigin + data[i].key * xScale), PointPixel(y));
    }
  }

  // Marks block b of the level from its summary; false when the summary
  // cannot tell which pixels its points mark.
  bool Summarised(int level, std::size_t b) {
    const PointIndex::Block& k = index.Blocks(level)[b];
    if (!(k.low <= k.high)) return true;  // every value NaN: nothing shows
    // A pixel row is a monotonic function of the value, so the lowest and
    // highest value bound the rows of every point in between.
    const double ya = yOrigin + k.low * yScale;
    const double yb = yOrigin + k.high * yScale;
    if (std::isnan(ya) || std::isnan(yb)) return false;
    const double yMin = std::min(ya, yb);
    const double yMax = std::max(ya, yb);
    if (!(yMax > yLow) || !(yMin < yHigh)) return true;
    const int column = PointPixel(xOrigin + k.firstKey * xScale);
    if (PointPixel(xOrigin + k.lastKey * xScale) != column) return false;
    const int top = Row(yMin);
    const int bottom = Row(yMax);
    if (top == bottom) {
      raster.Mark(column, top);
      return true;
    }
    // The points go from the lowest value to the highest (or back) in
    // steps of less than a pixel, so they cross every row in between; the
    // two ends are rows of points themselves.
    const double largest =
        std::max({std::fabs(yOrigin), std::fabs(k.low * yScale), std::fabs(k.high * yScale)});
    if (!(k.step * std::fabs(yScale) <= kStepLimit) || !(largest < kLargestPixel)) return false;
    for (int row = std::max(top, rowBelow + 1); row <= std::min(bottom, rowAbove - 1); ++row)
      raster.Mark(column, row);
    return true;
  }

  // Marks points [from, to) of block b of the level.
  void Walk(int level, std::size_t b, std::size_t from, std::size_t to) {
    const std::size_t size = PointIndex::BlockSize(level);
    const std::size_t start = b * size;
    if (from == start && to == start + size && Summarised(level, b)) return;
    if (level == 0) {
      Points(from, to);
      return;
    }
    const std::size_t child = size / PointIndex::kFanOut;
    for (std::size_t c = from / child; c * child < to; ++c)
      Walk(level - 1, c, std::max(from, c * child), std::min(to, (c + 1) * child));
  }
};

}  // namespace

const PointIndex& PointGraph::Summary() {
  try {
    index_.Sync(*mDataContainer);
  } catch (const std::bad_alloc&) {
    // Sync stops between whole blocks: what it summarised stands.
  }
  return index_;
}

bool PointGraph::MarkFromIndex(const QRect& area) {
  Projection p;
  if (!Project(area, p)) return true;
  try {
    index_.Sync(*mDataContainer);
  } catch (const std::bad_alloc&) {
    return false;
  }
  Walker walker{index_,
                &*mDataContainer->constBegin(),
                p.xScale,
                p.xOrigin,
                p.yScale,
                p.yOrigin,
                p.yLow,
                p.yHigh,
                -DiscRaster::kRadius - 1,
                area.height() + DiscRaster::kRadius,
                raster_};
  const std::size_t from = static_cast<std::size_t>(p.begin);
  const std::size_t to = static_cast<std::size_t>(p.end);
  // Each level covers its whole blocks from the first point; the levels
  // below take what lies beyond, and single points the rest.
  std::size_t done = 0;
  for (int level = index_.Levels() - 1; level >= 0; --level) {
    const std::size_t size = PointIndex::BlockSize(level);
    const std::size_t limit = index_.Blocks(level).size() * size;
    const std::size_t lo = std::max(from, done);
    const std::size_t hi = std::min(to, limit);
    if (lo < hi)
      for (std::size_t b = lo / size; b * size < hi; ++b)
        walker.Walk(level, b, std::max(lo, b * size), std::min(hi, (b + 1) * size));
    done = std::max(done, limit);
  }
  walker.Points(std::max(from, done), to);
  return true;
}

}  // namespace veltrum
