#include "chart/chart_readout.h"

#include <cmath>

#include "number/number_text.h"
#include "chart/chart.h"

namespace veltrum {

namespace {

// Inset of the box from the plot area's corner, its padding, and the
// ring's radius around the centre of a point's disc (which reaches 3 px).
constexpr int kInset = 4;
constexpr int kPaddingX = 4;
constexpr int kPaddingY = 2;
constexpr double kRingRadius = 6.0;

QString Number(double v) { return QString::fromStdString(NumberText(v)); }

// v to the power of ten at or below the span of one pixel: one pixel
// further changes the last digit shown. A negative power divides by an
// exact power of ten, so 0,75 at tenths becomes 0,8, not 0,7.
std::optional<double> RoundToPixel(double v, double pixel) {
  if (!std::isfinite(v)) return std::nullopt;
  if (!(pixel > 0) || !std::isfinite(pixel)) return v;
  const int power = static_cast<int>(std::floor(std::log10(pixel)));
  double rounded;
  if (power < 0 && power >= -22) {
    const double scale = std::pow(10.0, -power);
    rounded = std::round(v * scale) / scale;
  } else {
    const double step = std::pow(10.0, power);
    rounded = std::round(v / step) * step;
  }
  // Adding zero turns a rounded -0 into 0, which is what the display shows.
  return std::isfinite(rounded) ? rounded + 0.0 : v;
}

}  // namespace

QString CursorReadoutText(double x, double y, double pixelWidth, double pixelHeight) {
  const std::optional<double> rx = RoundToPixel(x, pixelWidth);
  const std::optional<double> ry = RoundToPixel(y, pixelHeight);
  if (!rx || !ry) return QString();
  return QStringLiteral("x = %1   y = %2").arg(Number(*rx), Number(*ry));
}

QString PointReadoutText(const PickedPoint& point) {
  return QStringLiteral("%1:  x = %2   y = %3")
      .arg(QLatin1String(kSeriesStyles[point.series].name), Number(point.x), Number(point.y));
}

ChartReadout::ChartReadout(Chart* chart) : QCPLayerable(chart), chart_(chart) {
  // A buffered layer of its own on top: replotting it leaves the series'
  // buffers as they are.
  const QString name = QStringLiteral("readout");
  chart->addLayer(name, chart->layer(chart->layerCount() - 1), QCustomPlot::limAbove);
  chart->layer(name)->setMode(QCPLayer::lmBuffered);
  setLayer(name);
  // A full replot may move the axes or change the points under a still
  // cursor; the layout is final by then and the layers not yet drawn.
  connect(chart, &QCustomPlot::afterLayout, this, [this] {
    Update();
    Describe();
  });
}

void ChartReadout::Track(QPoint pos) {
  cursor_ = pos;
  if (Update()) Repaint();
}

void ChartReadout::Hide() {
  cursor_.reset();
  if (Update()) Repaint();
}

bool ChartReadout::Update() {
  std::optional<PickedPoint> picked;
  QString text;
  const QCPAxisRect* rect = chart_->axisRect();
  if (cursor_ && rect->rect().contains(*cursor_)) {
    std::array<PickSeries, kSeriesCount> series;
    for (int k = 0; k < kSeriesCount; ++k)
      series[k] = {&chart_->Points(k), chart_->IsActive(k), &chart_->Summary(k)};
    picked = PickPoint(*chart_->xAxis, *chart_->yAxis, series, QPointF(*cursor_));
    if (picked) {
      text = PointReadoutText(*picked);
    } else if (rect->width() > 0 && rect->height() > 0) {
      text = CursorReadoutText(
          chart_->xAxis->pixelToCoord(cursor_->x()), chart_->yAxis->pixelToCoord(cursor_->y()),
          chart_->xAxis->range().size() / rect->width(), chart_->yAxis->range().size() / rect->height());
    }
  }
  const bool ringMoved = picked.has_value() != picked_.has_value() ||
                         (picked && (picked->pixel != picked_->pixel || picked->series != picked_->series));
  const bool changed = ringMoved || text != text_;
  picked_ = picked;
  text_ = text;
  return changed;
}

void ChartReadout::Repaint() {
  Describe();
  layer()->replot();
}

void ChartReadout::Describe() {
  if (text_.isEmpty()) {
    if (describing_) chart_->setAccessibleDescription(description_);
    describing_ = false;
    return;
  }
  if (!describing_) description_ = chart_->accessibleDescription();
  describing_ = true;
  if (chart_->accessibleDescription() != text_) chart_->setAccessibleDescription(text_);
}

void ChartReadout::applyDefaultAntialiasingHint(QCPPainter* painter) const { painter->setAntialiasing(true); }

void ChartReadout::draw(QCPPainter* painter) {
  // Files written from the chart show the plot, not where the mouse was.
  if (text_.isEmpty() || painter->modes().testFlag(QCPPainter::pmNoCaching)) return;
  const QRect area = chart_->axisRect()->rect();
  painter->save();
  painter->setClipRect(area);
  if (picked_) {
    const SeriesStyle& style = kSeriesStyles[picked_->series];
    const QPointF centre = QPointF(picked_->pixel) + QPointF(0.5, 0.5);
    // A dark rim keeps the rings of the white and yellow series visible.
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QPen(QColor(0, 0, 0, 160), 1));
    painter->drawEllipse(centre, kRingRadius + 1.5, kRingRadius + 1.5);
    painter->setPen(QPen(QColor(style.red, style.green, style.blue), 2));
    painter->drawEllipse(centre, kRingRadius, kRingRadius);
  }
  const QFontMetrics metrics(chart_->font());
  const QRect box(area.left() + kInset, area.top() + kInset, metrics.horizontalAdvance(text_) + 2 * kPaddingX,
                  metrics.height() + 2 * kPaddingY);
  painter->setAntialiasing(false);
  painter->setPen(QPen(QColor(128, 128, 128)));
  painter->setBrush(QColor(255, 255, 255, 235));
  painter->drawRect(box);
  painter->setFont(chart_->font());
  painter->setPen(Qt::black);
  painter->drawText(box.adjusted(kPaddingX, kPaddingY, -kPaddingX, -kPaddingY),
                    Qt::AlignLeft | Qt::AlignVCenter, text_);
  painter->restore();
}

}  // namespace veltrum
