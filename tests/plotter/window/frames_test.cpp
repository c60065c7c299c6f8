// The frame of the step buttons and the chart's legend, as they are drawn.
#include <QGroupBox>
#include <QRadioButton>

#include "tests/plotter/window/window_fixture.h"
#include "tests/support/frame_line.h"

namespace veltrum {
namespace {

// rad01 stands 16 pixels below the frame's top: the top line must run
// above it, through the caption "Шаг".
TEST_F(PlotWindowTest, StepFrameDrawsItsTopLineThroughTheCaption) {
  auto* frame = Find<QGroupBox>("RadioGroup1");
  const int rad01Top = Find<QRadioButton>("rad01")->y() - frame->y();
  ASSERT_EQ(rad01Top, 16);
  const int row = FirstLineRow(*frame, frame->width() - 6, frame->height() / 2);
  EXPECT_GE(row, 0);
  EXPECT_LE(row, CaptionMiddle(*frame) + 1);
  EXPECT_LT(row, rad01Top);
}

TEST_F(PlotWindowTest, LegendShowsItsWholeFrame) {
  Add("x");
  chart->replot();
  const QRect legend = chart->legend->outerRect();
  const QImage picture = chart->grab().toImage();
  ASSERT_TRUE(chart->legend->visible());
  // The right line, in a row where the legend has no item.
  const int y = legend.top() + 2;
  int line = -1;
  for (int x = legend.right() - 2; x < picture.width(); ++x)
    if (qGray(picture.pixel(x, y)) < 128) line = x;
  EXPECT_GE(line, legend.right() - 1);
  EXPECT_LT(line, picture.width());
}

}  // namespace
}  // namespace veltrum
