// The four windows together, wired as the program wires them: the menu's
// function keys reach the calculator from the real plot window.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/program_windows.h"
#include "tests/support/modal_box.h"
#include "tests/support/recording_dialogs.h"

namespace veltrum {
namespace {

class ProgramWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    windows = std::make_unique<ProgramWindows>(dialogs);
    windows->Form1.show();
    QApplication::processEvents();
  }

  // A function key pressed in a window where its focus is.
  static void PressIn(QWidget& window, Qt::Key key) {
    QWidget* focus = window.focusWidget() ? window.focusWidget() : &window;
    QTest::keyClick(focus, key);
  }

  // The plot window shown by F2, with its expression edit focused.
  QWidget& OpenPlotWindow() {
    PressIn(windows->Form1, Qt::Key_F2);
    auto* edit = windows->Form3.findChild<QLineEdit*>("txtMain");
    EXPECT_NE(edit, nullptr);
    if (edit) edit->setFocus();
    return windows->Form3;
  }

  std::string Display() const {
    return windows->Form1.findChild<QLineEdit*>("Text1")->text().toStdString();
  }

  RecordingDialogs dialogs;
  std::unique_ptr<ProgramWindows> windows;
};

TEST_F(ProgramWindowsTest, StartsWithOnlyTheNarrowCalculator) {
  EXPECT_TRUE(windows->Form1.isVisible());
  EXPECT_FALSE(windows->Form2.isVisible());
  EXPECT_FALSE(windows->Form3.isVisible());
  EXPECT_FALSE(windows->frmSynt.isVisible());
  EXPECT_EQ(windows->Form1.width(), 317);
  EXPECT_EQ(Display(), "0");
}

TEST_F(ProgramWindowsTest, F2ShowsPlotWindowInRadians) {
  windows->Form1.findChild<QAbstractButton*>("optGrad")->click();
  OpenPlotWindow();
  EXPECT_TRUE(windows->Form3.isVisible());
  EXPECT_FALSE(windows->Form1.isVisible());
  EXPECT_TRUE(windows->Form1.calculator().Radians());
  // Closing the plot window brings the calculator back, still in radians.
  windows->Form3.close();
  EXPECT_TRUE(windows->Form1.isVisible());
  EXPECT_TRUE(windows->Form1.findChild<QAbstractButton*>("optRad")->isChecked());
}

TEST_F(ProgramWindowsTest, F3FromPlotWindowTogglesTable) {
  QWidget& plot = OpenPlotWindow();
  PressIn(plot, Qt::Key_F3);
  EXPECT_EQ(windows->Form1.width(), 768);
  EXPECT_TRUE(plot.isVisible());
}

TEST_F(ProgramWindowsTest, F1FromPlotWindowThenOkShowsBoth) {
  QWidget& plot = OpenPlotWindow();
  PressIn(plot, Qt::Key_F1);
  EXPECT_TRUE(windows->Form2.isVisible());
  EXPECT_FALSE(windows->Form1.isEnabled());
  // F1 to F4 do nothing while the about box is open.
  PressIn(plot, Qt::Key_F3);
  EXPECT_EQ(windows->Form1.width(), 317);
  QTest::mouseClick(windows->Form2.findChild<QPushButton*>("Button1"), Qt::LeftButton);
  EXPECT_TRUE(windows->Form1.isVisible());
  EXPECT_TRUE(windows->Form1.isEnabled());
  EXPECT_TRUE(plot.isVisible());
}

TEST_F(ProgramWindowsTest, TypingInPlotWindowPressesNoCalculatorKey) {
  QWidget& plot = OpenPlotWindow();
  auto* edit = plot.findChild<QLineEdit*>("txtMain");
  ASSERT_NE(edit, nullptr);
  edit->clear();
  QTest::keyClicks(edit, "2+3");
  EXPECT_EQ(edit->text(), "2+3");
  EXPECT_EQ(Display(), "0");
}

TEST_F(ProgramWindowsTest, F4FromPlotWindowEndsProgram) {
  QWidget& plot = OpenPlotWindow();
  QTimer::singleShot(0, [&plot] { PressIn(plot, Qt::Key_F4); });
  QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
  EXPECT_EQ(QCoreApplication::exec(), 0);
}

// The program's real question box: its words, and Отмена keeps the program
// running with the list as it was.
TEST(ProgramExitTest, F4WithAnUnsavedListAsksAndОтменаKeepsTheProgram) {
  QtDialogs dialogs;
  ProgramWindows windows(dialogs);
  windows.Form1.show();
  QTest::keyClick(&windows.Form1, Qt::Key_F2);
  QTest::mouseClick(windows.Form3.findChild<QPushButton*>("cmdAdd"), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !windows.Form3.IsRunning(); }, 60'000));
  QString title;
  QStringList buttons;
  WhenModalBoxOpens([&](QWidget* box) {
    title = box->windowTitle();
    QPushButton* cancel = nullptr;
    for (QPushButton* b : box->findChildren<QPushButton*>()) {
      buttons << b->text();
      if (b->text() == "Отмена") cancel = b;
    }
    if (cancel) QTest::mouseClick(cancel, Qt::LeftButton);
  });
  QTimer::singleShot(0, [&] {
    QWidget& plot = windows.Form3;
    QTest::keyClick(plot.focusWidget() ? plot.focusWidget() : &plot, Qt::Key_F4);
    QTimer::singleShot(0, [] { QCoreApplication::exit(7); });
  });
  EXPECT_EQ(QCoreApplication::exec(), 7);
  EXPECT_EQ(title, "Подтверждение");
  buttons.sort();
  EXPECT_EQ(buttons, (QStringList{"Да", "Нет", "Отмена"}));
  EXPECT_TRUE(windows.Form3.isVisible());
  EXPECT_TRUE(windows.Form3.HasUnsavedSet());
}

}  // namespace
}  // namespace veltrum
