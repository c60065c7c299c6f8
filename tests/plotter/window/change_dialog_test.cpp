// The input dialog of "Изменить" as the program shows it (QtDialogs), with
// the toolkit's Russian translation loaded as at start-up.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTranslator>

#include "calculator/calculator.h"
#include "plotter/window/grafik.h"
#include "tests/support/modal_box.h"
#include "window/dialogs.h"

namespace veltrum {
namespace {

class ChangeDialogTest : public testing::Test {
 protected:
  ChangeDialogTest() : calc(&dialogs), form(calc, dialogs) {
    if (russian.load(QLocale(QLocale::Russian), "qtbase", "_",
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
      QApplication::installTranslator(&russian);
    form.show();
  }
  ~ChangeDialogTest() override { QApplication::removeTranslator(&russian); }

  void AddAndSelect(const QString& expression) {
    auto* txtMain = form.findChild<QLineEdit*>("txtMain");
    txtMain->setText(expression);
    QTest::mouseClick(form.findChild<QPushButton*>("cmdAdd"), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form.IsRunning(); }));
    list()->setCurrentRow(0);
  }
  QListWidget* list() const { return form.findChild<QListWidget*>("ListBox1"); }
  void ClickChange() { QTest::mouseClick(form.findChild<QPushButton*>("cmdChange"), Qt::LeftButton); }

  QTranslator russian;
  QtDialogs dialogs;
  Calculator calc;
  TForm3 form;
};

TEST_F(ChangeDialogTest, OkKeepsAnEntryLongerThanTheTypingLimitWhole) {
  const QString expression = "x" + QString("+0").repeated(150);
  const QString entry = "1:F(X)=" + expression;
  ASSERT_GT(entry.size(), 255);
  AddAndSelect(expression);
  QString shown, afterTyping;
  WhenModalBoxOpens([&](QWidget* box) {
    auto* edit = box->findChild<QLineEdit*>();
    shown = edit->text();
    // The limit still stops typing.
    edit->end(false);
    QTest::keyClicks(edit, "+1");
    afterTyping = edit->text();
    box->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  });
  ClickChange();
  EXPECT_EQ(shown.toStdString(), entry.toStdString());
  EXPECT_EQ(afterTyping.toStdString(), entry.toStdString());
  EXPECT_EQ(list()->item(0)->text().toStdString(), entry.toStdString());
}

TEST_F(ChangeDialogTest, ButtonsSpeakTheToolkitsWords) {
  AddAndSelect("sin[x]");
  QStringList captions;
  WhenModalBoxOpens([&](QWidget* box) {
    auto* buttons = box->findChild<QDialogButtonBox*>();
    for (auto which : {QDialogButtonBox::Ok, QDialogButtonBox::Cancel})
      captions << buttons->button(which)->text().remove('&');
  });
  ClickChange();
  EXPECT_EQ(captions.join('|').toStdString(), "OK|Cancel");
  EXPECT_EQ(list()->item(0)->text().toStdString(), "1:F(X)=sin[x]");
}

}  // namespace
}  // namespace veltrum
