// The tape window: Ctrl+J opens it beside the calculator, its lines are
// list items a screen reader can name, and its commands recall, copy,
// clear and save.
#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QListWidget>
#include <QMenu>
#include <QScrollBar>
#include <QTemporaryDir>

#include "tests/calculator/window/window_fixture.h"
#include "tests/support/activate.h"
#include "tests/support/scripted_file_chooser.h"

namespace veltrum {
namespace {

class TapeWindowTest : public WindowTest {
 protected:
  TfrmTape* Open() {
    QTest::keyClick(form.get(), Qt::Key_J, Qt::ControlModifier);
    TfrmTape* w = form->TapeWindow();
    EXPECT_NE(w, nullptr);
    EXPECT_TRUE(w && w->isVisible());
    // Its shortcuts work while it is the active window.
    if (w) {
      ActivateToolWindow(w);
      EXPECT_EQ(QApplication::activeWindow(), w);
    }
    return w;
  }
  static QStringList Items(TfrmTape* w) {
    QStringList items;
    for (int i = 0; i < w->List()->count(); ++i) items << w->List()->item(i)->text();
    return items;
  }
  void Select(TfrmTape* w, int row) { w->List()->setCurrentRow(row); }
};

TEST_F(TapeWindowTest, CtrlJShowsTheLinesBesideTheCalculator) {
  ClickTrace("2 + 3 * 4 =");
  const QSize designSize = form->size();
  TfrmTape* w = Open();
  ClickTrace("2 ^ 1 0 = 5 / 0 =");
  EXPECT_EQ(Items(w),
            QStringList({"2 + 3 * 4 = 14", "2 ^ 10 = 1024", "5 / 0 = Произошла ошибка в вычислениях."}));
  for (int i = 0; i < w->List()->count(); ++i)
    EXPECT_EQ(w->List()->item(i)->data(Qt::AccessibleTextRole).toString(), Items(w)[i]);
  EXPECT_EQ(form->size(), designSize);
  EXPECT_GE(w->x(), form->frameGeometry().right());
  for (QWidget* c : w->findChildren<QWidget*>()) {
    if (!c->isVisible() || c->objectName().startsWith("qt_scrollarea_")) continue;
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(c)->text(QAccessible::Name).isEmpty())
        << c->metaObject()->className();
  }
  // The context menu offers every command.
  std::unique_ptr<QMenu> menu(w->CreateContextMenu());
  QStringList captions;
  for (QAction* a : menu->actions())
    if (!a->isSeparator()) captions << a->text();
  EXPECT_EQ(captions,
            QStringList({"Копировать", "Вставить результат", "Очистить журнал", "Сохранить журнал…"}));
}

// A line longer than the tape is wide wraps inside it, with no sideways
// scrolling, and keeps its whole text for the tooltip and the screen reader.
TEST_F(TapeWindowTest, ALongLineWrapsInsteadOfScrollingSideways) {
  TfrmTape* w = Open();
  ClickTrace("1 2 3 4 5 6 7 8 9 * 9 8 7 6 5 4 3 2 1 * 1 2 3 4 5 6 7 8 9 * 9 8 7 6 5 4 3 2 1 =");
  const QString text = "123456789 * 987654321 * 123456789 * 987654321 = 1,486756653005E34";
  ASSERT_EQ(Items(w), QStringList{text});
  QListWidget* list = w->List();
  const QFontMetrics metrics(list->font());
  ASSERT_GT(metrics.horizontalAdvance(text), list->viewport()->width());
  const QRect place = list->visualItemRect(list->item(0));
  EXPECT_LE(place.right(), list->viewport()->width());
  EXPECT_GE(place.height(), 2 * metrics.lineSpacing());
  EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0);
  EXPECT_EQ(list->item(0)->toolTip(), text);
  EXPECT_EQ(list->item(0)->data(Qt::AccessibleTextRole).toString(), text);
}

TEST_F(TapeWindowTest, EnterAndDoubleClickRecallAResultAsAPastedNumber) {
  ClickTrace("2 + 3 = 1 0 * 4 =");
  TfrmTape* w = Open();
  ClickTrace("7 *");
  Select(w, 0);
  QTest::keyClick(w->List(), Qt::Key_Return);
  EXPECT_EQ(Display(), "5");
  ClickTrace("=");
  EXPECT_EQ(Display(), "35");
  QApplication::processEvents();
  const QRect rect = w->List()->visualItemRect(w->List()->item(1));
  ASSERT_FALSE(rect.isEmpty());
  QTest::mouseClick(w->List()->viewport(), Qt::LeftButton, {}, rect.center());
  QTest::mouseDClick(w->List()->viewport(), Qt::LeftButton, {}, rect.center());
  EXPECT_EQ(Display(), "40");
  EXPECT_EQ(Items(w).last(), "7 * 5 = 35");
  EXPECT_TRUE(dialogs.lines.empty());
}

TEST_F(TapeWindowTest, AnErrorLineRecallsNothing) {
  ClickTrace("5 / 0 = 8");
  TfrmTape* w = Open();
  Select(w, 0);
  QTest::keyClick(w->List(), Qt::Key_Return);
  EXPECT_EQ(Display(), "8");
  EXPECT_FALSE(w->findChild<QAction*>("mnuTapeRecall")->isEnabled());
}

TEST_F(TapeWindowTest, CtrlCCopiesTheSelectedLinesAndClearEmptiesTheTapeAfterAsking) {
  ClickTrace("1 + 1 = 2 * 3 = 9 - 4 =");
  TfrmTape* w = Open();
  w->List()->item(0)->setSelected(true);
  w->List()->item(2)->setSelected(true);
  w->List()->item(1)->setSelected(false);
  QTest::keyClick(w->List(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "1 + 1 = 2\n9 - 4 = 5");
  // Clearing asks first; Нет keeps every line.
  w->findChild<QAction*>("mnuTapeClear")->trigger();
  EXPECT_EQ(dialogs.Take(),
            std::vector<std::string>{"Подтверждение: Очистить журнал вычислений? Его строки не вернуть."});
  EXPECT_EQ(w->List()->count(), 3);
  dialogs.Reply(true);
  w->findChild<QAction*>("mnuTapeClear")->trigger();
  EXPECT_EQ(w->List()->count(), 0);
  EXPECT_TRUE(form->tape().Lines().empty());
  ClickTrace("=");
  EXPECT_EQ(Items(w), QStringList({"5 - 4 = 1"}));
}

TEST_F(TapeWindowTest, SaveWritesUtf8LinesAndAFailedSaveSaysSo) {
  ClickTrace("cmdFCu + 2 * cmdFO = 5 / 0 =");
  TfrmTape* w = Open();
  ScriptedFileChooser files;
  w->SetFileChooser(files);
  QTemporaryDir dir;
  files.answerPath = dir.filePath("журнал.txt");
  w->SaveClick();
  QFile saved(*files.answerPath);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll().toStdString(), "Cu + 2 * O = 95,544\n5 / 0 = Произошла ошибка в вычислениях.\n");
  EXPECT_TRUE(dialogs.lines.size() == 1);  // the error box of 5 / 0

  files.answerPath = dir.filePath("нет/журнал.txt");
  w->SaveClick();
  ASSERT_EQ(dialogs.lines.size(), 2u);
  EXPECT_EQ(dialogs.lines[1].rfind("Error: Не удалось сохранить журнал: ", 0), 0u) << dialogs.lines[1];
  EXPECT_FALSE(QFile::exists(*files.answerPath));
}

}  // namespace
}  // namespace veltrum
