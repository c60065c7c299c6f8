// A long run goes on in the background: the window stays live, its
// commands wait visibly, and Esc or the title-bar close end the run early.
#include <QLabel>
#include <QPushButton>

#include "plotter/sampling_run.h"
#include "tests/plotter/window/window_fixture.h"
#include "tests/support/cpu_time.h"
#include "tests/support/modal_box.h"
#include "tests/support/no_threads.h"
#include "version.h"

namespace veltrum {
namespace {

class LongRunTest : public PlotWindowTest {
 protected:
  // 1,000,001 samples of a long expression: seconds of work.
  void StartLongRun() {
    Type("txtFLeft", "-500");
    Type("txtFRight", "500");
    QTest::mouseClick(Find<QAbstractButton>("rad0001"), Qt::LeftButton);
    Type("txtMain", "sin[x]+cos[x]+sin[x]+cos[x]+sin[x]+cos[x]");
    QTest::mouseClick(Find<QAbstractButton>("cmdAdd"), Qt::LeftButton);
    ASSERT_TRUE(form.IsRunning());
    // Points reach the chart while the run goes on.
    ASSERT_TRUE(QTest::qWaitFor([&] { return chart->PointCount(0) > 0; }, 10'000));
    ASSERT_TRUE(form.IsRunning());
  }

  // The processor time the program spent from the stop to the run's end.
  double CpuMillisecondsToStop() {
    const double start = ProcessCpuMilliseconds();
    WaitForRuns();
    return ProcessCpuMilliseconds() - start;
  }
};

TEST_F(LongRunTest, EscEndsTheRunKeepingItsPointsAndTheWindowTakesCommandsAgain) {
  StartLongRun();
  for (const char* command : {"cmdAdd", "cmdClearAll", "cmdClose", "cmdReDrawAll"})
    EXPECT_FALSE(Find<QPushButton>(command)->isEnabled()) << command;
  EXPECT_FALSE(Find<QLineEdit>("txtMain")->isEnabled());
  EXPECT_TRUE(chart->isEnabled());

  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_LT(CpuMillisecondsToStop(), kStopCpuMilliseconds);
  EXPECT_TRUE(form.isVisible());
  const int points = chart->PointCount(0);
  EXPECT_GT(points, 0);
  EXPECT_LT(points, 1'000'001);
  EXPECT_EQ(Find<QProgressBar>("ProgressBar1")->value(), 0);
  EXPECT_TRUE(boxes.lines.empty());
  EXPECT_TRUE(Find<QPushButton>("cmdClearAll")->isEnabled());
  // The calculator is left as the last sample kept left it.
  EXPECT_NE(calc.Text1(), "0");

  Click("cmdClearAll");
  EXPECT_EQ(chart->PointCount(0), 0);
}

TEST_F(LongRunTest, TheTitleBarCloseEndsTheRunAndHidesTheWindow) {
  StartLongRun();
  form.close();
  EXPECT_LT(CpuMillisecondsToStop(), kStopCpuMilliseconds);
  EXPECT_FALSE(form.isVisible());
  EXPECT_GT(chart->PointCount(0), 0);
  EXPECT_EQ(Entries().size(), 1u);
}

TEST_F(LongRunTest, EscDuringRedrawAllDropsTheRunsStillWaiting) {
  Add("1");  // quick
  StartLongRun();
  QTest::keyClick(&form, Qt::Key_Escape);
  WaitForRuns();
  const int kept = chart->PointCount(1);
  Select(0);
  QTest::mouseClick(Find<QAbstractButton>("cmdReDrawAll"), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return chart->PointCount(0) > 0; }, 10'000));
  QTest::keyClick(&form, Qt::Key_Escape);
  WaitForRuns();
  // Series 0 was drawn again; the long one never started, so it keeps the
  // points of the stopped run.
  EXPECT_EQ(chart->PointCount(1), kept);
}

// A run whose threads cannot be created ends with the error box once the
// click has returned; the window goes on and the next run draws.
TEST_F(PlotWindowTest, RunWithoutThreadsShowsTheErrorBoxAndTheWindowGoesOn) {
  Type("txtMain", "x");
  {
    const NoThreads limit;
    QTest::mouseClick(Find<QPushButton>("cmdAdd"), Qt::LeftButton);
  }
  EXPECT_TRUE(boxes.lines.empty());
  WaitForRuns();
  ASSERT_EQ(boxes.lines.size(), 1u);
  const std::string expected = std::string(kApplicationTitle) + ": " + std::string(kNoThreadText);
  EXPECT_EQ(boxes.lines[0].rfind(expected, 0), 0u) << boxes.lines[0];
  EXPECT_FALSE(form.IsRunning());
  EXPECT_TRUE(Find<QPushButton>("cmdAdd")->isEnabled());
  EXPECT_EQ(chart->PointCount(0), 0);
  Click("cmdReDrawAll");
  EXPECT_EQ(chart->PointCount(0), 61);
}

// The same through the program's own box. The box opens once the click has
// returned, from the window's event loop: threads can be created again by
// then, as Qt's box needs them.
TEST(PlotWindowRealBox, RunWithoutThreadsShowsTheProgramsErrorBox) {
  QtDialogs dialogs;
  Calculator calc(&dialogs);
  TForm3 form(calc, dialogs);
  form.show();
  form.findChild<QLineEdit*>("txtMain")->setText("x");
  QString title, text;
  WhenModalBoxOpens([&](QWidget* box) {
    title = box->windowTitle();
    text = box->findChild<QLabel*>("qt_msgbox_label")->text();
  });
  {
    const NoThreads limit;
    QTest::mouseClick(form.findChild<QPushButton*>("cmdAdd"), Qt::LeftButton);
  }
  EXPECT_TRUE(title.isEmpty());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !form.IsRunning(); }, 10'000));
  EXPECT_EQ(title.toStdString(), kApplicationTitle);
  EXPECT_TRUE(text.startsWith(QString::fromUtf8(kNoThreadText))) << text.toStdString();
  auto* chart = form.findChild<Chart*>("Chart1");
  EXPECT_EQ(chart->PointCount(0), 0);
  QTest::mouseClick(form.findChild<QPushButton*>("cmdReDrawAll"), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !form.IsRunning(); }, 10'000));
  EXPECT_EQ(chart->PointCount(0), 61);
}

}  // namespace
}  // namespace veltrum
