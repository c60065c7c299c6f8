// The syntax help window: its fixed text, set at every activation, and the
// way back to the plot window.
#include "plotter/window/syntaksys.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "tests/support/activate.h"

namespace veltrum {
namespace {

QString HelpText() { return QString::fromUtf8(kSyntaxHelpText.data(), kSyntaxHelpText.size()); }

TEST(SyntaxHelpText, Is742CharactersInTwelveLinesJoinedByCarriageReturns) {
  const QString text = HelpText();
  EXPECT_EQ(text.size(), 742);
  EXPECT_FALSE(text.contains(u'\n'));
  EXPECT_FALSE(text.endsWith(u'\r'));
  const QStringList lines = text.split(u'\r');
  ASSERT_EQ(lines.size(), 12);
  EXPECT_EQ(lines[0], "При задании функции вы можете использовать:");
  EXPECT_EQ(lines[1], "Операции: \"+\", \"-\", \"*\", \"/\", \"^\"");
  EXPECT_EQ(lines[4], "Например:");
  EXPECT_EQ(lines[6], "F(X)=x+ln[tg[x/abs[x+p]]+e].");
  // Latin "p" and "e" as typed in a function, Cyrillic "е" in the words.
  EXPECT_TRUE(lines[2].contains("\"p\"(число пи), \"e\"(число \u0435)"));
}

class SyntaxWindowTest : public testing::Test {
 protected:
  SyntaxWindowTest() : help(&plot) {
    viewer = help.findChild<QPlainTextEdit*>("RichEdit1");
    ok = help.findChild<QPushButton*>("Button1");
  }

  void Activate() {
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&help, &activate);
  }

  QString Shown() const { return viewer->toPlainText().replace(u'\n', u'\r'); }

  QWidget plot;
  TfrmSynt help;
  QPlainTextEdit* viewer = nullptr;
  QPushButton* ok = nullptr;
};

TEST_F(SyntaxWindowTest, HasItsCaptionSizeAndControls) {
  EXPECT_EQ(help.windowTitle(), "Синтаксис");
  EXPECT_EQ(help.size(), QSize(361, 256));
  ASSERT_NE(viewer, nullptr);
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(viewer->geometry(), QRect(8, 8, 345, 209));
  EXPECT_EQ(ok->geometry(), QRect(128, 224, 97, 25));
  EXPECT_EQ(ok->text(), QString::fromUtf8("\u041E\u041A"));  // Cyrillic О, К
  EXPECT_TRUE(viewer->font().bold());
  EXPECT_EQ(viewer->font().pixelSize(), 13);
}

TEST_F(SyntaxWindowTest, EveryActivationSetsTheWholeTextInTwelveLines) {
  Activate();
  EXPECT_EQ(Shown(), HelpText());
  EXPECT_EQ(viewer->document()->blockCount(), 12);
  viewer->setPlainText("something else");
  Activate();
  EXPECT_EQ(Shown(), HelpText());
}

TEST_F(SyntaxWindowTest, TheViewerIsReadOnly) {
  help.show();
  Activate();
  QTest::keyClicks(viewer, "abc");
  QTest::keyClick(viewer, Qt::Key_Backspace);
  EXPECT_EQ(Shown(), HelpText());
}

TEST_F(SyntaxWindowTest, OkAndTheTitleBarHideItAndBringBackThePlotWindow) {
  help.show();
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_FALSE(help.isVisible());
  EXPECT_TRUE(plot.isVisible());

  plot.hide();
  help.show();
  EXPECT_TRUE(help.close());
  EXPECT_FALSE(help.isVisible());
  EXPECT_TRUE(plot.isVisible());
  help.show();  // hidden, not destroyed
  EXPECT_TRUE(help.isVisible());
}

TEST_F(SyntaxWindowTest, ReturnEnterAndEscapeCloseItWhereverTheFocusIs) {
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
    for (QWidget* focus : {static_cast<QWidget*>(viewer), static_cast<QWidget*>(ok)}) {
      plot.hide();
      help.show();
      ActivateWindow(&help);
      focus->setFocus();
      QTest::keyClick(focus, key);
      EXPECT_FALSE(help.isVisible()) << key << " on " << focus->objectName().toStdString();
      EXPECT_TRUE(plot.isVisible());
    }
  }
}

}  // namespace
}  // namespace veltrum
