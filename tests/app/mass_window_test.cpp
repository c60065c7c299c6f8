// The molar-mass window opened from "Сервис": the mass follows the typing,
// a wrong formula is explained without a box, and "На дисплей" enters the
// mass as an element key would. The same sums pressed key by key give the
// same display texts.
#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "app/program_windows.h"
#include "elements/formula.h"
#include "elements/window/mass_window.h"
#include "tests/calculator/window/window_fixture.h"
#include "tests/support/activate.h"

namespace veltrum {
namespace {

// The calculator window with the molar-mass window the program gives it.
class MassWindowTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    AttachMassWindow(*form);
  }
  TfrmMass* Open() {
    form->findChild<QAction*>("mnuMass")->trigger();
    auto* w = qobject_cast<TfrmMass*>(form->MassWindow());
    EXPECT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    return w;
  }
  static QLineEdit* Edit(TfrmMass* w) { return w->findChild<QLineEdit*>("txtFormula"); }
  static QString Label(TfrmMass* w, const char* name) { return w->findChild<QLabel*>(name)->text(); }
};

// Brackets do not exist on the keypad: a hydrate is pressed multiplied out.
TEST_F(MassWindowTest, KeyedSumsGiveTheFormulaTexts) {
  form->findChild<QAction*>("N2")->trigger();
  const struct {
    const char* formula;
    const char* keys;
  } cases[] = {
      {"H2O", "cmdFH * 2 + cmdFO ="},
      {"H2SO4", "cmdFH * 2 + cmdFS + cmdFO2 * 4 ="},
      {"C6H12O6", "cmdFC2 * 6 + cmdFH * 1 2 + cmdFO * 6 ="},
      {"CuSO4·5H2O", "cmdFCu + cmdFS + cmdFO * 9 + cmdFH * 1 0 ="},
      {"K4[Fe(CN)6]", "cmdFK * 4 + cmdFFe + cmdFC * 6 + cmdFN * 6 ="},
      {"Ca3(PO4)2", "cmdFCa * 3 + cmdFP * 2 + cmdFO * 8 ="},
  };
  for (const auto& c : cases) {
    ClickTrace("cmdon");
    ClickTrace(c.keys);
    EXPECT_EQ(Display(), ParseFormula(c.formula).value.text) << c.formula;
  }
}

TEST_F(MassWindowTest, TypingShowsMassAndCompositionThenTheError) {
  TfrmMass* w = Open();
  QTest::keyClicks(Edit(w), "CuSO4*5H2O");
  EXPECT_EQ(Label(w, "lblMass"), "M = 249,682 г/моль");
  EXPECT_EQ(Label(w, "lblError"), "");
  auto* table = w->findChild<QTableWidget*>("grdComposition");
  ASSERT_EQ(table->rowCount(), 4);
  EXPECT_EQ(table->item(2, 0)->text(), "O");
  EXPECT_EQ(table->item(2, 1)->text(), "9");
  EXPECT_EQ(table->item(2, 2)->text(), "143,991");
  EXPECT_EQ(table->item(2, 3)->text(), "57,67");

  QTest::keyClicks(Edit(w), "Xx");
  EXPECT_EQ(Label(w, "lblError"), "Позиция 11: Неизвестный символ элемента «Xx»");
  EXPECT_EQ(w->ErrorMark(), qMakePair(10, 2));
  EXPECT_EQ(table->rowCount(), 0);
  EXPECT_FALSE(w->findChild<QPushButton*>("cmdDisplay")->isEnabled());
  QTest::keyClick(Edit(w), Qt::Key_Return);
  EXPECT_EQ(Display(), "0");
  EXPECT_TRUE(dialogs.lines.empty());
}

TEST_F(MassWindowTest, MassJoinsTheChainAsTyped) {
  ClickTrace("2 *");
  TfrmMass* w = Open();
  Edit(w)->setText("CuSO4·5H2O");
  QTest::mouseClick(w->findChild<QPushButton*>("cmdDisplay"), Qt::LeftButton);
  EXPECT_EQ(Display(), "249,682");
  ClickTrace("=");
  EXPECT_EQ(Display(), "499,364");
  // Enter in the edit line does the same; a digit then starts a new number.
  ClickTrace("1 +");
  QTest::keyClick(Edit(w), Qt::Key_Return);
  ClickTrace("=");
  EXPECT_EQ(Display(), "250,682");
  // The tape names the mass by its formula.
  ASSERT_EQ(form->tape().Lines().size(), 2u);
  EXPECT_EQ(form->tape().Lines()[0].Text(), "2 * CuSO4·5H2O = 499,364");
  EXPECT_EQ(form->tape().Lines()[1].Text(), "1 + CuSO4·5H2O = 250,682");
}

// Reopened, the window replaces its old formula with what is typed, and
// sending a mass gives the keyboard back to the calculator.
TEST_F(MassWindowTest, ReopenedItTakesANewFormulaAndTheCalculatorTheNextKeys) {
  TfrmMass* w = Open();
  QTest::keyClicks(Edit(w), "H2SO4");
  ActivateToolWindow(w);
  QTest::keyClick(Edit(w), Qt::Key_Escape);
  EXPECT_FALSE(w->isVisible());
  for (int reopen = 0; reopen < 2; ++reopen) {  // once closed, once left open
    Open();
    EXPECT_EQ(w->focusWidget(), Edit(w));
    QTest::keyClicks(w->focusWidget(), "C2H5OH");
    EXPECT_EQ(Edit(w)->text(), "C2H5OH");
    EXPECT_EQ(Label(w, "lblMass"), "M = 46,0684 г/моль");
  }
  ActivateToolWindow(w);
  QTest::keyClick(Edit(w), Qt::Key_Return);
  EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == form.get(); }, 10000));
  EXPECT_EQ(Display(), "46,0684");
}

// The result and the error line are what a screen reader reads of them,
// through the accessibility interface, not only pixels.
TEST_F(MassWindowTest, TheResultAndTheErrorAreReadByAScreenReader) {
  TfrmMass* w = Open();
  const auto spoken = [w](const char* name) {
    QAccessibleInterface* line = QAccessible::queryAccessibleInterface(w->findChild<QLabel*>(name));
    return line->text(QAccessible::Name) + " | " + line->text(QAccessible::Description);
  };
  QTest::keyClicks(Edit(w), "H2O");
  EXPECT_EQ(spoken("lblMass"), "Молярная масса: M = 18,0148 г/моль | M = 18,0148 г/моль");
  EXPECT_EQ(spoken("lblError"), "Ошибка в формуле | ");
  QTest::keyClicks(Edit(w), "Xx");
  EXPECT_EQ(spoken("lblMass"), "Молярная масса: M = ? | M = ?");
  EXPECT_EQ(spoken("lblError"),
            "Ошибка в формуле: Позиция 4: Неизвестный символ элемента «Xx» | "
            "Позиция 4: Неизвестный символ элемента «Xx»");
}

TEST_F(MassWindowTest, EveryVisibleControlHasAName) {
  TfrmMass* w = Open();
  for (QWidget* c : w->findChildren<QWidget*>()) {
    if (!c->isVisible() || c->objectName().startsWith("qt_scrollarea_")) continue;
    EXPECT_FALSE(c->accessibleName().isEmpty()) << c->metaObject()->className();
  }
}

}  // namespace
}  // namespace veltrum
