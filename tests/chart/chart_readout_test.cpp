// The readout over the chart: the coordinates under the cursor rounded to
// one pixel, the nearest drawn point with its series and a ring, nothing
// outside the plot area or during a drag, and no full replot per move.
#include "chart/chart_readout.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QTest>

#include "number/number_text.h"
#include "chart/chart.h"

namespace veltrum {
namespace {

class ChartReadoutTest : public testing::Test {
 protected:
  void SetUp() override {
    chart.resize(497, 441);
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    // A move to where the mouse already is reaches no widget; every test
    // starts from this corner outside the plot area.
    QTest::mouseMove(&chart, QPoint(1, 1));
  }

  // Fixes the axes so that the left edge of the plot area is xLower, its
  // bottom edge yLower, and one pixel spans the given widths. The area
  // shrinks with wider tick labels, so the ranges settle over a few passes.
  void SetView(double xLower, double xPixel, double yLower, double yPixel) {
    for (int pass = 0; pass < 3; ++pass) {
      const QRect area = chart.axisRect()->rect();
      chart.SetAxisRange(ChartAxis::Bottom, xLower, xLower + area.width() * xPixel);
      chart.SetAxisRange(ChartAxis::Left, yLower, yLower + area.height() * yPixel);
      chart.Refresh();
    }
  }

  // The pixel dx right of the area's left edge and dy above its bottom.
  QPoint Pixel(int dx, int dy) const {
    const QRect area = chart.axisRect()->rect();
    return QPoint(area.left() + dx, area.bottom() - dy);
  }

  // Strings of the standard library, so that a failure prints the text.
  std::string Shown() const { return chart.Readout().Text().toStdString(); }
  std::string MoveTo(QPoint pos) {
    QTest::mouseMove(&chart, pos);
    return Shown();
  }

  Chart chart;
};

struct CursorRow {
  const char* name;
  double xLower, xPixel;
  int dx;
  double yLower, yPixel;
  int dy;
  const char* text;
};

TEST_F(ChartReadoutTest, ShowsTheCoordinatesUnderTheCursorToOnePixel) {
  const CursorRow rows[] = {
      {"whole units", 0, 1, 10, 0, 1, 70, "x = 10   y = 70"},
      {"tenths", 0, 0.37, 3, -2, 0.37, 2, "x = 1,1   y = -1,3"},
      {"thousands", 123, 2000, 100, 1e6, 2000, 1, "x = 200000   y = 1002000"},
      {"scientific below 0,0001", 0, 2e-7, 10, 1, 2e-7, 1, "x = 2E-6   y = 1,0000002"},
      {"zero has no sign", -1, 0.004, 250, -1, 0.004, 250, "x = 0   y = 0"},
  };
  for (const CursorRow& row : rows) {
    SCOPED_TRACE(row.name);
    SetView(row.xLower, row.xPixel, row.yLower, row.yPixel);
    EXPECT_EQ(MoveTo(Pixel(row.dx, row.dy)), row.text);
    EXPECT_FALSE(chart.Readout().Picked());
  }
}

TEST_F(ChartReadoutTest, NamesTheNearestPointOfAVisibleSeries) {
  chart.SetActive(2, false);
  SetView(0, 0.1, 0, 0.1);
  chart.AddPoint(0, 19.7, 20);    // F1, 3 px left
  chart.AddPoint(1, 20.2, 20.1);  // F2, 2.2 px
  chart.AddPoint(2, 20, 20);      // F3 right under the cursor, but hidden
  chart.AddPoint(3, 20.2, 20.1);  // F4 as near as F2: the lower series wins
  chart.AddPoint(4, 20.6, 20);    // F5, 6 px: too far
  chart.Refresh();

  EXPECT_EQ(MoveTo(Pixel(200, 200)), "F2:  x = 20,2   y = 20,1");
  ASSERT_TRUE(chart.Readout().Picked());
  EXPECT_EQ(chart.Readout().Picked()->pixel, Pixel(202, 201));
  EXPECT_EQ(MoveTo(Pixel(206, 200)), "F5:  x = 20,6   y = 20");
  EXPECT_EQ(MoveTo(Pixel(230, 200)), "x = 23   y = 20");

  // The full stored value, not the pixel's rounding.
  chart.AddPoint(5, 30, 0.479425538604203);
  chart.Refresh();
  EXPECT_EQ(MoveTo(Pixel(301, 4)), "F6:  x = 30   y = 0,479425538604203");

  // A point whose disc lies wholly outside the plot area is not drawn.
  chart.AddPoint(6, -0.4, 10);
  chart.Refresh();
  EXPECT_EQ(MoveTo(Pixel(0, 100)), "x = 0   y = 10");
}

// The search reads the value bounds of blocks of points that the series'
// drawing keeps; they must follow points appended to a block and a series
// drawn anew.
TEST_F(ChartReadoutTest, FollowsPointsAddedAndRedrawnUnderAStillCursor) {
  SetView(0, 0.1, 0, 0.1);
  for (int i = 0; i < 100; ++i) chart.AddPoint(0, i * 0.1, 5);  // F1 along y = 5, up to x = 9,9
  chart.Refresh();
  EXPECT_EQ(MoveTo(Pixel(102, 100)), "x = 10,2   y = 10");
  for (int i = 100; i < 110; ++i) chart.AddPoint(0, i * 0.1, i == 102 ? 10 : 5);
  chart.Refresh();
  EXPECT_EQ(Shown(), "F1:  x = 10,2   y = 10");
  chart.Clear(0);
  for (int i = 0; i < 110; ++i) chart.AddPoint(0, i * 0.1, 5);
  chart.Refresh();
  EXPECT_EQ(Shown(), "x = 10,2   y = 10");
}

// A point added before the last is sorted in among the others: the value
// bounds of every block after it have moved.
TEST_F(ChartReadoutTest, FindsAPointSortedInAmongTheOthers) {
  SetView(-2, 0.5, -2, 5);
  for (int i = 0; i < 1000; ++i) chart.AddPoint(0, i, 0);
  chart.Refresh();
  EXPECT_EQ(MoveTo(Pixel(4, 0)), "F1:  x = 0   y = 0");
  chart.AddPoint(0, 0, 500.5);
  chart.Refresh();
  EXPECT_EQ(MoveTo(Pixel(4, 100)), "F1:  x = 0   y = 500,5");
}

TEST_F(ChartReadoutTest, ShowsNothingOutsideThePlotAreaAndTellsTheScreenReader) {
  chart.setAccessibleDescription(QStringLiteral("chart"));
  chart.AddPoint(0, 0, 0);
  SetView(0, 0.1, 0, 0.1);
  const QRect area = chart.axisRect()->rect();
  EXPECT_EQ(MoveTo(QPoint(area.left() - 15, area.center().y())), "");  // the left axis' labels
  EXPECT_EQ(MoveTo(QPoint(area.center().x(), area.bottom() + 10)), "");
  EXPECT_EQ(MoveTo(chart.legend->outerRect().center()), "");
  EXPECT_EQ(chart.accessibleDescription().toStdString(), "chart");

  const std::string shown = MoveTo(Pixel(100, 100));
  EXPECT_EQ(shown, "x = 10   y = 10");
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&chart);
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->text(QAccessible::Description).toStdString(), shown);

  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&chart, &leave);
  EXPECT_EQ(Shown(), "");
  EXPECT_EQ(chart.accessibleDescription().toStdString(), "chart");
}

