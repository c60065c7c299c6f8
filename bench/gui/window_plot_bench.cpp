// A 1,000,001-sample run drawn by the plot window (Chart1, ProgressBar1,
// the calculator detached and refreshed, every core) against the same run
// through the core alone on one thread, and "Перерисовать все" of ten such
// functions against ten runs on one thread. Prints "| figure | measured |
// target |" rows.
#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QRadioButton>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/gui/silent_dialogs.h"
#include "bench/gui/timing.h"
#include "chart/chart.h"
#include "plotter/sampling_run.h"
#include "plotter/window/grafik.h"

namespace {

using namespace veltrum::bench;

constexpr int kRuns = 3;
const char* const kFrom = "-500";
const char* const kTo = "500";

struct NullSink : veltrum::PlotSeries, veltrum::PlotProgress {
  void AddPoint(double, double) override { ++points; }
  void SetRange(int, int) override {}
  void SetPosition(int) override {}
  long points = 0;
};

void RunAlone(veltrum::Calculator& calc, const std::string& expression, veltrum::Dialogs& dialogs) {
  NullSink sink;
  veltrum::RunSampling(calc, {expression, kFrom, kTo, veltrum::kStepThousandth}, sink, sink, dialogs);
}

// A run goes on in the window's event loop after the command returns.
void WaitForRuns(veltrum::TForm3& form) {
  QEventLoop loop;
  QObject::connect(&form, &veltrum::TForm3::runsFinished, &loop, &QEventLoop::quit);
  if (form.IsRunning()) loop.exec();
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
  WaitForRuns(form);

  const std::string entry = expression.toStdString();
  std::vector<double> window, core;
  for (int r = 0; r < kRuns; ++r) {
    core.push_back(Seconds([&] { RunAlone(calc, entry, dialogs); }));
    window.push_back(Seconds([&] {
      form.PlotFunction(0);
      WaitForRuns(form);
    }));
  }
  const int points = form.findChild<veltrum::Chart*>("Chart1")->PointCount(0);
  const double w = Median(window), c = Median(core);
  std::printf(
      "| Plot window run %s, 1,000,001 samples (%d points), %d cores | %.3f s vs core alone on one thread "
      "%.3f s: x%.2f | <= x1.3 |\n",
      label, points, QThread::idealThreadCount(), w, c, w / c);
}

// "Перерисовать все" of ten functions on every core, against the same
// command with the samples computed on one worker thread.
void RedrawAll() {
  SilentDialogs dialogs;
  veltrum::Calculator calc(&dialogs);
  veltrum::TForm3 form(calc, dialogs);
  QWidget calculatorWindow;
  form.SetCalculatorWindow(&calculatorWindow);
  form.findChild<QLineEdit*>("txtFLeft")->setText(kFrom);
  form.findChild<QLineEdit*>("txtFRight")->setText(kTo);
  form.findChild<QRadioButton*>("rad0001")->setChecked(true);
  form.show();
  QApplication::processEvents();
  std::vector<std::string> entries;
  for (int k = 0; k < veltrum::kSeriesCount; ++k) {
    const QString expression = QStringLiteral("sin[x]*%1+cos[x]").arg(k + 1);
    form.findChild<QLineEdit*>("txtMain")->setText(expression);
    form.cmdAddClick();
    WaitForRuns(form);
    entries.push_back(expression.toStdString());
  }
  const double window = Seconds([&] {
    form.cmdReDrawAllClick();
    WaitForRuns(form);
  });
  form.SetSamplingThreads(1);
  const double oneThread = Seconds([&] {
    form.cmdReDrawAllClick();
    WaitForRuns(form);
  });
  const double alone = Seconds([&] {
    for (const std::string& entry : entries) RunAlone(calc, entry, dialogs);
  });
  std::printf(
      "| Перерисовать все: 10 functions x 1,000,001 samples, %d cores | %.2f s vs %.2f s on one thread: "
      "x%.2f "
      "(the 10 runs through the core alone on one thread: %.2f s) | <= x0.6 on 2 cores |\n",
      QThread::idealThreadCount(), window, oneThread, window / oneThread, alone);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  Compare("sin[x]", "sin[x]");
  Compare("help example", "(sin[x]*arccos[x])^cos[1+(2*x)]");
  RedrawAll();
  return 0;
}
