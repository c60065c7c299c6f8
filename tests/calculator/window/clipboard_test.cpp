// Copy and paste on the calculator display: shortcuts, the display's menu
// and the refusal of texts that are not numbers.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

#include "tests/calculator/window/window_fixture.h"

namespace veltrum {
namespace {

class ClipboardTest : public WindowTest {
 protected:
  void Paste(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(form.get(), Qt::Key_V, Qt::ControlModifier);
  }
};

TEST_F(ClipboardTest, CtrlCCopiesTheDisplayText) {
  ClickTrace("1 , 5 + 2 =");
  QGuiApplication::clipboard()->clear();
  QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "3,5");
  EXPECT_EQ(Display(), "3,5");  // Ctrl+C is no "c": the calculation stays
}

struct PasteRow {
  const char* clipboard;
  const char* display;
};

TEST_F(ClipboardTest, PastedNumbersShowInTheDisplayFormat) {
  const PasteRow rows[] = {{"2,5", "2,5"}, {"2.5", "2,5"}, {"  -0.125\n", "-0,125"}, {"1e3", "1000"}};
  for (const PasteRow& r : rows) {
    Paste(r.clipboard);
    EXPECT_EQ(Display(), r.display) << r.clipboard;
  }
  EXPECT_TRUE(dialogs.lines.empty());
}

TEST_F(ClipboardTest, PasteAppliesThePendingOperatorAndEndsTheNumber) {
  ClickTrace("2 +");
  Paste("3");
  ClickTrace("=");
  EXPECT_EQ(Display(), "5");
  Paste("12");
  ClickTrace("4");
  EXPECT_EQ(Display(), "4");
}

TEST_F(ClipboardTest, TextThatIsNotANumberIsRefused) {
  ClickTrace("7 +");
  Paste("abc");
  EXPECT_EQ(Display(), "7");
  EXPECT_EQ(dialogs.lines, std::vector<std::string>{"Information: В буфере обмена нет числа."});
  ClickTrace("1 =");  // the plus still waits
  EXPECT_EQ(Display(), "8");
}

TEST_F(ClipboardTest, DisplayMenuOffersCopyAndPaste) {
  std::unique_ptr<QMenu> menu(form->CreateDisplayMenu());
  ASSERT_EQ(menu->actions().size(), 2);
  EXPECT_EQ(menu->actions()[0]->text().toStdString(), "Копировать");
  EXPECT_EQ(menu->actions()[1]->text().toStdString(), "Вставить");
  QGuiApplication::clipboard()->setText("42");
  menu->actions()[1]->trigger();
  EXPECT_EQ(Display(), "42");
  ClickTrace("+ 1 =");
  menu->actions()[0]->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "43");
}

}  // namespace
}  // namespace veltrum
