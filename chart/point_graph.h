#pragma once
// One series of Chart1: a QCustomPlot graph that paints its points as
// discs through DiscRaster instead of one ellipse per point, so that a
// run of a million samples repaints in milliseconds. The legend icon is
// still the graph's own scatter symbol.
#include <qcustomplot.h>

#include "chart/disc_raster.h"

namespace veltrum {

class PointGraph : public QCPGraph {
  Q_OBJECT

 public:
  PointGraph(QCPAxis* keyAxis, QCPAxis* valueAxis, const QColor& colour);

 protected:
  void draw(QCPPainter* painter) override;

 private:
  void MarkVisiblePoints(const QRect& area);

  QRgb colour_;
  DiscRaster raster_;
  QImage image_;
};

}  // namespace veltrum
