// Chart1 with ten series of 1,000,001 points each: adding the points (room
// reserved first, as a sampling run does), the first repaint (axes fitted
// to the data), a plain repaint, and the repaints of a pan step, a zoom
// step and a resize, each against the drawing that visits every point
// (the reference drawing) in the same run. Prints "| figure | measured |
// target |" rows.
#include <QApplication>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "bench/gui/design_chart.h"
#include "bench/gui/timing.h"
#include "chart/chart.h"

namespace {

using namespace veltrum::bench;

constexpr int kPoints = 1'000'001;
constexpr int kRuns = 7;
constexpr int kSteps = 21;

}  // namespace

int main(int argc, char** argv) {
  UseOffscreenUnlessSet();
  QApplication app(argc, argv);
  veltrum::Chart chart;
  ShowAtDesignSize(chart);

  // The values come ready, as from a run: the rows time the chart alone.
  std::vector<double> xs(kPoints), ys(kPoints);
  for (int i = 0; i < kPoints; ++i) {
    xs[i] = -500 + i / 1000.0;
    ys[i] = std::sin(xs[i]);
  }
  auto addAll = [&] {
    veltrum::ChartUpdate update(chart);
    for (int k = 0; k < veltrum::kSeriesCount; ++k) {
      chart.Clear(k);
      chart.Reserve(k, kPoints);  // as a sampling run does
      for (int i = 0; i < kPoints; ++i) chart.AddPoint(k, xs[i], ys[i] * (k + 1) + k);
    }
  };
  // The first run pays for fresh memory pages; a redraw reuses them.
  const double add = Milliseconds(addAll);
  const double first = Milliseconds([&] { chart.Refresh(); });
  const double again = Milliseconds(addAll);
  chart.Refresh();
  std::vector<double> replots;
  for (int r = 0; r < kRuns; ++r) replots.push_back(Milliseconds([&] { chart.Refresh(); }));
  chart.SetReferenceDrawing(true);
  std::vector<double> references;
  for (int r = 0; r < kRuns; ++r) references.push_back(Milliseconds([&] { chart.Refresh(); }));
  chart.SetReferenceDrawing(false);
  const double reference = Median(references);

  // A right-drag pan moves the ranges by whole pixels and replots.
  const QCPRange bottom = chart.xAxis->range();
  const QCPRange left = chart.yAxis->range();
  const QRect area = chart.axisRect()->rect();
  std::vector<double> pans;
  for (int step = 1; step <= kSteps; ++step) {
    const double dx = 3.0 * step * bottom.size() / area.width();
    const double dy = 2.0 * step * left.size() / area.height();
    chart.xAxis->setRange(bottom.lower - dx, bottom.upper - dx);
    chart.yAxis->setRange(left.lower + dy, left.upper + dy);
    pans.push_back(Milliseconds([&] { chart.replot(); }));
  }
  // Zoom steps of a tenth each, towards the middle.
  std::vector<double> zooms;
  for (int step = 1; step <= kSteps; ++step) {
    const double f = std::pow(0.9, step);
    chart.xAxis->setRange(bottom.center() - bottom.size() * f / 2, bottom.center() + bottom.size() * f / 2);
    chart.yAxis->setRange(left.center() - left.size() * f / 2, left.center() + left.size() * f / 2);
    zooms.push_back(Milliseconds([&] { chart.replot(); }));
  }
  chart.xAxis->setRange(bottom);
  chart.yAxis->setRange(left);
  // A resize lays the chart out again and replots by itself.
  std::vector<double> resizes;
  for (int step = 1; step <= kSteps; ++step)
    resizes.push_back(Milliseconds([&] { chart.resize(497 + 7 * (step % 5), 441 + 5 * (step % 3)); }));

  std::printf(
      "| Chart: add 10 x 1,000,001 points, first time (room reserved) | %.0f ms (%.1f ns per point) | "
      "<= 300 ms |\n",
      add, add * 1e6 / (10.0 * kPoints));
  std::printf(
      "| Chart: clear and add 10 x 1,000,001 points again | %.0f ms (%.1f ns per point) | no repaint per "
      "point |\n",
      again, again * 1e6 / (10.0 * kPoints));
  std::printf("| Chart: first repaint of 10 x 1,000,001 points (axes fitted) | %.0f ms | <= 150 ms |\n",
              first);
  std::printf(
      "| Chart: summaries of 10 x 1,000,001 points for repaints | %.1f MB (%.2f bytes per point) | "
      "all memory <= 32 bytes per point |\n",
      chart.SummaryBytes() / 1e6, chart.SummaryBytes() / (10.0 * kPoints));
  std::printf(
      "| Chart: repaint of 10 x 1,000,001 points | %.1f ms (reference drawing %.1f ms: x%.2f) | <= 150 ms "
      "|\n",
      Median(replots), reference, Median(replots) / reference);
  const struct {
    const char* name;
    const std::vector<double>& times;
  } steps[] = {{"pan step", pans}, {"zoom step", zooms}, {"resize", resizes}};
  for (const auto& s : steps)
    std::printf(
        "| Chart: %s, 10 x 1,000,001 points | %.1f ms median, %.1f ms at 95%% (reference drawing %.1f ms: "
        "x%.2f) | <= 16 ms and <= x0.25 |\n",
        s.name, Median(s.times), Percentile(s.times, 0.95), reference, Median(s.times) / reference);
  return 0;
}
