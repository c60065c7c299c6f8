#pragma once
// One series of Chart1: a QCustomPlot graph that paints its points as
// discs through DiscRaster instead of one ellipse per point, so that a
// run of a million samples repaints in milliseconds. The legend icon is
// still the graph's own scatter symbol.
//
// Exports paint on vector devices (SVG, PDF) or through a scaled painter
// (a PNG larger than the screen); there the discs are drawn as shapes of
// the same size, one filled path per series, so that they stay round and
// sharp at any zoom of the file.
#include <qcustomplot.h>

#include <vector>

#include "chart/disc_raster.h"

namespace veltrum {

class PointGraph : public QCPGraph {
  Q_OBJECT

 public:
  PointGraph(QCPAxis* keyAxis, QCPAxis* valueAxis, const QColor& colour);

 protected:
  void draw(QCPPainter* painter) override;

 private:
  // Calls mark(x, y) with the pixel, relative to the plot area, of every
  // point whose disc can reach into the area.
  template <typename Mark>
  void ForEachVisiblePoint(const QRect& area, Mark mark);
  void DrawRaster(QCPPainter* painter, const QRect& area);
  void DrawShapes(QCPPainter* painter, const QRect& area);

  QRgb colour_;
  DiscRaster raster_;
  QImage image_;
  // The shape path marks each pixel once: points closer than a pixel
  // make one disc, as they do on the screen.
  std::vector<std::uint8_t> drawn_;
};

}  // namespace veltrum
