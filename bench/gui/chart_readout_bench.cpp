// The chart's readout over ten series of 1,000,001 points each: finding
// the point under the cursor alone, and one whole mouse move (the pick,
// the readout's layer and the widget's repaint). Prints "| figure |
// measured | target |" rows.
#include <QApplication>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "bench/gui/design_chart.h"
#include "bench/gui/timing.h"
#include "chart/chart.h"
#include "chart/chart_readout.h"
#include "chart/point_pick.h"

namespace {

using namespace veltrum::bench;

constexpr int kPoints = 1'000'001;
constexpr int kMoves = 400;

}  // namespace

int main(int argc, char** argv) {
  UseOffscreenUnlessSet();
  QApplication app(argc, argv);
  veltrum::Chart chart;
  ShowAtDesignSize(chart);
  {
    veltrum::ChartUpdate update(chart);
    for (int k = 0; k < veltrum::kSeriesCount; ++k)
      for (int i = 0; i < kPoints; ++i) {
        const double x = -500 + i / 1000.0;
        chart.AddPoint(k, x, std::sin(x + k) * (k + 1));
      }
  }
  QApplication::processEvents();

  // Half the moves follow F1's curve, so that a point is found and ringed;
  // the others run along the top of the plot area, above most curves. A
  // pass of the path first leaves every block of the x windows known, as
  // the mouse leaves them behind in use; the first pass is told apart.
  const QRect area = chart.axisRect()->rect();
  std::vector<QPoint> path;
  for (int i = 0; i < kMoves; ++i) {
    const int x = area.left() + 1 + (i * 7) % (area.width() - 2);
    const double key = chart.xAxis->pixelToCoord(x);
    const int y = i % 2 ? static_cast<int>(chart.yAxis->coordToPixel(std::sin(key))) : area.top() + 1;
    path.emplace_back(x, std::clamp(y, area.top() + 1, area.bottom() - 1));
  }

  std::array<veltrum::PickSeries, veltrum::kSeriesCount> series;
  for (int k = 0; k < veltrum::kSeriesCount; ++k)
    series[k] = {&chart.Points(k), true, &chart.Summary(k)};
  std::vector<double> firstPicks;
  std::vector<double> picks;
  int found = 0;
  for (std::vector<double>* times : {&firstPicks, &picks})
    for (const QPoint& p : path) {
      times->push_back(Milliseconds(
          [&] { found += veltrum::PickPoint(*chart.xAxis, *chart.yAxis, series, QPointF(p)).has_value(); }));
    }

  std::vector<double> moves;
  for (int pass = 0; pass < 2; ++pass)
    for (const QPoint& p : path) {
      const double ms = Milliseconds([&] {
        QMouseEvent move(QEvent::MouseMove, QPointF(p), chart.mapToGlobal(QPointF(p)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&chart, &move);
        chart.repaint();
      });
      if (pass == 1) moves.push_back(ms);
    }

  std::printf(
      "| Chart readout: find the point under the cursor, 10 x 1,000,001 points (%d of %d moves on a point) "
      "| %.3f ms median, %.3f ms at 95%% (first visit of a spot: %.3f ms median) | < 1 ms |\n",
      found / 2, kMoves, Percentile(picks, 0.5), Percentile(picks, 0.95), Percentile(firstPicks, 0.5));
  std::printf(
      "| Chart readout: one mouse move with readout, ring and repaint, 10 x 1,000,001 points | %.2f ms "
      "median, %.2f ms at 95%% | no full replot (< 16 ms) |\n",
      Percentile(moves, 0.5), Percentile(moves, 0.95));
  return 0;
}
