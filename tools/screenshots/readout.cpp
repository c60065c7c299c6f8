// Pictures of the chart's readout for a person to look at: the cursor's
// coordinates over empty space, and a point of F2 named and ringed where
// F1 and F2 run close. Not a test; run it under Xvfb (or offscreen) with
// an output folder:
//   veltrum_readout_screenshots /tmp/shots
#include <QApplication>
#include <QDir>
#include <QTest>
#include <cmath>
#include <cstdio>

#include "chart/chart.h"
#include "chart/chart_readout.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QDir out(argc > 1 ? argv[1] : ".");
  veltrum::Chart chart;
  chart.resize(497, 441);
  for (int k = 0; k < veltrum::kSeriesCount; ++k) chart.SetActive(k, k < 3);
  {
    veltrum::ChartUpdate update(chart);
    for (int i = 0; i <= 60; ++i) {
      const double x = -3 + i * 0.1;
      chart.AddPoint(0, x, std::sin(x));
      chart.AddPoint(1, x, std::sin(x) + 0.02);
      chart.AddPoint(2, x, x * x / 3);
    }
  }
  chart.show();
  if (!QTest::qWaitForWindowExposed(&chart)) return 1;

  auto shoot = [&](QPoint at, const char* name) {
    QTest::mouseMove(&chart, at);
    QTest::qWait(50);
    const QString path = out.filePath(QString::fromLatin1(name));
    if (!chart.grab().save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    std::printf("%s: %s\n", name, chart.Readout().Text().toUtf8().constData());
  };
  shoot(QPoint(static_cast<int>(chart.xAxis->coordToPixel(-1.7)),
               static_cast<int>(chart.yAxis->coordToPixel(2.4))),
        "readout_cursor.png");
  // Two pixels right of F2's point at x = 0,5: F1's is nearly as close.
  shoot(QPoint(static_cast<int>(chart.xAxis->coordToPixel(0.5)) + 2,
               static_cast<int>(chart.yAxis->coordToPixel(std::sin(0.5) + 0.02))),
        "readout_point.png");
  return 0;
}
