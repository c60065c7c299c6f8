// Chart1 with ten series of 1,000,001 points each: adding the points (room
// reserved first, as a sampling run does), the
// first repaint (axes fitted to the data) and a plain repaint. Prints
// "| figure | measured | target |" rows.
#include <QApplication>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "bench/gui/timing.h"
#include "chart/chart.h"

namespace {

using namespace veltrum::bench;

constexpr int kPoints = 1'000'001;
constexpr int kRuns = 7;

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  veltrum::Chart chart;
  chart.resize(497, 441);
  chart.show();
  QApplication::processEvents();

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
  std::printf("| Chart: repaint of 10 x 1,000,001 points | %.0f ms | <= 150 ms |\n", Median(replots));
  return 0;
}