TEST_F(ChartReadoutTest, HidesDuringADragAndFollowsThePanAndTheZoom) {
  SetView(0, 0.1, 0, 0.1);
  const QPoint from = Pixel(100, 100);
  EXPECT_EQ(MoveTo(from), "x = 10   y = 10");

  // A pan keeps the point under the cursor: the readout tells the same.
  QTest::mousePress(&chart, Qt::RightButton, {}, from);
  EXPECT_EQ(MoveTo(from + QPoint(30, -20)), "");
  QTest::mouseRelease(&chart, Qt::RightButton, {}, from + QPoint(50, -20));
  EXPECT_EQ(Shown(), "x = 10   y = 10");

  const QPoint corner = from + QPoint(50, -20);
  const QPoint to = corner + QPoint(200, 100);
  QTest::mousePress(&chart, Qt::LeftButton, {}, corner);
  EXPECT_EQ(MoveTo(to), "");
  QTest::mouseRelease(&chart, Qt::LeftButton, {}, to);
  // The zoomed view is x 10..30, y 0..10; the same pixel reads in it.
  const QStringList parts = chart.Readout().Text().split(QStringLiteral("   "));
  ASSERT_EQ(parts.size(), 2);
  const double x = ReadNumberDouble(parts[0].mid(4).toStdString());
  const double y = ReadNumberDouble(parts[1].mid(4).toStdString());
  EXPECT_NEAR(x, chart.xAxis->pixelToCoord(to.x()), chart.xAxis->range().size() / 100);
  EXPECT_NEAR(y, chart.yAxis->pixelToCoord(to.y()), chart.yAxis->range().size() / 100);
  EXPECT_GT(x, 10.5);
  EXPECT_LT(y, 2);

  // A right click opens the chart's menu, which takes the mouse.
  QTest::mouseClick(&chart, Qt::RightButton, {}, to);
  EXPECT_EQ(Shown(), "");
}

TEST_F(ChartReadoutTest, AMouseMoveRepaintsOnlyTheReadout) {
  for (int k = 0; k < kSeriesCount; ++k)
    for (int i = 0; i <= 1000; ++i) chart.AddPoint(k, i / 10.0, k * 10 + (i % 7));
  SetView(0, 0.1, 0, 0.1);
  QTest::qWait(20);  // lets the queued replots of AddPoint pass
  int replots = 0;
  QObject::connect(&chart, &QCustomPlot::beforeReplot, &chart, [&replots] { ++replots; });
  for (int i = 0; i < 40; ++i) MoveTo(Pixel(10 + 7 * i, 5 * i));
  QApplication::processEvents();
  EXPECT_EQ(replots, 0);
  EXPECT_FALSE(Shown().empty());
}

}  // namespace
}  // namespace veltrum
