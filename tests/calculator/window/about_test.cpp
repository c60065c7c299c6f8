// The about box and its hold on the calculator window.
#include <QLabel>
#include <QPushButton>
#include <QWindow>

#include "calculator/window/about.h"
#include "tests/calculator/window/window_fixture.h"
#include "version.h"

namespace veltrum {
namespace {

class AboutTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    about = std::make_unique<TForm2>(form.get());
    form->SetAboutBox(about.get());
  }
  void TearDown() override { about.reset(); }

  void PressF1(QWidget* window) {
    QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, Qt::Key_F1);
  }

  std::unique_ptr<TForm2> about;
};

TEST_F(AboutTest, Layout) {
  EXPECT_EQ(about->windowTitle(), "О программе");
  EXPECT_EQ(about->size(), QSize(323, 347));
  EXPECT_EQ(about->minimumSize(), about->maximumSize());
  EXPECT_EQ(about->pos(), QPoint(157, 62));
  EXPECT_FALSE(about->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(about->isVisible());
  const struct {
    const char* name;
    const char* text;  // empty: the project's own line
    QPoint place;
    int pixels;
    bool blue;
  } lines[] = {
      {"Label2", kApplicationTitle, {8, 8}, 27, false},
      {"Label3", "автор:", {136, 48}, 19, false},
      {"Label4", "", {48, 72}, 32, false},
      {"Label5", "", {48, 112}, 32, false},
      {"Label1", "", {40, 152}, 21, false},
      {"Label6", "С вопросами и предложениями", {48, 184}, 15, false},
      {"Label7", "обращаться по адресу:", {80, 208}, 15, false},
      {"Label8", "", {56, 224}, 19, true},
      {"Label9", "", {64, 248}, 19, true},
      {"Label10", "", {48, 272}, 19, true},
  };
  for (const auto& line : lines) {
    auto* label = about->findChild<QLabel*>(line.name);
    ASSERT_NE(label, nullptr) << line.name;
    if (*line.text) {
      EXPECT_EQ(label->text(), QString::fromUtf8(line.text));
    }
    EXPECT_FALSE(label->text().isEmpty()) << line.name;
    EXPECT_EQ(label->pos(), line.place) << line.name;
    EXPECT_EQ(label->font().pixelSize(), line.pixels) << line.name;
    EXPECT_TRUE(label->font().bold()) << line.name;
    EXPECT_EQ(label->palette().color(QPalette::WindowText) == QColor(Qt::blue), line.blue) << line.name;
    // The whole text fits inside the box.
    EXPECT_LE(label->geometry().right(), 323) << line.name;
  }
  auto* ok = about->findChild<QPushButton*>("Button1");
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->text(), "OK");
  EXPECT_EQ(ok->geometry(), QRect(8, 304, 305, 33));
}

TEST_F(AboutTest, F1DisablesCalculatorAndOkEnablesIt) {
  PressF1(form.get());
  EXPECT_FALSE(form->isEnabled());
  EXPECT_TRUE(about->isVisible());
  // kept above the calculator by the window manager
  EXPECT_EQ(about->windowHandle()->transientParent(), form->windowHandle());
  ClickTrace("5");
  EXPECT_EQ(Display(), "0");

  QTest::mouseClick(about->findChild<QPushButton*>("Button1"), Qt::LeftButton);
  EXPECT_FALSE(about->isVisible());
  EXPECT_TRUE(form->isEnabled());
  EXPECT_TRUE(form->isVisible());
  ClickTrace("5");
  EXPECT_EQ(Display(), "5");
}

TEST_F(AboutTest, CloseButtonActsAsOk) {
  PressF1(form.get());
  ASSERT_FALSE(form->isEnabled());
  about->close();
  EXPECT_FALSE(about->isVisible());
  EXPECT_TRUE(form->isEnabled());
}

TEST_F(AboutTest, FunctionKeysDoNothingWhileOpen) {
  PressF1(form.get());
  for (Qt::Key key : {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3}) QTest::keyClick(about.get(), key);
  EXPECT_EQ(form->width(), 317);
  EXPECT_TRUE(about->isVisible());
  EXPECT_FALSE(form->isEnabled());
}

// The title-bar close of the disabled calculator window (or Alt+F4 sent by
// the window manager) would end the program under the open box.
TEST_F(AboutTest, CloseRequestIgnoredWhileOpen) {
  PressF1(form.get());
  ASSERT_FALSE(form->isEnabled());
  EXPECT_FALSE(form->close());
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(about->isVisible());
  QTest::mouseClick(about->findChild<QPushButton*>("Button1"), Qt::LeftButton);
  EXPECT_TRUE(form->isEnabled());
}

// F1 from the plot window: dismissing the box brings the calculator back
// while the plot window stays.
TEST_F(AboutTest, FromPlotWindowBothStayVisible) {
  QLineEdit plot;
  form->SetPlotWindow(&plot);
  form->N1Click();
  ASSERT_FALSE(form->isVisible());
  PressF1(&plot);
  EXPECT_TRUE(about->isVisible());
  QTest::mouseClick(about->findChild<QPushButton*>("Button1"), Qt::LeftButton);
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(form->isEnabled());
  EXPECT_TRUE(plot.isVisible());
}

}  // namespace
}  // namespace veltrum
