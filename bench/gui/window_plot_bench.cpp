// A 1,000,001-sample run drawn by the plot window (Chart1, ProgressBar1,
// the calculator detached and refreshed) against the same run through the
// core alone. Prints "| figure | measured | target |" rows.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "plotter/window/grafik.h"

namespace {

constexpr int kRuns = 3;
const char* const kFrom = "-500";
const char* const kTo = "500";

class SilentDialogs : public veltrum::Dialogs {
 public:
  void ShowMessage(veltrum::MessageKind, std::string_view text) override {
    std::fprintf(stderr, "message: %.*s\n", static_cast<int>(text.size()), text.data());
  }
  bool InputQuery(const QString&, const QString&, QString&, int) override { return false; }
  void ErrorBox(const QString&) override {}
};

struct NullSink : veltrum::PlotSeries, veltrum::PlotProgress {
  void Clear() override { points = 0; }
  void AddPoint(double, double) override { ++points; }
  void SetRange(int, int) override {}
  void SetStep(int) override {}
  void SetPosition(int) override {}
  long points = 0;
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

template <typename Work>
double Seconds(Work work) {
  QElapsedTimer timer;
  timer.start();
  work();
  return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

void Compare(const char* label, const QString& expression) {
  SilentDialogs dialogs;
  veltrum::Calculator calc(&dialogs);
  veltrum::TForm3 form(calc, dialogs);
  QWidget calculatorWindow;
  form.SetCalculatorWindow(&calculatorWindow);
  form.findChild<QLineEdit*>("txtMain")->setText(expression);
  form.findChild<QLineEdit*>("txtFLeft")->setText(kFrom);
  form.findChild<QLineEdit*>("txtFRight")->setText(kTo);
  form.findChild<QRadioButton*>("rad0001")->setChecked(true);
  form.show();
  QApplication::processEvents();
  form.cmdAddClick();  // warms up and leaves entry 0 for the redraws

  const std::string entry = "1:F(X)=" + expression.toStdString();
  std::vector<double> window, core;
  NullSink sink;
  for (int r = 0; r < kRuns; ++r) {
    core.push_back(Seconds([&] {
      veltrum::RunSampling(calc, {entry, kFrom, kTo, veltrum::StepChoice::Thousandth}, sink, sink, dialogs);
    }));
    window.push_back(Seconds([&] { form.PlotFunction(0); }));
  }
  const int points = form.findChild<veltrum::Chart*>("Chart1")->PointCount(0);
  const double w = Median(window), c = Median(core);
  std::printf(
      "| Plot window run %s, 1,000,001 samples (%d points) | %.3f s vs core alone %.3f s: x%.2f | <= x1.3 "
      "|\n",
      label, points, w, c, w / c);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  Compare("sin[x]", "sin[x]");
  Compare("help example", "(sin[x]*arccos[x])^cos[1+(2*x)]");
  return 0;
}
