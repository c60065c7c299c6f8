#pragma once
// Finds the drawn point nearest to a pixel of the chart: the one the
// readout names and rings. Each series is in ascending x, so only the x
// window of the pick radius is searched, by bisection, whatever the
// number of points; inside it, blocks of points whose values all lie
// outside the radius in y are passed over whole.
#include <qcustomplot.h>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "chart/chart_model.h"

namespace veltrum {

// A point further than this from the cursor, in pixels, is not picked.
inline constexpr double kPickRadius = 5.0;

struct PickedPoint {
  int series;
  double x;
  double y;
  // Where the point's disc is painted, in widget pixels.
  QPoint pixel;
};

// The lowest and highest value of each block of kBlock consecutive points
// of one series, worked out when a pick first reaches the block. A sorted
// series only grows at its end between clears, so points added since the
// last pick extend the blocks; a clear, told by a new generation, drops
// them.
class SeriesBlocks {
 public:
  static constexpr int kBlock = 64;

  void Sync(const QCPGraphDataContainer& points, std::uint64_t generation);
  // Whether some value of block b lies in [low, high].
  bool Reaches(const QCPGraphData* data, int b, double low, double high);

 private:
  std::vector<double> low_;
  std::vector<double> high_;
  std::vector<std::uint8_t> known_;
  int size_ = 0;
  std::uint64_t generation_ = 0;
};

struct PickSeries {
  const QCPGraphDataContainer* points;
  bool active;
  std::uint64_t generation;
  SeriesBlocks* blocks;
};

// The nearest point of an active series whose disc shows in the plot
// area of the two axes and whose centre lies within kPickRadius of
// cursor; on equal distances the lower series, then the lower x.
std::optional<PickedPoint> PickPoint(const QCPAxis& keyAxis, const QCPAxis& valueAxis,
                                     const std::array<PickSeries, kSeriesCount>& series, QPointF cursor);

}  // namespace veltrum
