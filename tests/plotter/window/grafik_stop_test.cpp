// A long run can be ended with Esc; nothing else gets in while it runs.
#include <QRadioButton>
#include <QTimer>

#include "tests/plotter/window/window_fixture.h"

namespace veltrum {
namespace {

TEST_F(PlotWindowTest, EscEndsALongRunKeepingItsPointsAndIgnoresClicksMeanwhile) {
  Type("txtFLeft", "-500");
  Type("txtFRight", "500");
  Click("rad0001");
  // Once the run has shown progress, the next round of events it handles
  // brings a click, a typed key and Esc.
  bool timerFired = false;
  QProgressBar* bar = Find<QProgressBar>("ProgressBar1");
  QObject::connect(bar, &QProgressBar::valueChanged, &form, [&](int value) {
    if (value <= 0 || timerFired) return;
    timerFired = true;
    QTimer::singleShot(0, &form, [&] {
      Click("cmdClose");  // would hide the window
      QTest::keyClick(Find<QLineEdit>("txtMain"), Qt::Key_A);
      QTest::keyClick(&form, Qt::Key_Escape);
    });
  });
  Add("sin[x]+cos[x]+sin[x]+cos[x]+sin[x]+cos[x]");  // 1,000,001 samples: seconds of work

  EXPECT_TRUE(timerFired);
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(Entries(), std::vector<QString>{"1:F(X)=sin[x]+cos[x]+sin[x]+cos[x]+sin[x]+cos[x]"});
  EXPECT_EQ(Find<QLineEdit>("txtMain")->text(), "sin[x]+cos[x]+sin[x]+cos[x]+sin[x]+cos[x]");
  const int points = chart->PointCount(0);
  EXPECT_GT(points, 0);
  EXPECT_LT(points, 1'000'001);
  EXPECT_EQ(Find<QProgressBar>("ProgressBar1")->value(), 0);
  EXPECT_TRUE(boxes.lines.empty());

  Click("cmdClearAll");  // the window takes commands again
  EXPECT_EQ(chart->PointCount(0), 0);
}

}  // namespace
}  // namespace veltrum
