// Marks that another window puts on the chart: a ring around one point
// and a shaded area under a curve. They are ordinary graphs and a text
// item, kept out of the legend and of the axes' scaling to the data.
#include "chart/chart.h"

namespace veltrum {
namespace {

constexpr double kRingSize = 16;
constexpr int kShadeAlpha = 70;

QColor SeriesColour(int series) {
  const SeriesStyle& s = kSeriesStyles[static_cast<std::size_t>(series)];
  return QColor(s.red, s.green, s.blue);
}

}  // namespace

void Chart::SetMark(int series, double x, double y, const QString& text) {
  if (!mark_) {
    mark_ = addGraph(xAxis, yAxis);
    mark_->removeFromLegend();
    mark_->setLineStyle(QCPGraph::lsNone);
    markText_ = new QCPItemText(this);
    markText_->setPadding(QMargins(4, 2, 4, 2));
    markText_->setTextAlignment(Qt::AlignLeft);
    markText_->setBrush(QBrush(Qt::white));
    markText_->setPen(QPen(Qt::black));
  }
  const QColor colour = SeriesColour(series);
  mark_->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, QPen(colour, 2.5), Qt::NoBrush, kRingSize));
  mark_->setData(QVector<double>{x}, QVector<double>{y}, true);
  mark_->setVisible(true);
  // The text stays inside the plot area: it hangs below a point in the
  // upper half and reaches left from a point in the right half.
  const bool right = x > xAxis->range().center(), upper = y > yAxis->range().center();
  markText_->setPositionAlignment((right ? Qt::AlignRight : Qt::AlignLeft) | (upper ? Qt::AlignTop : Qt::AlignBottom));
  markText_->position->setCoords(x, y);
  markText_->setText(text);
  markText_->setVisible(true);
  setAccessibleDescription(text);
  replot(QCustomPlot::rpQueuedReplot);
}

void Chart::SetShading(int series, const QVector<double>& xs, const QVector<double>& ys) {
  if (!shading_) {
    shading_ = addGraph(xAxis, yAxis);
    shading_->removeFromLegend();
    shading_->setLineStyle(QCPGraph::lsLine);
    // Under the series' points, which stay visible on top of the area.
    shading_->setLayer(QStringLiteral("background"));
  }
  QColor fill = SeriesColour(series);
  fill.setAlpha(kShadeAlpha);
  shading_->setPen(QPen(SeriesColour(series), 1));
  shading_->setBrush(QBrush(fill));
  shading_->setData(xs, ys, true);
  shading_->setVisible(true);
  replot(QCustomPlot::rpQueuedReplot);
}

void Chart::ClearMarks() {
  bool any = false;
  for (QCPAbstractPlottable* p : {static_cast<QCPAbstractPlottable*>(mark_), static_cast<QCPAbstractPlottable*>(shading_)})
    if (p && p->visible()) p->setVisible(false), any = true;
  if (markText_ && markText_->visible()) markText_->setVisible(false), any = true;
  if (any) replot(QCustomPlot::rpQueuedReplot);
}

bool Chart::HasMark() const { return mark_ && mark_->visible(); }
bool Chart::HasShading() const { return shading_ && shading_->visible(); }

}  // namespace veltrum
