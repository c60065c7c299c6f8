// The function list of the plot window: Add, Change, Delete, Clear, Clear
// all, Redraw and Redraw all, and what they do to the series.
#include "tests/plotter/window/window_fixture.h"

namespace veltrum {
namespace {

using List = std::vector<QString>;

TEST_F(PlotWindowTest, StartsWithAnEmptyListAndNoActiveSeries) {
  EXPECT_TRUE(Entries().empty());
  for (int i = 0; i < kSeriesCount; ++i) EXPECT_FALSE(chart->IsActive(i)) << i;
  EXPECT_FALSE(chart->legend->visible());
}

TEST_F(PlotWindowTest, AddWithTheDefaultsDraws61PointsInF1) {
  Click("cmdAdd");
  EXPECT_EQ(Entries(), List{"1:F(X)=sin[x]"});
  EXPECT_TRUE(chart->IsActive(0));
  ASSERT_EQ(chart->PointCount(0), 61);
  EXPECT_EQ(chart->graph(0)->data()->at(0)->key, -3.0);
  EXPECT_EQ(chart->graph(0)->data()->at(60)->key, 3.0);
  auto* progress = Find<QProgressBar>("ProgressBar1");
  EXPECT_EQ(progress->maximum(), 60);
  EXPECT_EQ(progress->value(), 0);
  EXPECT_EQ(SelectedRow(), -1);
  EXPECT_EQ(Find<QLineEdit>("txtMain")->text(), "sin[x]");
  EXPECT_TRUE(boxes.Take().empty());
}

// From 0 to 0,04 the bar's maximum rounds to 0; a bar from 0 to 0 would be
// the toolkit's endless "busy" bar.
TEST_F(PlotWindowTest, ARunWhoseMaximumRoundsToZeroLeavesTheBarAtZero) {
  Type("txtFLeft", "0");
  Type("txtFRight", "0,04");
  Add("x");
  EXPECT_EQ(chart->PointCount(0), 1);
  auto* progress = Find<QProgressBar>("ProgressBar1");
  EXPECT_LT(progress->minimum(), progress->maximum());
  EXPECT_EQ(progress->value(), 0);
}

TEST_F(PlotWindowTest, AddWithAnEmptyExpressionStillDraws) {
  Add("");
  EXPECT_EQ(Entries(), List{"1:F(X)="});
  EXPECT_EQ(chart->PointCount(0), 61);
}

struct StepRow {
  const char* button;
  int points;
};

TEST_F(PlotWindowTest, TheCheckedStepButtonSetsTheSampleCount) {
  const StepRow rows[] = {{"rad001", 601}, {"rad0001", 6001}, {"rad01", 61}};
  Click("cmdAdd");
  Select(0);
  for (const StepRow& row : rows) {
    Click(row.button);
    Click("cmdReDraw");
    EXPECT_EQ(chart->PointCount(0), row.points) << row.button;
  }
}

TEST_F(PlotWindowTest, TheEleventhFunctionIsRefusedAndAfterADeleteNumberedTen) {
  for (int i = 0; i < 10; ++i) Add("x");
  ASSERT_EQ(list->count(), 10);
  boxes.Take();
  Add("x");
  EXPECT_EQ(boxes.Take(),
            std::vector<std::string>{"Information: Вы можете построить не больше десяти графиков "
                                     "одновременно."});
  EXPECT_EQ(list->count(), 10);

  Select(0);
  Click("cmdDelete");
  EXPECT_EQ(list->item(8)->text(), "9:F(X)=x");  // "10" read as two characters
  Add("x^2");
  EXPECT_EQ(list->item(9)->text(), "10:F(X)=x^2");
  EXPECT_TRUE(chart->IsActive(9));
  EXPECT_EQ(chart->PointCount(9), 61);
}

TEST_F(PlotWindowTest, DeleteRenumbersTheRestAndClearsEveryDrawing) {
  Add("a");
  Add("b");
  Add("c");
  Select(0);
  Click("cmdDelete");
  EXPECT_EQ(Entries(), (List{"1:F(X)=b", "2:F(X)=c"}));
  EXPECT_FALSE(chart->IsActive(2));
  EXPECT_EQ(chart->PointCount(2), 61);  // hidden, kept
  EXPECT_EQ(chart->PointCount(0), 0);
  EXPECT_EQ(chart->PointCount(1), 0);
  EXPECT_EQ(SelectedRow(), 0);

  Click("cmdReDrawAll");
  EXPECT_EQ(chart->PointCount(0), 61);
  EXPECT_EQ(chart->PointCount(1), 61);
}

TEST_F(PlotWindowTest, DeletingTheLastEntryRenumbersNothingAndLeavesNoSelection) {
  Add("a");
  Add("b");
  Select(1);
  Click("cmdDelete");
  EXPECT_EQ(Entries(), List{"1:F(X)=a"});
  EXPECT_EQ(SelectedRow(), -1);
  EXPECT_FALSE(chart->IsActive(1));
  EXPECT_EQ(chart->PointCount(0), 0);
}

TEST_F(PlotWindowTest, DeleteUsesARewrittenNumberAsItStands) {
  Add("a");
  Add("b");
  Select(1);
  boxes.Answer(QString("7:F(X)=b"));
  Click("cmdChange");
  Select(0);
  Click("cmdDelete");
  EXPECT_EQ(Entries(), List{"6:F(X)=b"});
}

TEST_F(PlotWindowTest, DeleteNumbersAnEntryWhosePrefixIsNotAnIntegerByItsPlace) {
  Add("a");
  Add("b");
  Add("c");
  Select(2);
  boxes.Answer(QString("y:F(X)=c"));
  Click("cmdChange");
  boxes.Take();
  Select(0);
  Click("cmdDelete");
  EXPECT_TRUE(boxes.Take().empty());
  EXPECT_EQ(Entries(), (List{"1:F(X)=b", "2:F(X)=c"}));
  EXPECT_FALSE(chart->IsActive(2));
  EXPECT_EQ(chart->PointCount(0), 0);
  EXPECT_EQ(chart->PointCount(1), 0);
}

TEST_F(PlotWindowTest, ChangeEditsTheWholeEntryAndRedraws) {
  Add("a");
  Select(0);
  boxes.Answer(QString("1:F(X)=x"));
  Click("cmdChange");
  EXPECT_EQ(boxes.Take(), std::vector<std::string>{"Изменение функции: Внесите нужные изменения:"});
  ASSERT_EQ(boxes.queries.size(), 1u);
  EXPECT_EQ(boxes.queries[0].initial, "1:F(X)=a");
  EXPECT_EQ(boxes.queries[0].maxLength, 255);
  EXPECT_EQ(Entries(), List{"1:F(X)=x"});
  EXPECT_EQ(SelectedRow(), 0);
  EXPECT_EQ(chart->graph(0)->data()->at(0)->value, -3.0);
}

TEST_F(PlotWindowTest, ChangeCancelledStillRedraws) {
  Add("x");
  Select(0);
  Click("cmdClear");
  ASSERT_EQ(chart->PointCount(0), 0);
  Click("cmdChange");
  EXPECT_EQ(Entries(), List{"1:F(X)=x"});
  EXPECT_EQ(chart->PointCount(0), 61);
}

TEST_F(PlotWindowTest, CommandsThatNeedASelectionDoNothingWithoutOne) {
  Add("x");
  boxes.Take();
  for (const char* button : {"cmdChange", "cmdDelete", "cmdClear", "cmdReDraw"}) {
    Click(button);
    EXPECT_EQ(Entries(), List{"1:F(X)=x"}) << button;
    EXPECT_EQ(chart->PointCount(0), 61) << button;
  }
  EXPECT_TRUE(boxes.Take().empty());
}

TEST_F(PlotWindowTest, ClearKeepsTheEntryAndItsSeriesActive) {
  Add("x");
  Add("x");
  Select(1);
  Click("cmdClear");
  EXPECT_EQ(chart->PointCount(1), 0);
  EXPECT_EQ(chart->PointCount(0), 61);
  EXPECT_TRUE(chart->IsActive(1));
  Click("cmdClearAll");
  EXPECT_EQ(chart->PointCount(0), 0);
  EXPECT_EQ(list->count(), 2);
}

TEST_F(PlotWindowTest, RedrawAllReportsAnInvalidRangeOncePerEntry) {
  Add("a");
  Add("b");
  Add("c");
  boxes.Take();
  Type("txtFLeft", "1");
  Type("txtFRight", "1");
  Click("cmdReDrawAll");
  EXPECT_EQ(boxes.Take(), std::vector<std::string>(3, kRangeMessage));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(chart->PointCount(i), 0) << i;
}

TEST_F(PlotWindowTest, ABoundThatIsNotANumberGivesTheCalculationMessage) {
  Type("txtFLeft", "abc");
  Click("cmdAdd");
  EXPECT_EQ(boxes.Take(), std::vector<std::string>{"Error: Произошла ошибка в вычислениях."});
  EXPECT_EQ(Entries(), List{"1:F(X)=sin[x]"});
  EXPECT_TRUE(chart->IsActive(0));
  EXPECT_EQ(calc.Snapshot().PlotMode, 0);
}

TEST_F(PlotWindowTest, ReturnInTheExpressionAddsIt) {
  Type("txtMain", "x");
  QTest::keyClick(Find<QLineEdit>("txtMain"), Qt::Key_Return);
  WaitForRuns();
  EXPECT_EQ(Entries(), List{"1:F(X)=x"});
  EXPECT_EQ(chart->PointCount(0), 61);
}

TEST(PlotEntry, ExpressionIsTextAfterFirstEquals) {
  EXPECT_EQ(ExpressionOf("1:F(X)=sin[x]"), "sin[x]");
  EXPECT_EQ(ExpressionOf("3:F(X)=a=b"), "a=b");
  EXPECT_EQ(ExpressionOf("x+1"), "x+1");
}

}  // namespace
}  // namespace veltrum
