// The main menu: its items, the periodic-table toggle, the plot and about
// windows it opens, and the function keys that reach it from anywhere in
// the program.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <functional>

#include "tests/calculator/window/window_fixture.h"

namespace veltrum {
namespace {

const QString kShowTable = "Показать таблицу Менделеева";
const QString kHideTable = "Скрыть таблицу Менделеева";

class MenuTest : public WindowTest {
 protected:
  QAction* Action(const char* name) const {
    QAction* a = form->findChild<QAction*>(name);
    EXPECT_NE(a, nullptr) << name;
    return a;
  }
  // A function key pressed where the focus is, as a person would.
  void PressIn(QWidget* w, Qt::Key key) {
    QWidget* focus = w->focusWidget() ? w->focusWidget() : w;
    QTest::keyClick(focus, key);
  }
};

TEST_F(MenuTest, ItemsCaptionsAndShortcuts) {
  auto* file = form->findChild<QMenu*>("mnuFile");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->title(), "&Файл");
  const QList<QAction*> items = file->actions();
  ASSERT_EQ(items.size(), 3);
  const struct {
    const char* name;
    QString caption;
    QKeySequence key;
  } expected[] = {{"N1", "Построение графиков", QKeySequence(Qt::Key_F2)},
                  {"N2", kShowTable, QKeySequence(Qt::Key_F3)},
                  {"mnuEnd", "Выход", QKeySequence(Qt::Key_F4)}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(items[i]->objectName(), expected[i].name);
    EXPECT_EQ(items[i]->text(), expected[i].caption);
    EXPECT_EQ(items[i]->shortcut(), expected[i].key);
  }
  const QList<QAction*> bar = form->menuBar()->actions();
  ASSERT_EQ(bar.size(), 3);
  EXPECT_EQ(bar[0]->menu(), file);
  EXPECT_EQ(bar[1]->text(), "&Сервис");
  const QList<QAction*> service = bar[1]->menu()->actions();
  ASSERT_EQ(service.size(), 2);
  EXPECT_EQ(service[0]->objectName(), "mnuTape");
  EXPECT_EQ(service[0]->text(), "Журнал вычислений");
  EXPECT_EQ(service[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_J));
  EXPECT_EQ(service[1]->objectName(), "mnuMass");
  EXPECT_EQ(service[1]->text(), "Молярная масса по формуле…");
  EXPECT_EQ(service[1]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_M));
  EXPECT_EQ(bar[2]->text(), "О программе");
  EXPECT_EQ(bar[2]->shortcut(), QKeySequence(Qt::Key_F1));
}

TEST_F(MenuTest, F3TogglesPeriodicTable) {
  QWidget* hydrogen = Find("cmdFH");
  EXPECT_EQ(form->width(), 317);
  EXPECT_EQ(Action("N2")->text(), kShowTable);
  EXPECT_FALSE(hydrogen->isVisible());

  PressIn(form.get(), Qt::Key_F3);
  EXPECT_EQ(form->width(), 768);
  EXPECT_EQ(Action("N2")->text(), kHideTable);
  EXPECT_TRUE(hydrogen->isVisible());
  EXPECT_TRUE(Find("GroupBox3")->isVisible());

  PressIn(form.get(), Qt::Key_F3);
  EXPECT_EQ(form->width(), 317);
  EXPECT_EQ(Action("N2")->text(), kShowTable);
  EXPECT_FALSE(hydrogen->isVisible());
}

TEST_F(MenuTest, F3LeavesCalculationAlone) {
  ClickTrace("2 +");
  PressIn(form.get(), Qt::Key_F3);
  ClickTrace("3 =");
  EXPECT_EQ(Display(), "5");
}

TEST_F(MenuTest, F2WithoutPlotWindowDoesNothing) {
  PressIn(form.get(), Qt::Key_F2);
  EXPECT_TRUE(form->isVisible());
}

TEST_F(MenuTest, F2ShowsPlotWindowInRadians) {
  QWidget plot;
  form->SetPlotWindow(&plot);
  ClickTrace("optGrad");
  PressIn(form.get(), Qt::Key_F2);
  EXPECT_TRUE(plot.isVisible());
  EXPECT_FALSE(form->isVisible());
  EXPECT_TRUE(Button("optRad")->isChecked());
  EXPECT_TRUE(form->calculator().Radians());
}

// F1 to F4 belong to the whole program: with the calculator hidden they
// still reach its menu from the plot window.
TEST_F(MenuTest, FunctionKeysWorkFromPlotWindow) {
  QLineEdit plot;  // a window of the program with a focused control
  form->SetPlotWindow(&plot);
  form->N1Click();
  ASSERT_FALSE(form->isVisible());
  PressIn(&plot, Qt::Key_F3);
  EXPECT_EQ(form->width(), 768);
  EXPECT_EQ(Action("N2")->text(), kHideTable);
}

TEST_F(MenuTest, F1DisablesWindowAndShowsAboutBox) {
  QWidget about;
  form->SetAboutBox(&about);
  PressIn(form.get(), Qt::Key_F1);
  EXPECT_FALSE(form->isEnabled());
  EXPECT_TRUE(about.isVisible());
  // While the calculator is disabled the function keys do nothing.
  PressIn(&about, Qt::Key_F3);
  EXPECT_EQ(form->width(), 317);
  ClickTrace("5");
  EXPECT_EQ(Display(), "0");
}

TEST_F(MenuTest, F1WithoutAboutBoxKeepsWindowEnabled) {
  PressIn(form.get(), Qt::Key_F1);
  EXPECT_TRUE(form->isEnabled());
}

// Runs the event loop until the program ends it, or fails after a while.
int RunLoopUntilEnd(std::function<void()> action) {
  QTimer::singleShot(0, action);
  QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
  return QCoreApplication::exec();
}

TEST_F(MenuTest, F4EndsProgram) {
  EXPECT_EQ(RunLoopUntilEnd([this] { PressIn(form.get(), Qt::Key_F4); }), 0);
}

TEST_F(MenuTest, ClosingWindowEndsProgram) {
  QWidget plot;
  plot.show();  // another visible window does not keep the program running
  EXPECT_EQ(RunLoopUntilEnd([this] { form->close(); }), 0);
}

}  // namespace
}  // namespace veltrum
