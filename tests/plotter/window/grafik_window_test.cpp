// The plot window itself: its controls, the axis bounds, the calculator
// window around a run, and the windows it shows and hides.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <string>

#include "plotter/window/syntaksys.h"
#include "tests/plotter/window/window_fixture.h"
#include "tests/support/activate.h"

namespace veltrum {
namespace {

struct ControlRowCheck {
  const char* name;
  const char* text;
  QRect place;
};

TEST_F(PlotWindowTest, ControlsShowTheirCaptionsInTheirPlaces) {
  EXPECT_EQ(form.windowTitle(), "Построение графиков функций Y=F(X)");
  EXPECT_EQ(form.size(), QSize(779, 481));
  const ControlRowCheck rows[] = {
      {"Chart1", nullptr, {8, 8, 497, 441}},
      {"ProgressBar1", nullptr, {8, 456, 497, 17}},
      {"txtMain", "sin[x]", {552, 8, 217, 21}},
      {"cmdHelp", "Справка", {552, 40, 105, 25}},
      {"cmdAdd", "Добавить", {664, 40, 105, 25}},
      {"ListBox1", nullptr, {512, 72, 257, 137}},
      {"cmdChange", "Изменить", {512, 216, 81, 25}},
      {"cmdDelete", "Удалить", {600, 216, 81, 25}},
      {"cmdReDraw", "Обновить", {688, 216, 81, 25}},
      {"cmdClear", "Очистить", {512, 248, 81, 25}},
      {"cmdClearAll", "Очистить все", {600, 248, 81, 25}},
      {"cmdReDrawAll", "Обновить все", {688, 248, 81, 25}},
      {"Label2", "Единицы измерения на осях:", {536, 274, 107, 26}},
      {"txtXLeft", "-10", {568, 304, 73, 21}},
      {"txtXRight", "10", {568, 328, 73, 21}},
      {"txtYLeft", "-10", {568, 352, 73, 21}},
      {"txtYRight", "10", {568, 376, 73, 21}},
      {"cmdChangeGrafGrid", "Изменить границы", {528, 408, 121, 25}},
      {"Label7", "Значения переменной x:", {688, 274, 75, 39}},
      {"txtFLeft", "-3", {688, 304, 73, 21}},
      {"txtFRight", "3", {688, 328, 73, 21}},
      {"RadioGroup1", "Шаг", {680, 352, 73, 89}},
      {"rad01", "0,1", {696, 368, 49, 17}},
      {"rad001", "0,01", {696, 392, 49, 17}},
      {"rad0001", "0,001", {696, 416, 49, 17}},
      {"cmdClose", "Закрыть", {664, 448, 105, 25}},
  };
  for (const ControlRowCheck& row : rows) {
    SCOPED_TRACE(row.name);
    QWidget* control = Find<QWidget>(row.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->geometry(), row.place);
    if (!row.text) continue;
    QString text;
    if (auto* edit = qobject_cast<QLineEdit*>(control)) text = edit->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control)) text = button->text();
    if (auto* label = qobject_cast<QLabel*>(control)) text = label->text();
    if (auto* frame = qobject_cast<QGroupBox*>(control)) text = frame->title();
    EXPECT_EQ(text, QString::fromUtf8(row.text));
  }
  EXPECT_TRUE(Find<QRadioButton>("rad01")->isChecked());
  EXPECT_EQ(Find<QLabel>("Label3")->pos(), QPoint(528, 304));
  EXPECT_EQ(Find<QLabel>("Label1")->text(), "F(X)=");
}

TEST_F(PlotWindowTest, TabGoesThroughTheControlsInTheirOrder) {
  const char* order[] = {"txtMain",   "cmdAdd",   "ListBox1",    "cmdChange",         "cmdDelete",
                         "cmdReDraw", "cmdClear", "cmdClearAll", "cmdReDrawAll",      "txtXLeft",
                         "txtXRight", "txtYLeft", "txtYRight",   "txtFLeft",          "txtFRight",
                         "rad01",     "rad001",   "rad0001",     "cmdChangeGrafGrid", "cmdHelp",
                         "cmdClose",  "Chart1"};
  for (std::size_t i = 1; i < std::size(order); ++i) {
    QWidget* next = Find<QWidget>(order[i - 1])->nextInFocusChain();
    while (next->focusPolicy() == Qt::NoFocus) next = next->nextInFocusChain();
    EXPECT_EQ(next->objectName(), order[i]) << "after " << order[i - 1];
  }
}

