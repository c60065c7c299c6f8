// Chart1 as the plot window uses it: series, legend, axes, repaints.
#include "chart/chart.h"

#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>
#include <vector>

namespace veltrum {
namespace {

class ChartTest : public testing::Test {
 protected:
  ChartTest() {
    chart.resize(497, 441);
    QObject::connect(&chart, &QCustomPlot::afterReplot, [this] { ++replots; });
  }

  std::vector<QString> LegendNames() const {
    std::vector<QString> names;
    for (int i = 0; i < chart.legend->itemCount(); ++i)
      if (auto* item = qobject_cast<QCPPlottableLegendItem*>(chart.legend->item(i)))
        names.push_back(item->plottable()->name());
    return names;
  }

  void AddLine(int series, double from, double to, int points) {
    ChartUpdate update(chart);
    for (int i = 0; i < points; ++i) {
      const double x = from + (to - from) * i / (points - 1);
      chart.AddPoint(series, x, 2 * x);
    }
  }

  Chart chart;
  int replots = 0;
};

struct StyleRow {
  const char* name;
  QColor colour;
};

TEST_F(ChartTest, TenSeriesDrawDiscsInTheirColoursWithoutLinesAndEdgedLegendMarkers) {
  const StyleRow rows[] = {
      {"F1", QColor(255, 0, 0)},   {"F2", QColor(0, 128, 0)},     {"F3", QColor(255, 255, 0)},
      {"F4", QColor(0, 0, 255)},   {"F5", QColor(255, 255, 255)}, {"F6", QColor(128, 128, 128)},
      {"F7", QColor(255, 0, 255)}, {"F8", QColor(0, 128, 128)},   {"F9", QColor(0, 0, 128)},
      {"F10", QColor(128, 0, 0)},
  };
  ASSERT_EQ(chart.graphCount(), kSeriesCount);
  for (int i = 0; i < kSeriesCount; ++i) {
    SCOPED_TRACE(rows[i].name);
    QCPGraph* graph = chart.graph(i);
    EXPECT_EQ(graph->name(), QString::fromLatin1(rows[i].name));
    EXPECT_EQ(graph->lineStyle(), QCPGraph::lsNone);
    // The scatter style is the legend's marker: a disc of the series'
    // colour in a dark grey edge, so that the white F5 shows on the white
    // legend. How far a point's disc reaches is tested on the picture below.
    const QCPScatterStyle& style = graph->scatterStyle();
    EXPECT_EQ(style.shape(), QCPScatterStyle::ssCircle);
    EXPECT_EQ(style.brush().color(), rows[i].colour);
    EXPECT_EQ(style.pen().color(), QColor(0x40, 0x40, 0x40));
    EXPECT_EQ(style.size(), 8.0);
    EXPECT_TRUE(graph->adaptiveSampling());
  }
}

TEST_F(ChartTest, InactiveSeriesIsHiddenAndLeavesTheLegendButKeepsItsPoints) {
  for (int i = 0; i < kSeriesCount; ++i) chart.SetActive(i, false);
  EXPECT_FALSE(chart.legend->visible());
  AddLine(2, 0, 1, 5);
  chart.SetActive(2, true);
  chart.SetActive(0, true);
  EXPECT_EQ(LegendNames(), (std::vector<QString>{"F1", "F3"}));
  EXPECT_EQ(chart.legend->iconSize().width(), 40);

  chart.SetActive(2, false);
  EXPECT_FALSE(chart.graph(2)->visible());
  EXPECT_EQ(chart.PointCount(2), 5);
  EXPECT_EQ(LegendNames(), (std::vector<QString>{"F1"}));
}

TEST_F(ChartTest, AxesFollowTheDataUntilARangeIsSet) {
  AddLine(0, -3, 3, 61);
  chart.Refresh();
  EXPECT_LE(chart.xAxis->range().lower, -3);
  EXPECT_GE(chart.xAxis->range().upper, 3);
  EXPECT_LE(chart.yAxis->range().lower, -6);
  EXPECT_GE(chart.yAxis->range().upper, 6);
  EXPECT_LT(chart.xAxis->range().upper, 3.5);

  chart.SetAxisRange(ChartAxis::Left, -10, 10);
  chart.SetAxisRange(ChartAxis::Bottom, -1, 2);
  AddLine(1, -50, 50, 11);
  chart.Refresh();
  EXPECT_EQ(chart.yAxis->range(), QCPRange(-10, 10));
  EXPECT_EQ(chart.xAxis->range(), QCPRange(-1, 2));
  EXPECT_FALSE(chart.FollowsData());
}

TEST_F(ChartTest, HiddenSeriesDoNotWidenTheAxes) {
  AddLine(0, 0, 1, 3);
  AddLine(1, -100, 100, 3);
  chart.SetActive(1, false);
  chart.Refresh();
  EXPECT_GT(chart.xAxis->range().lower, -1);
  EXPECT_LT(chart.xAxis->range().upper, 2);
}

TEST_F(ChartTest, PointsAddedInAnUpdateArePaintedOnceAtItsEnd) {
  QTest::qWait(20);  // the replot queued at construction
  replots = 0;
  chart.BeginUpdate();
  for (int i = 0; i < 1000; ++i) chart.AddPoint(0, i, i);
  chart.Clear(1);
  QTest::qWait(20);
  EXPECT_EQ(replots, 0);
  chart.EndUpdate();
  EXPECT_EQ(replots, 1);
  EXPECT_EQ(chart.PointCount(0), 1000);
}

TEST_F(ChartTest, ClearRemovesEveryPointAndRepaintsAtOnce) {
  AddLine(0, 0, 1, 10);
  replots = 0;
  chart.Clear(0);
  EXPECT_EQ(chart.PointCount(0), 0);
  EXPECT_EQ(replots, 1);
}

// The light series are edged in dark grey so that they stand out from the
// plot area; the others are plain discs.
TEST_F(ChartTest, APointIsPaintedAsADiscInItsSeriesColourEdgedWhenLight) {
  const QColor edge(0x40, 0x40, 0x40);
  const struct {
    const char* name;
    int series;
    QColor colour;
    QColor rim;
  } rows[] = {
      {"F4 blue", 3, QColor(0, 0, 255), QColor(0, 0, 255)},
      {"F3 yellow", 2, QColor(255, 255, 0), edge},
      {"F5 white", 4, QColor(255, 255, 255), edge},
  };
  chart.SetAxisRange(ChartAxis::Left, 0, 10);
  chart.SetAxisRange(ChartAxis::Bottom, 0, 10);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    for (int i = 0; i < kSeriesCount; ++i) chart.Clear(i);
    chart.AddPoint(row.series, 5, 5);
    chart.Refresh();
    const QImage picture = chart.grab().toImage();
    const QPoint centre(qRound(chart.xAxis->coordToPixel(5)), qRound(chart.yAxis->coordToPixel(5)));
    EXPECT_EQ(picture.pixelColor(centre), row.colour);
    EXPECT_EQ(picture.pixelColor(centre + QPoint(2, 0)), row.colour);
    EXPECT_EQ(picture.pixelColor(centre + QPoint(3, 0)), row.rim);
    EXPECT_EQ(picture.pixelColor(centre + QPoint(0, -3)), row.rim);
    EXPECT_NE(picture.pixelColor(centre + QPoint(4, 0)), row.colour);
    EXPECT_NE(picture.pixelColor(centre + QPoint(3, 3)), row.colour);
  }
}

TEST_F(ChartTest, TickLabelsWriteTheDecimalComma) {
  chart.SetAxisRange(ChartAxis::Bottom, -1, 1);
  chart.SetAxisRange(ChartAxis::Left, -3000000, 3000000);
  chart.replot();
  const QStringList bottom = chart.xAxis->tickVectorLabels().toList();
  EXPECT_TRUE(bottom.contains("-0,5")) << bottom.join(' ').toStdString();
  EXPECT_TRUE(bottom.contains("0,5")) << bottom.join(' ').toStdString();
  const QStringList left = chart.yAxis->tickVectorLabels().toList();
  // The minus of the display, not a typographic one.
  EXPECT_TRUE(std::any_of(left.begin(), left.end(), [](const QString& l) { return l.startsWith(u'-'); }))
      << left.join(' ').toStdString();
  for (const QString& label : bottom + left) {
    EXPECT_FALSE(label.contains(u'.')) << label.toStdString();
    EXPECT_FALSE(label.contains(u'\u00A0')) << label.toStdString();  // no group separator
  }
}

TEST_F(ChartTest, PointsOutOfOrderAreKeptInAscendingX) {
  chart.AddPoint(0, 2, 20);
  chart.AddPoint(0, 1, 10);
  chart.AddPoint(0, 3, 30);
  auto data = chart.graph(0)->data();
  ASSERT_EQ(data->size(), 3);
  EXPECT_EQ(data->at(0)->key, 1);
  EXPECT_EQ(data->at(1)->key, 2);
  EXPECT_EQ(data->at(2)->key, 3);
}

}  // namespace
}  // namespace veltrum
