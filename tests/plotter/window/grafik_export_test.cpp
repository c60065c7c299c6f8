// The plot window's popup menu on Chart1 and Ctrl+Shift+S: the save dialog is
// asked through the window's file chooser, the files land where it says,
// and a file that cannot be written is reported and left out.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QTemporaryDir>

#include "chart/chart_export.h"
#include "tests/support/scripted_file_chooser.h"
#include "tests/plotter/window/window_fixture.h"

namespace veltrum {
namespace {

class PlotExportTest : public PlotWindowTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    form.SetFileChooser(chooser);
    menu = Find<QMenu>("PopupMenu1");
  }
  void TearDown() override {
    if (menu) menu->hide();
  }

  QString Path(const QString& name) const { return dir.filePath(name); }

  void Answer(const QString& path, int filter = 0) {
    chooser.answerPath = path;
    chooser.answerFilter = filter;
  }

  void AddThreeFunctions() {
    Add(QStringLiteral("sin[x]"));
    Add(QStringLiteral("x/3"));
    Add(QStringLiteral("x^2-2"));
  }

  void Choose(const char* action) { Find<QAction>(action)->trigger(); }

  QStringList Files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot); }

  QTemporaryDir dir;
  ScriptedFileChooser chooser;
  QMenu* menu = nullptr;
};

TEST_F(PlotExportTest, RightClickOnTheChartOffersBothSaves) {
  const QPoint at = chart->rect().center();
  QTest::mouseClick(chart, Qt::RightButton, {}, at);
  ASSERT_NE(menu, nullptr);
  ASSERT_TRUE(menu->isVisible());
  QStringList texts;
  for (QAction* action : menu->actions()) texts << action->text();
  EXPECT_EQ(texts,
            (QStringList{QStringLiteral("Сохранить изображение…"), QStringLiteral("Сохранить точки…")}));
  EXPECT_EQ(menu->actions().front()->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
  EXPECT_TRUE(chooser.questions.empty());
}

TEST_F(PlotExportTest, SaveImageAsksWithThreeFormatsAndWritesThePng) {
  AddThreeFunctions();
  Answer(Path(QStringLiteral("plot.png")));
  Choose("mnuSaveImage");
  ASSERT_EQ(chooser.questions.size(), 1u);
  EXPECT_EQ(chooser.questions[0].caption, "Сохранить изображение");
  ASSERT_EQ(chooser.questions[0].filters.size(), 3);
  EXPECT_TRUE(chooser.questions[0].filters[0].endsWith("(*.png)"));
  EXPECT_TRUE(chooser.questions[0].filters[1].endsWith("(*.svg)"));
  EXPECT_TRUE(chooser.questions[0].filters[2].endsWith("(*.pdf)"));
  EXPECT_TRUE(chooser.questions[0].suggested.endsWith(".png"));
  EXPECT_EQ(QImage(Path(QStringLiteral("plot.png"))).size(), chart->size());
  EXPECT_TRUE(boxes.Take().empty());
}

TEST_F(PlotExportTest, ANameWithoutSuffixTakesTheFormatOfTheChosenFilter) {
  Answer(Path(QStringLiteral("plot")), 2);
  Choose("mnuSaveImage");
  EXPECT_EQ(Files(), QStringList{QStringLiteral("plot.pdf")});
  QFile pdf(Path(QStringLiteral("plot.pdf")));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5) == "%PDF-");
}

TEST_F(PlotExportTest, TheTypedSuffixWinsOverTheFilter) {
  Answer(Path(QStringLiteral("plot.SVG")), 0);
  Choose("mnuSaveImage");
  QFile svg(Path(QStringLiteral("plot.SVG")));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  EXPECT_TRUE(svg.readAll().contains("<svg"));
}

// Ctrl+S belongs to the function set.
TEST_F(PlotExportTest, CtrlShiftSSavesTheImage) {
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  Answer(Path(QStringLiteral("keys.png")));
  QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_EQ(chooser.questions.size(), 1u);
  EXPECT_EQ(chooser.questions[0].caption, "Сохранить изображение");
  EXPECT_TRUE(QFile::exists(Path(QStringLiteral("keys.png"))));
}

TEST_F(PlotExportTest, SavePointsWritesTheDrawnFunctionsOnly) {
  AddThreeFunctions();
  Add(QStringLiteral("x"));
  Select(3);
  Click("cmdDelete");  // F4 keeps its points, hidden
  Click("cmdReDrawAll");
  Answer(Path(QStringLiteral("points")));
  Choose("mnuSavePoints");
  ASSERT_EQ(chooser.questions.size(), 1u);
  EXPECT_EQ(chooser.questions[0].caption, "Сохранить точки");
  EXPECT_EQ(chooser.questions[0].filters, QStringList{QStringLiteral("Таблица CSV (*.csv)")});
  QFile file(Path(QStringLiteral("points.csv")));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
  std::vector<std::string> lines;
  for (const QByteArray& line : file.readAll().split('\n'))
    if (!line.isEmpty()) lines.push_back(line.toStdString());
  ASSERT_EQ(lines.size(), 1u + 3 * 61);
  EXPECT_EQ(lines[0], "series,x,y");
  // The values the calculator showed, 15 digits, written back unchanged.
  EXPECT_EQ(lines[1], "F1,-3,-0.141120008059867");
  EXPECT_EQ(lines[62], "F2,-3,-1");
  EXPECT_EQ(lines[123], "F3,-3,7");
  EXPECT_EQ(lines.back(), "F3,3,7");
}

TEST_F(PlotExportTest, AFileThatCannotBeWrittenIsReportedAndLeftOut) {
  AddThreeFunctions();
  const QString image = Path(QStringLiteral("missing/plot.png"));
  Answer(image);
  Choose("mnuSaveImage");
  const QString points = Path(QStringLiteral("missing/points.csv"));
  Answer(points);
  Choose("mnuSavePoints");
  EXPECT_EQ(boxes.Take(),
            (std::vector<std::string>{"Error: Не удалось сохранить файл: " + image.toStdString(),
                                      "Error: Не удалось сохранить файл: " + points.toStdString()}));
  EXPECT_FALSE(QDir(Path(QStringLiteral("missing"))).exists());
  EXPECT_TRUE(Files().isEmpty());
}

TEST_F(PlotExportTest, CancelWritesNothing) {
  Choose("mnuSaveImage");
  Choose("mnuSavePoints");
  EXPECT_EQ(chooser.questions.size(), 2u);
  EXPECT_TRUE(Files().isEmpty());
  EXPECT_TRUE(boxes.Take().empty());
}

}  // namespace
}  // namespace veltrum
