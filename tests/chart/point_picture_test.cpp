// The chart drawn from the series' summaries against the drawing that
// visits every point: the same picture, pixel for pixel, at every zoom.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <limits>
#include <random>

#include "chart/chart.h"

namespace veltrum {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

QImage Picture(Chart& chart, bool reference) {
  chart.SetReferenceDrawing(reference);
  chart.replot();
  return chart.toPixmap().toImage();
}

// Smooth curves of every steepness, noise, gaps and values beyond any
// range, as many points as a step of 0,001 over -50..50 gives.
void Fill(Chart& chart) {
  std::mt19937 random(22);
  std::uniform_real_distribution<double> noise(-3, 3);
  ChartUpdate update(chart);
  for (int i = 0; i <= 100'000; ++i) {
    const double x = -50 + i / 1000.0;
    chart.AddPoint(0, x, std::sin(x));
    chart.AddPoint(1, x, 3 * std::sin(40 * x));
    chart.AddPoint(2, x, noise(random));
    chart.AddPoint(3, x, i % 5000 == 7 ? kNaN : x / 20);
    chart.AddPoint(4, x, i % 20000 == 3 ? kInf : (i % 20000 == 4 ? -1e300 : std::cos(x) * 2));
    chart.AddPoint(5, x, std::tan(x) / 10);
  }
  // Late points sorted in among the others.
  for (int i = 0; i < 300; ++i) chart.AddPoint(6, 30 - i * 0.2, 1000 + i % 3);
  chart.replot();
  for (int i = 0; i < 300; ++i) chart.AddPoint(6, 29.9 - i * 0.2, std::cos(i * 0.3));
}

struct View {
  const char* name;
  double left, right, bottom, top;
};

TEST(PointPicture, SummaryDrawingEqualsVisitingEveryPoint) {
  Chart chart;
  chart.resize(497, 441);
  Fill(chart);
  chart.replot();
  const QCPRange x = chart.xAxis->range();
  const QCPRange y = chart.yAxis->range();
  const double mx = x.center() + 1.234;
  const View views[] = {
      {"whole range", x.lower, x.upper, y.lower, y.upper},
      {"a tenth", mx - x.size() / 20, mx + x.size() / 20, y.lower / 10, y.upper / 10},
      {"a thousandth", mx - x.size() / 2000, mx + x.size() / 2000, -0.2, 0.2},
      {"no point", 1000, 2000, 5, 6},
  };
  for (const View& v : views) {
    SCOPED_TRACE(v.name);
    chart.xAxis->setRange(v.left, v.right);
    chart.yAxis->setRange(v.bottom, v.top);
    const QImage fast = Picture(chart, false);
    EXPECT_EQ(fast, Picture(chart, true));
  }
}

// Axes of one unit per pixel put points at a half unit exactly on the
// border between two pixels, where the rounding decides.
TEST(PointPicture, PointsOnPixelBordersLandAlike) {
  Chart chart;
  chart.resize(497, 441);
  chart.replot();
  const QRect area = chart.axisRect()->rect();
  {
    ChartUpdate update(chart);
    for (int i = 0; i <= 4 * area.width(); ++i) {
      const double x = i * 0.25;
      chart.AddPoint(0, x, std::floor(x / 3) + 0.5);
      chart.AddPoint(1, x, (i % 7) * 0.5 + 40.5);
      chart.AddPoint(2, x, 100.5 + std::fmod(x, 50.0));
    }
    chart.SetAxisRange(ChartAxis::Bottom, 0, area.width());
    chart.SetAxisRange(ChartAxis::Left, 0, area.height());
  }
  const QImage fast = Picture(chart, false);
  EXPECT_EQ(fast, Picture(chart, true));
}

}  // namespace
}  // namespace veltrum
