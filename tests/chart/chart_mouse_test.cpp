// The chart's mouse: a left drag right-down zooms, any other left drag
// restores the view before the first zoom, a right drag pans, and a move
// of 3 px or less is a click; a right click pops up the chart's menu.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>

#include "chart/chart.h"

namespace veltrum {
namespace {

class ChartMouseTest : public testing::Test {
 protected:
  void SetUp() override {
    chart.resize(497, 441);
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
  }

  void FixRanges() {
    chart.SetAxisRange(ChartAxis::Left, 0, 100);
    chart.SetAxisRange(ChartAxis::Bottom, 0, 100);
    chart.Refresh();
  }

  QPoint At(double x, double y) const {
    return QPoint(static_cast<int>(chart.xAxis->coordToPixel(x)),
                  static_cast<int>(chart.yAxis->coordToPixel(y)));
  }

  void Drag(Qt::MouseButton button, QPoint from, QPoint to) {
    QTest::mousePress(&chart, button, {}, from);
    QTest::mouseMove(&chart, (from + to) / 2);
    QTest::mouseMove(&chart, to);
    QTest::mouseRelease(&chart, button, {}, to);
  }

  double PixelWidth() const { return chart.xAxis->range().size() / chart.axisRect()->width(); }
  double PixelHeight() const { return chart.yAxis->range().size() / chart.axisRect()->height(); }

  Chart chart;
};

void ExpectRange(const QCPRange& actual, double lower, double upper, double tolerance) {
  EXPECT_NEAR(actual.lower, lower, tolerance);
  EXPECT_NEAR(actual.upper, upper, tolerance);
}

TEST_F(ChartMouseTest, LeftDragRightDownZoomsBothAxesToTheRectangle) {
  FixRanges();
  const double px = PixelWidth(), py = PixelHeight();
  Drag(Qt::LeftButton, At(20, 80), At(60, 40));
  ExpectRange(chart.xAxis->range(), 20, 60, 2 * px);
  ExpectRange(chart.yAxis->range(), 40, 80, 2 * py);
  EXPECT_FALSE(chart.FollowsData());
}

TEST_F(ChartMouseTest, LeftDragUpLeftRestoresTheRangesBeforeTheFirstZoom) {
  FixRanges();
  Drag(Qt::LeftButton, At(20, 80), At(60, 40));
  Drag(Qt::LeftButton, At(30, 70), At(50, 50));
  Drag(Qt::LeftButton, At(50, 50), At(40, 60));
  EXPECT_EQ(chart.xAxis->range(), QCPRange(0, 100));
  EXPECT_EQ(chart.yAxis->range(), QCPRange(0, 100));
}

TEST_F(ChartMouseTest, RestoreBringsBackAxesThatFollowTheData) {
  for (int i = 0; i <= 10; ++i) chart.AddPoint(0, i, i);
  chart.Refresh();
  Drag(Qt::LeftButton, At(2, 8), At(6, 4));
  EXPECT_FALSE(chart.FollowsData());
  Drag(Qt::LeftButton, At(6, 4), At(3, 2));
  EXPECT_TRUE(chart.FollowsData());
  chart.AddPoint(0, 50, 50);
  chart.Refresh();
  EXPECT_GE(chart.xAxis->range().upper, 50);
}

TEST_F(ChartMouseTest, RestoreWithoutZoomChangesNothing) {
  FixRanges();
  Drag(Qt::LeftButton, At(60, 40), At(20, 80));
  EXPECT_EQ(chart.xAxis->range(), QCPRange(0, 100));
  EXPECT_EQ(chart.yAxis->range(), QCPRange(0, 100));
}

TEST_F(ChartMouseTest, RightDragScrollsBothAxes) {
  FixRanges();
  const double px = PixelWidth(), py = PixelHeight();
  const QPoint from = At(50, 50);
  Drag(Qt::RightButton, from, from + QPoint(40, 20));
  // The picture follows the mouse: right moves the range left, down moves it up.
  ExpectRange(chart.xAxis->range(), -40 * px, 100 - 40 * px, 1e-9);
  ExpectRange(chart.yAxis->range(), 20 * py, 100 + 20 * py, 1e-9);
  Drag(Qt::LeftButton, At(60, 60), At(40, 40));
  EXPECT_EQ(chart.xAxis->range(), QCPRange(0, 100));
}

struct SmallMove {
  int dx, dy;
};

TEST_F(ChartMouseTest, MovesOfThreePixelsOrLessAreClicks) {
  FixRanges();
  const SmallMove moves[] = {{3, 3}, {-3, -3}, {3, -3}, {0, 0}, {-2, 3}};
  for (const SmallMove& m : moves) {
    SCOPED_TRACE(testing::Message() << m.dx << "," << m.dy);
    const QPoint from = At(50, 50);
    Drag(Qt::LeftButton, from, from + QPoint(m.dx, m.dy));
    Drag(Qt::RightButton, from, from + QPoint(m.dx, m.dy));
    EXPECT_EQ(chart.xAxis->range(), QCPRange(0, 100));
    EXPECT_EQ(chart.yAxis->range(), QCPRange(0, 100));
  }
  Drag(Qt::LeftButton, At(50, 50), At(50, 50) + QPoint(4, 4));
  EXPECT_NE(chart.xAxis->range(), QCPRange(0, 100));
}

// Black pixels on the top edge of the rectangle from `from`, over one
// period and a half of the dash pattern. Where the dashes start on the
// corner depends on the rectangle's size, so no single pixel is certain.
int BlackOnTopEdge(const QImage& image, QPoint from) {
  int black = 0;
  for (int dx = 0; dx < 9; ++dx) black += image.pixelColor(from + QPoint(dx, 0)) == QColor(Qt::black);
  return black;
}

TEST_F(ChartMouseTest, TheZoomRectangleIsDrawnWhileDragging) {
  FixRanges();
  const QPoint from = At(20, 80), to = At(60, 40);
  const int before = BlackOnTopEdge(chart.grab().toImage(), from);
  QTest::mousePress(&chart, Qt::LeftButton, {}, from);
  QTest::mouseMove(&chart, to);
  const int during = BlackOnTopEdge(chart.grab().toImage(), from);
  QTest::mouseRelease(&chart, Qt::LeftButton, {}, to);
  EXPECT_EQ(before, 0);
  EXPECT_GE(during, 4);
}

class ChartMenuTest : public ChartMouseTest {
 protected:
  void SetUp() override {
    ChartMouseTest::SetUp();
    menu.addAction(QStringLiteral("item"));
    chart.SetPopupMenu(&menu);
    FixRanges();
  }
  void TearDown() override { menu.hide(); }

