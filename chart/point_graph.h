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
#include "chart/point_index.h"

namespace veltrum {

// The pixel of a coordinate relative to the plot area, for coordinates
// above -64: truncating after the bias rounds halves up. Every drawing of
// the points rounds through here.
inline int PointPixel(double v) {
  constexpr double kBias = 64;
  return static_cast<int>(v + kBias + 0.5) - static_cast<int>(kBias);
}

class PointGraph : public QCPGraph {
  Q_OBJECT

 public:
  // outline: the colour of the edge of the discs, for a series too light
  // to stand out from the plot area; transparent for none.
  PointGraph(QCPAxis* keyAxis, QCPAxis* valueAxis, const QColor& colour, const QColor& outline = Qt::transparent);

  // The points were cleared: the summary starts again.
  void PointsCleared() { index_.Reset(); }
  // Room for the summary of a number of points about to be added.
  void ReservePoints(std::size_t points) { index_.Reserve(points); }
  void ReleasePoints() { index_.Release(); }
  // Draws on the screen by visiting every point, as the chart did before
  // it kept a summary of the points; the picture is the same. For tests
  // and benchmarks that compare the two.
  void SetReferenceDrawing(bool on) { reference_ = on; }
  std::size_t IndexBytes() const { return index_.Bytes(); }
  // The summary brought up to the points as they are now, as far as
  // memory allows: as on the drawing path, points added without room made
  // for their summary may find none, and a pick then visits the points the
  // summary does not cover one by one.
  const PointIndex& Summary();

 protected:
  void draw(QCPPainter* painter) override;

 private:
  // How the points of the visible key range map to pixels of the area.
  struct Projection {
    double xScale, xOrigin, yScale, yOrigin;
    double yLow, yHigh;  // a point outside (yLow, yHigh) shows nothing
    int begin, end;      // indices of the points in the visible key range
  };
  bool Project(const QRect& area, Projection& p) const;
  // Calls mark(x, y) with the pixel, relative to the plot area, of every
  // point whose disc can reach into the area.
  template <typename Mark>
  void ForEachVisiblePoint(const QRect& area, Mark mark);
  // Marks the same pixels as ForEachVisiblePoint with raster_.Mark, from
  // the summary wherever a block of points allows it. False, with nothing
  // marked, when there was no memory left to summarise the points added
  // without room made for them.
  bool MarkFromIndex(const QRect& area);
  void DrawRaster(QCPPainter* painter, const QRect& area);
  void DrawShapes(QCPPainter* painter, const QRect& area);

  QRgb colour_;
  QRgb outline_;
  bool reference_ = false;
  PointIndex index_;
  // The series are drawn one after the other on the window's thread: they
  // share one raster and one image, whose memory a resize seldom renews.
  struct Canvas {
    DiscRaster raster;
    QImage image;
  };
  static Canvas& SharedCanvas();
  DiscRaster& raster_ = SharedCanvas().raster;
  QImage& image_ = SharedCanvas().image;
  // The shape path marks each pixel once: points closer than a pixel
  // make one disc, as they do on the screen.
  std::vector<std::uint8_t> drawn_;
};

}  // namespace veltrum