TEST_F(PlotWindowTest, OpensAndComesBackWithTheExpressionSelectedForTyping) {
  for (const QString& typed : {QStringLiteral("x/2"), QStringLiteral("x*3")}) {
    form.hide();
    form.show();
    ActivateWindow(&form);
    auto* edit = Find<QLineEdit>("txtMain");
    EXPECT_EQ(form.focusWidget(), edit);
    EXPECT_EQ(edit->selectedText(), edit->text());
    QTest::keyClicks(form.focusWidget(), typed);
    EXPECT_EQ(edit->text(), typed);
  }
}

struct BoundsRow {
  const char* xLeft;
  const char* xRight;
  const char* yLeft;
  const char* yRight;
  const char* message;  // nullptr: the ranges are set
};

TEST_F(PlotWindowTest, ChangeBoundsChecksTheTextsBeforeFixingTheAxes) {
  const BoundsRow rows[] = {
      {"0.5", "10", "-10", "10", "Error: Неправильно заданы границы."},
      {"-10", "10", "-10", "abc", "Error: Неправильно заданы границы."},
      {"", "10", "-10", "10", "Error: Неправильно заданы границы."},
      {"1", "1", "-10", "10", "Error: Введите другие значения границ."},
      {"-10", "10", "10", "-10", "Error: Введите другие значения границ."},
      {"5", "-5", "x", "10", "Error: Неправильно заданы границы."},
  };
  Click("cmdAdd");
  const QCPRange bottom = chart->xAxis->range(), left = chart->yAxis->range();
  for (const BoundsRow& row : rows) {
    SCOPED_TRACE(row.xLeft + std::string(" ") + row.yRight);
    Type("txtXLeft", row.xLeft);
    Type("txtXRight", row.xRight);
    Type("txtYLeft", row.yLeft);
    Type("txtYRight", row.yRight);
    Click("cmdChangeGrafGrid");
    EXPECT_EQ(boxes.Take(), std::vector<std::string>{row.message});
    EXPECT_EQ(chart->xAxis->range(), bottom);
    EXPECT_EQ(chart->yAxis->range(), left);
    EXPECT_TRUE(chart->FollowsData());
  }
}

TEST_F(PlotWindowTest, ChangeBoundsFixesBothAxesWithCommaNumbers) {
  Type("txtXLeft", "-1,5");
  Type("txtXRight", "2,5");
  Type("txtYLeft", "-0,25");
  Type("txtYRight", "1E1");
  Click("cmdChangeGrafGrid");
  EXPECT_TRUE(boxes.Take().empty());
  EXPECT_EQ(chart->xAxis->range(), QCPRange(-1.5, 2.5));
  EXPECT_EQ(chart->yAxis->range(), QCPRange(-0.25, 10));
  Click("cmdAdd");  // the data no longer moves the axes
  EXPECT_EQ(chart->xAxis->range(), QCPRange(-1.5, 2.5));
}

class CountingView : public CalculatorView {
 public:
  void DisplayChanged(std::string_view text) override {
    ++changes;
    display = text;
  }
  void ShiftCaptionChanged(std::string_view) override { ++changes; }
  void MemoryTextChanged(int, std::string_view) override { ++changes; }
  void AngleUnitChanged(bool) override { ++changes; }
  int changes = 0;
  std::string display;
};

// The thousands of keys of a run are pressed on the workers' calculators:
// the calculator window sees only what the run leaves there, the last
// sample on the display.
TEST_F(PlotWindowTest, ARunLeavesTheCalculatorWindowAloneAndShowsItsLastSample) {
  CountingView view;
  QWidget calculatorWindow;
  calc.SetView(&view);
  form.SetCalculatorWindow(&calculatorWindow);
  Click("cmdAdd");
  EXPECT_EQ(view.changes, 1);
  EXPECT_EQ(view.display, "0,141120008059867");
  view.changes = 0;
  calc.Press(Key::cmd7);
  EXPECT_GT(view.changes, 0);
}

TEST_F(PlotWindowTest, CloseAndTheTitleBarBringBackTheCalculatorWindow) {
  QWidget calculatorWindow;
  form.SetCalculatorWindow(&calculatorWindow);
  Click("cmdAdd");
  Click("cmdClose");
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(calculatorWindow.isVisible());

  calculatorWindow.hide();
  form.show();
  EXPECT_TRUE(form.close());
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(calculatorWindow.isVisible());
  form.show();
  EXPECT_EQ(list->count(), 1);
  EXPECT_EQ(chart->PointCount(0), 61);
}

TEST_F(PlotWindowTest, HelpShowsTheSyntaxWindowOverThePlotWindow) {
  TfrmSynt help(&form);
  form.SetHelpWindow(&help);
  Click("cmdHelp");
  EXPECT_TRUE(help.isVisible());
  EXPECT_TRUE(form.isVisible());
  Click("cmdHelp");
  EXPECT_TRUE(help.isVisible());
}

}  // namespace
}  // namespace veltrum
