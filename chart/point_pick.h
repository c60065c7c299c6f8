#pragma once
// Finds the drawn point nearest to a pixel of the chart: the one the
// readout names and rings. Each series is in ascending x, so only the x
// window of the pick radius is searched, by bisection, whatever the
// number of points; inside it, the blocks of the series' summary whose
// values all lie outside the radius in y are passed over whole.
#include <qcustomplot.h>

#include <array>
#include <optional>

#include "chart/chart_model.h"
#include "chart/point_index.h"

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

struct PickSeries {
  const QCPGraphDataContainer* points;
  bool active;
  // The series' summary, up to date with points.
  const PointIndex* summary;
};

// The nearest point of an active series whose disc shows in the plot
// area of the two axes and whose centre lies within kPickRadius of
// cursor; on equal distances the lower series, then the lower x.
std::optional<PickedPoint> PickPoint(const QCPAxis& keyAxis, const QCPAxis& valueAxis,
                                     const std::array<PickSeries, kSeriesCount>& series, QPointF cursor);

}  // namespace veltrum
