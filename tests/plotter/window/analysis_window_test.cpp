// The analysis window opened from the plot window, offscreen, on the real
// calculator core.
#include "plotter/window/analysis_window.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include "plotter/sampling_workers.h"
#include "tests/plotter/window/window_fixture.h"
#include "tests/support/cpu_time.h"
#include "tests/support/modal_box.h"
#include "tests/support/no_threads.h"
#include "tests/support/scripted_file_chooser.h"
#include "version.h"

namespace veltrum {
namespace {

class AnalysisWindowTest : public PlotWindowTest {
 protected:
  // Ctrl+I in the plot window, then the search's end.
  TfrmAnalysis& OpenFor(const QString& expression, const char* from, const char* to) {
    Type("txtFLeft", from);
    Type("txtFRight", to);
    Add(expression);
    QTest::keyClick(&form, Qt::Key_I, Qt::ControlModifier);
    TfrmAnalysis* w = form.AnalysisWindow();
    EXPECT_NE(w, nullptr);
    WaitForSearch(*w);
    return *w;
  }

  static void WaitForSearch(const TfrmAnalysis& w) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.IsRunning(); }, 60'000));
  }

  static std::vector<QString> Rows(const TfrmAnalysis& w) {
    std::vector<QString> rows;
    for (int i = 0; i < w.Results()->count(); ++i) rows.push_back(w.Results()->item(i)->text());
    return rows;
  }
};

TEST_F(AnalysisWindowTest, ListsZerosExtremaAndTheIntegralOfSine) {
  TfrmAnalysis& w = OpenFor("sin[x]", "-4", "4");
  EXPECT_EQ(w.windowTitle(), "Анализ функции");
  const std::vector<QString> rows = Rows(w);
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(rows[0], "Нуль: x = -3,14159265358979; y = -3,23846172363808E-15");
  EXPECT_EQ(rows[1], "Минимум: x = -1,570796; y = -1");
  EXPECT_EQ(rows[2], "Нуль: x = 0; y = 0");
  EXPECT_EQ(rows[3], "Максимум: x = 1,570796; y = 1");
  EXPECT_TRUE(rows[4].startsWith("Нуль: x = 3,14159265358979"));
  EXPECT_EQ(rows[5], "Интеграл = 0");
  EXPECT_TRUE(w.Results()->hasFocus() || !w.isActiveWindow());
}

TEST_F(AnalysisWindowTest, ARowIsMarkedOnTheChartAndTheIntegralShadedUntilTheWindowCloses) {
  TfrmAnalysis& w = OpenFor("sin[x]", "-4", "4");
  w.Results()->setCurrentRow(3);
  EXPECT_TRUE(chart->HasMark());
  EXPECT_TRUE(chart->accessibleDescription().startsWith("Максимум\nx = 1,570796\n"));
  w.Results()->setCurrentRow(5);
  EXPECT_FALSE(chart->HasMark());
  EXPECT_TRUE(chart->HasShading());
  w.close();
  EXPECT_FALSE(chart->HasShading());
}

TEST_F(AnalysisWindowTest, EnterSendsTheSelectedXToTheDisplayAsAPastedNumber) {
  TfrmAnalysis& w = OpenFor("sin[x]", "-4", "4");
  w.Results()->setCurrentRow(4);
  QTest::keyClick(w.Results(), Qt::Key_Return);
  EXPECT_EQ(calc.Text1(), "3,14159265358979");
  w.Results()->setCurrentRow(3);
  QTest::mouseClick(w.findChild<QAbstractButton*>("optSendY"), Qt::LeftButton);
  QTest::mouseClick(w.findChild<QAbstractButton*>("cmdSend"), Qt::LeftButton);
  EXPECT_EQ(calc.Text1(), "1");
}

TEST_F(AnalysisWindowTest, CtrlCCopiesTheSelectedRows) {
  TfrmAnalysis& w = OpenFor("x^2-2", "0", "3");
  w.Results()->selectAll();
  QTest::keyClick(w.Results(), Qt::Key_C, Qt::ControlModifier);
  const std::vector<QString> rows = Rows(w);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], "Нуль: x = 1,41421356237309; y = -1,4210854715202E-14");
  EXPECT_EQ(QApplication::clipboard()->text(), rows[0] + "\n" + rows[1] + "\n");
}

TEST_F(AnalysisWindowTest, AFunctionChangedInThePlotWindowLosesItsFindingsAndMarks) {
  TfrmAnalysis& w = OpenFor("sin[x]", "-4", "4");
  w.Results()->setCurrentRow(0);
  ASSERT_TRUE(chart->HasMark());
  Select(0);
  boxes.Answer(QString("1:F(X)=cos[x]"));
  Click("cmdChange");
  EXPECT_EQ(w.Results()->count(), 0);
  EXPECT_FALSE(chart->HasMark());
}

