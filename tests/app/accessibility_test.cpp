// What a screen reader finds in the four windows: a name for every control
// a person can see, and the angle unit chosen through the option's own
// accessible action.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "app/program_windows.h"
#include "tests/support/recording_dialogs.h"

namespace veltrum {
namespace {

class AccessibilityTest : public ::testing::Test {
 protected:
  void SetUp() override { windows = std::make_unique<ProgramWindows>(dialogs); }

  RecordingDialogs dialogs;
  std::unique_ptr<ProgramWindows> windows;
};

TEST_F(AccessibilityTest, EveryVisibleControlHasAName) {
  // The calculator with its periodic table open, then each other window.
  windows->Form1.findChild<QAction*>("N2")->trigger();
  for (QWidget* window : std::initializer_list<QWidget*>{&windows->Form1, &windows->Form2, &windows->Form3,
                                                         &windows->frmSynt}) {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    int checked = 0;
    for (QWidget* w : window->findChildren<QWidget*>()) {
      // A scroll area's viewport and scroll-bar frames are not controls:
      // a screen reader meets their content as the area itself.
      if (!w->isVisible() || w->objectName().startsWith("qt_scrollarea_")) continue;
      QAccessibleInterface* control = QAccessible::queryAccessibleInterface(w);
      ASSERT_NE(control, nullptr);
      EXPECT_FALSE(control->text(QAccessible::Name).trimmed().isEmpty())
          << window->objectName().toStdString() << ": " << w->metaObject()->className() << " "
          << w->objectName().toStdString();
      ++checked;
    }
    EXPECT_GT(checked, 0) << window->objectName().toStdString();
    window->hide();
  }
}

// The plot window's bounds: each edit and its label are announced by a
// name that says which bound it is, while the window shows the design's
// short captions.
TEST_F(AccessibilityTest, EachBoundOfThePlotWindowHasANameOfItsOwn) {
  const struct {
    const char* edit;
    const char* label;
    const char* caption;
    const char* name;
  } rows[] = {
      {"txtXLeft", "Label3", "X: от", "Ось X: от"}, {"txtXRight", "Label4", "до", "Ось X: до"},
      {"txtYLeft", "Label6", "Y: от", "Ось Y: от"}, {"txtYRight", "Label5", "до", "Ось Y: до"},
      {"txtFLeft", "Label8", "от", "x: от"},        {"txtFRight", "Label9", "до", "x: до"},
  };
  for (const auto& row : rows) {
    for (const char* control : {row.edit, row.label}) {
      QWidget* w = windows->Form3.findChild<QWidget*>(control);
      ASSERT_NE(w, nullptr) << control;
      EXPECT_EQ(QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name), row.name) << control;
    }
    EXPECT_EQ(windows->Form3.findChild<QLabel*>(row.label)->text(), row.caption);
  }
}

TEST_F(AccessibilityTest, HintsAreDescriptions) {
  for (const char* name : {"Text1", "txtM2", "Image3", "cmdsin", "cmdFH"}) {
    QWidget* w = windows->Form1.findChild<QWidget*>(name);
    ASSERT_NE(w, nullptr) << name;
    QAccessibleInterface* control = QAccessible::queryAccessibleInterface(w);
    EXPECT_EQ(control->text(QAccessible::Description), w->toolTip()) << name;
    EXPECT_FALSE(w->toolTip().isEmpty()) << name;
  }
}

// A screen reader toggles the option without a click; the trigonometric
// keys must work in the unit it marks.
TEST_F(AccessibilityTest, DegreesChosenThroughTheToggleActionApply) {
  windows->Form1.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&windows->Form1));
  auto* optGrad = windows->Form1.findChild<QRadioButton*>("optGrad");
  ASSERT_FALSE(optGrad->isChecked());
  QAccessibleActionInterface* actions = QAccessible::queryAccessibleInterface(optGrad)->actionInterface();
  ASSERT_NE(actions, nullptr);
  ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
  actions->doAction(QAccessibleActionInterface::toggleAction());
  EXPECT_TRUE(optGrad->isChecked());
  for (const char* key : {"cmd3", "cmd0", "cmdsin"})
    QTest::mouseClick(windows->Form1.findChild<QAbstractButton*>(key), Qt::LeftButton);
  EXPECT_EQ(windows->Form1.findChild<QLineEdit*>("Text1")->text(), "0,5");
}

}  // namespace
}  // namespace veltrum