  QMenu menu;
};

TEST_F(ChartMenuTest, RightClickWithoutDragPopsUpTheMenuAtTheMouse) {
  const QPoint at = At(50, 50);
  Drag(Qt::RightButton, at, at + QPoint(3, -3));
  ASSERT_TRUE(menu.isVisible());
  EXPECT_EQ(menu.pos(), chart.mapToGlobal(at + QPoint(3, -3)));
  EXPECT_EQ(chart.xAxis->range(), QCPRange(0, 100));
  EXPECT_EQ(chart.yAxis->range(), QCPRange(0, 100));
}

TEST_F(ChartMenuTest, RightDragPansAndOpensNoMenu) {
  const QPoint from = At(50, 50);
  Drag(Qt::RightButton, from, from + QPoint(4, 0));
  EXPECT_FALSE(menu.isVisible());
  EXPECT_NE(chart.xAxis->range(), QCPRange(0, 100));
}

// A drag that comes back to where it started has panned on its way.
TEST_F(ChartMenuTest, RightDragBackToThePressOpensNoMenu) {
  const QPoint from = At(50, 50);
  QTest::mousePress(&chart, Qt::RightButton, {}, from);
  QTest::mouseMove(&chart, from + QPoint(30, 30));
  QTest::mouseMove(&chart, from);
  QTest::mouseRelease(&chart, Qt::RightButton, {}, from);
  EXPECT_FALSE(menu.isVisible());
}

// The platform's own request comes with the press; only the keyboard's
// menu key is answered at once.
TEST_F(ChartMenuTest, MenuKeyOpensTheMenuButThePressRequestDoesNot) {
  QContextMenuEvent press(QContextMenuEvent::Mouse, At(50, 50), chart.mapToGlobal(At(50, 50)));
  QApplication::sendEvent(&chart, &press);
  EXPECT_FALSE(menu.isVisible());
  QContextMenuEvent key(QContextMenuEvent::Keyboard, chart.rect().center(),
                        chart.mapToGlobal(chart.rect().center()));
  QApplication::sendEvent(&chart, &key);
  EXPECT_TRUE(menu.isVisible());
}

struct Classification {
  int dx, dy;
  LeftDrag expected;
};

TEST(LeftDragRule, DirectionDecidesBetweenZoomAndRestore) {
  const Classification rows[] = {
      {10, 10, LeftDrag::Zoom},      {4, 1, LeftDrag::Zoom},       {1, 4, LeftDrag::Zoom},
      {-10, -10, LeftDrag::Restore}, {10, -10, LeftDrag::Restore}, {-10, 10, LeftDrag::Restore},
      {4, 0, LeftDrag::Restore},     {3, 3, LeftDrag::Click},      {-3, 0, LeftDrag::Click},
  };
  for (const Classification& row : rows)
    EXPECT_EQ(ClassifyLeftDrag(row.dx, row.dy), row.expected) << row.dx << "," << row.dy;
}

}  // namespace
}  // namespace veltrum