// Whatever changes the plot window's list, both choices follow it at once,
// and a function that changed, went or was wiped off the chart loses its
// findings and its ring.
TEST_F(AnalysisWindowTest, EveryChangeOfTheListReachesBothChoices) {
  QTemporaryDir dir;
  ScriptedFileChooser chooser;
  form.SetFileChooser(chooser);
  const QString set = dir.filePath("two.vfs");
  QFile file(set);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("F(X)=cos[x]\nF(X)=x^2-1\n");
  file.close();
  const struct {
    const char* what;
    std::function<void()> change;
    QStringList entries;
    bool dropped;
  } rows[] = {
      {"Добавить", [&] { Add("cos[x]"); }, {"1:F(X)=sin[x]", "2:F(X)=x/2", "3:F(X)=-x/4", "4:F(X)=cos[x]"}, false},
      {"Изменить another",
       [&] {
         Select(0);
         boxes.Answer(QString("1:F(X)=tg[x]"));
         Click("cmdChange");
       },
       {"1:F(X)=tg[x]", "2:F(X)=x/2", "3:F(X)=-x/4"},
       false},
      {"Удалить",
       [&] {
         Select(0);
         Click("cmdDelete");
       },
       {"1:F(X)=x/2", "2:F(X)=-x/4"},
       true},
      {"Очистить все", [&] { Click("cmdClearAll"); }, {"1:F(X)=sin[x]", "2:F(X)=x/2", "3:F(X)=-x/4"}, true},
      {"a set opened in its place",
       [&] {
         chooser.answerPath = set;
         boxes.Reply(true);
         Find<QAction>("mnuOpenSet")->trigger();
         WaitForRuns();
       },
       {"1:F(X)=cos[x]", "2:F(X)=x^2-1"},
       true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    list->clear();
    for (const char* expression : {"sin[x]", "x/2", "-x/4"}) Add(expression);
    Select(2);
    Find<QAction>("mnuAnalysis")->trigger();
    TfrmAnalysis& w = *form.AnalysisWindow();
    WaitForSearch(w);
    w.Results()->setCurrentRow(0);
    ASSERT_TRUE(chart->HasMark());
    row.change();
    auto* function = w.findChild<QComboBox*>("cboFunction");
    auto* second = w.findChild<QComboBox*>("cboSecond");
    QStringList functions, seconds;
    for (int i = 0; i < function->count(); ++i) functions << function->itemText(i);
    for (int i = 1; i < second->count(); ++i) seconds << second->itemText(i);
    EXPECT_EQ(functions, row.entries);
    QStringList others = row.entries;
    others.removeAt(function->currentIndex());
    EXPECT_EQ(seconds, others);
    EXPECT_EQ(w.Results()->count() == 0, row.dropped);
    EXPECT_EQ(chart->HasMark(), !row.dropped);
    w.close();
  }
}

// The number text refuses what does not fit; the window says why.
TEST_F(AnalysisWindowTest, AnIntegralBeyondTheDoubleRangeIsARowThatSaysWhy) {
  TfrmAnalysis& w = OpenFor("10^308", "-3", "3");
  EXPECT_EQ(Rows(w), std::vector<QString>{"Интеграл не вычислен: значение слишком велико."});
  EXPECT_TRUE(w.isVisible());
}

// A row longer than the list is wide wraps inside it, and keeps its whole
// text for the tooltip and the screen reader.
TEST_F(AnalysisWindowTest, ALongRowWrapsInsteadOfBeingCut) {
  TfrmAnalysis& w = OpenFor("sqrt[x]", "-1,23456789012345", "1");
  const QString text = "Интеграл не вычислен: функция не определена при x = -1,23456789012345.";
  ASSERT_EQ(Rows(w).back(), text);
  QListWidget* rows = w.Results();
  const QListWidgetItem* row = rows->item(rows->count() - 1);
  const QFontMetrics metrics(rows->font());
  ASSERT_GT(metrics.horizontalAdvance(text), rows->viewport()->width());
  const QRect place = rows->visualItemRect(row);
  EXPECT_LE(place.right(), rows->viewport()->width());
  EXPECT_GE(place.height(), 2 * metrics.lineSpacing());
  EXPECT_EQ(rows->horizontalScrollBar()->maximum(), 0);
  EXPECT_EQ(row->toolTip(), text);
  EXPECT_EQ(row->data(Qt::AccessibleTextRole).toString(), text);
}

TEST_F(AnalysisWindowTest, ARefusedRangeShowsTheSamplingRunsMessage) {
  TfrmAnalysis& w = OpenFor("x", "-1", "1");
  boxes.lines.clear();
  QLineEdit* to = w.findChild<QLineEdit*>("txtTo");
  to->setText("-1");
  QTest::mouseClick(w.findChild<QAbstractButton*>("cmdFind"), Qt::LeftButton);
  EXPECT_EQ(boxes.lines, std::vector<std::string>{kRangeMessage});
  EXPECT_EQ(w.Results()->count(), 0);
}

TEST_F(AnalysisWindowTest, TheValueAtAPointIsTheSampleValue) {
  TfrmAnalysis& w = OpenFor("sin[x]", "-4", "4");
  QLineEdit* x = w.findChild<QLineEdit*>("txtPointX");
  QTest::keyClicks(x, "0,5");
  EXPECT_EQ(w.findChild<QLabel*>("lblPointY")->text(), "F(x) = 0,479425538604203");
  x->setText("abc");
  EXPECT_EQ(w.findChild<QLabel*>("lblPointY")->text(), "F(x) = —");
}

// The largest range the plot window allows (9 999 001 samples): Esc in the
// middle of the search is answered within a few evaluations.
TEST_F(AnalysisWindowTest, EscStopsTheLargestSearchAtOnceAndTheWindowStaysLive) {
  TfrmAnalysis& w = OpenFor("sin[x]", "-4", "4");
  w.findChild<QLineEdit*>("txtFrom")->setText("-4999");
  w.findChild<QLineEdit*>("txtTo")->setText("5000");
  w.findChild<QComboBox*>("cboStep")->setCurrentIndex(2);
  QTest::mouseClick(w.findChild<QAbstractButton*>("cmdFind"), Qt::LeftButton);
  ASSERT_TRUE(w.IsRunning());
  EXPECT_FALSE(w.findChild<QAbstractButton*>("cmdFind")->isEnabled());
  QTest::qWait(300);
  ASSERT_TRUE(w.IsRunning());
  const double start = ProcessCpuMilliseconds();
  QTest::keyClick(&w, Qt::Key_Escape);
  WaitForSearch(w);
  EXPECT_LT(ProcessCpuMilliseconds() - start, kStopCpuMilliseconds);
  EXPECT_EQ(w.findChild<QLabel*>("lblStatus")->text(), "Поиск остановлен.");
  EXPECT_TRUE(w.isVisible());
  EXPECT_TRUE(w.findChild<QAbstractButton*>("cmdFind")->isEnabled());
}

// Threads that cannot be created end the search with the error box, as a
// plot run's do; the window goes on and the next search finds.
TEST_F(AnalysisWindowTest, ASearchWithoutThreadsShowsTheErrorBoxAndTheWindowGoesOn) {
  TfrmAnalysis& w = OpenFor("sin[x]", "-4", "4");
  boxes.lines.clear();
  {
    const NoThreads limit;
    QTest::mouseClick(w.findChild<QAbstractButton*>("cmdFind"), Qt::LeftButton);
  }
  WaitForSearch(w);
  ASSERT_EQ(boxes.lines.size(), 1u);
  const std::string expected = std::string(kApplicationTitle) + ": " + std::string(kNoThreadText);
  EXPECT_EQ(boxes.lines[0].rfind(expected, 0), 0u) << boxes.lines[0];
  EXPECT_EQ(w.Results()->count(), 0);
  ASSERT_TRUE(w.findChild<QAbstractButton*>("cmdFind")->isEnabled());
  QTest::mouseClick(w.findChild<QAbstractButton*>("cmdFind"), Qt::LeftButton);
  WaitForSearch(w);
  EXPECT_EQ(Rows(w).size(), 6u);
}

// The same through the program's real box.
TEST(AnalysisWindowRealBox, ASearchWithoutThreadsShowsTheProgramsErrorBox) {
  QtDialogs dialogs;
  Calculator calc(&dialogs);
  TForm3 form(calc, dialogs);
  form.show();
  form.findChild<QLineEdit*>("txtMain")->setText("x");
  QTest::mouseClick(form.findChild<QPushButton*>("cmdAdd"), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !form.IsRunning(); }, 60'000));
  QTest::keyClick(&form, Qt::Key_I, Qt::ControlModifier);
  TfrmAnalysis* w = form.AnalysisWindow();
  ASSERT_NE(w, nullptr);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !w->IsRunning(); }, 60'000));
  QString title, text;
  WhenModalBoxOpens([&](QWidget* box) {
    title = box->windowTitle();
    text = box->findChild<QLabel*>("qt_msgbox_label")->text();
  });
  {
    const NoThreads limit;
    QTest::mouseClick(w->findChild<QPushButton*>("cmdFind"), Qt::LeftButton);
  }
  ASSERT_TRUE(QTest::qWaitFor([&] { return !w->IsRunning(); }, 60'000));
  EXPECT_EQ(title.toStdString(), kApplicationTitle);
  EXPECT_TRUE(text.startsWith(QString::fromUtf8(kNoThreadText))) << text.toStdString();
  EXPECT_TRUE(w->isVisible());
}

TEST_F(AnalysisWindowTest, EveryControlHasAnAccessibleName) {
  TfrmAnalysis& w = OpenFor("x", "-1", "1");
  for (QWidget* c : w.findChildren<QWidget*>()) {
    if (!qobject_cast<QLabel*>(c) && !c->objectName().isEmpty() && !c->objectName().startsWith("qt_")) {
      EXPECT_FALSE(c->accessibleName().isEmpty()) << c->objectName().toStdString();
    }
  }
}

}  // namespace
}  // namespace veltrum
