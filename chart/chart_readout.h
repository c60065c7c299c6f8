#pragma once
// The chart's readout: while the mouse is over the plot area, a small
// box in the area's top-left corner tells the coordinates under the
// cursor, or names the drawn point within reach of it and rings that
// point in its series' colour. It lives on a buffered layer of its own
// above the plot, so that a mouse move repaints the box and the ring
// only, never the million-point series below. The text is also the
// chart's accessible description while it shows.
#include <qcustomplot.h>

#include <QString>
#include <array>
#include <optional>

#include "chart/chart_model.h"
#include "chart/point_pick.h"

namespace veltrum {

class Chart;

// "x = …   y = …" for the cursor at a point of the axes, each coordinate
// rounded to a power of ten no larger than the width or height of one
// pixel there; empty when a value is not finite.
QString CursorReadoutText(double x, double y, double pixelWidth, double pixelHeight);
// "F2:  x = 0,5   y = 0,479425538604203": the values as stored.
QString PointReadoutText(const PickedPoint& point);

class ChartReadout : public QCPLayerable {
  Q_OBJECT

 public:
  explicit ChartReadout(Chart* chart);

  // The cursor moved to pos, in widget pixels; the readout shows when pos
  // lies inside the plot area and hides otherwise.
  void Track(QPoint pos);
  // Hides the readout until the next Track: the mouse left the chart, or
  // a zoom rectangle or a pan began.
  void Hide();

  // What the readout shows; empty while hidden.
  const QString& Text() const { return text_; }
  // The point under the cursor, when there is one.
  const std::optional<PickedPoint>& Picked() const { return picked_; }

 protected:
  void applyDefaultAntialiasingHint(QCPPainter* painter) const override;
  void draw(QCPPainter* painter) override;

 private:
  // Works out the text and the point for the cursor and the current axis
  // ranges; tells whether anything shown changed.
  bool Update();
  void Repaint();
  void Describe();

  Chart* chart_;
  std::optional<QPoint> cursor_;
  std::optional<PickedPoint> picked_;
  QString text_;
  // The chart's own description, given back when the readout hides.
  QString description_;
  bool describing_ = false;
};

}  // namespace veltrum
