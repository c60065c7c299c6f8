// The plot window at its limits, offscreen, in one process:
//   pan   pan steps over a chart of ten functions of 9,999,001 points each;
//   soak  a thousand runs in a row (add, redraw, clear all, add), the
//         resident memory at the end against that after the first hundred.
// Prints "| figure | measured | target |" rows; about 2 GB for "pan". The
// 10^8-point command itself runs in the real program, driven over the
// accessibility bus (tests/e2e/benchmarks.py).
#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QRadioButton>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "bench/gui/silent_dialogs.h"
#include "bench/gui/timing.h"
#include "chart/chart.h"
#include "plotter/window/grafik.h"

namespace {

using namespace veltrum::bench;

double ResidentMegabytes() {
  std::ifstream status("/proc/self/status");
  std::string key;
  double kib = 0;
  while (status >> key)
    if (key == "VmRSS:" && status >> kib) break;
  return kib / 1024;
}

// CPU time of the calling thread: on a loaded machine the wall time of a
// frame also holds the time other processes had the core.
double ThreadCpuMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Sets a flag when the widget has painted.
class PaintWatch : public QObject {
 public:
  PaintWatch(QWidget& widget, bool& painted) : painted_(painted) { widget.installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted_ = true;
    return false;
  }

 private:
  bool& painted_;
};

class Window {
 public:
  Window() : form(calc, dialogs) {
    form.SetCalculatorWindow(&calculatorWindow);
    form.show();
    QApplication::processEvents();
  }
  template <typename T>
  T* Find(const char* name) {
    return form.findChild<T*>(QString::fromLatin1(name));
  }
  void Set(const char* edit, const QString& text) { Find<QLineEdit>(edit)->setText(text); }
  void Click(const char* button) { Find<QAbstractButton>(button)->click(); }
  void Wait() {
    QEventLoop loop;
    QObject::connect(&form, &veltrum::TForm3::runsFinished, &loop, &QEventLoop::quit);
    if (form.IsRunning()) loop.exec();
  }
  void Select(int row) { Find<QListWidget>("ListBox1")->setCurrentRow(row); }
  veltrum::Chart& Chart() { return *Find<veltrum::Chart>("Chart1"); }

  SilentDialogs dialogs;
  veltrum::Calculator calc{&dialogs};
  QWidget calculatorWindow;
  veltrum::TForm3 form;
};

// Pan steps over a finished chart of 10^8 points: the ten functions the
// end-to-end benchmark plots (tests/e2e/benchmarks.py), listed in the
// window, their 9,999,001 points each computed here and added straight to
// the window's chart as a run adds them. A right drag then moves the view:
// each step is timed from the mouse move to the painted frame.
void Pan() {
  Window w;
  constexpr long kSamples = 9'999'001;
  veltrum::Chart& chart = w.Chart();
  for (int k = 0; k < veltrum::kSeriesCount; ++k) {
    w.Set("txtMain", QStringLiteral("sin[x]+cos[x]/2+%1").arg(3 * (k + 1)));
    w.Click("cmdAdd");
    w.Wait();
    chart.Clear(k);
    chart.Reserve(k, kSamples);
    veltrum::ChartUpdate update(chart);
    for (long i = 0; i < kSamples; ++i) {
      const long double x = static_cast<long double>(i - 4'999'000) / 1000;
      chart.AddPoint(k, static_cast<double>(x), static_cast<double>(sinl(x) + cosl(x) / 2 + 3 * (k + 1)));
    }
  }
  // The first repaint summarises the points, as the end of a run does.
  chart.replot();
  QApplication::processEvents();

  bool replotted = false, painted = false;
  QObject::connect(&chart, &QCustomPlot::afterReplot, [&] { replotted = true; });
  PaintWatch watch(chart, painted);
  const QPoint from = chart.axisRect()->rect().center();
  const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(at), QPointF(chart.mapToGlobal(at)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&chart, &event);
  };
  send(QEvent::MouseButtonPress, from, Qt::RightButton, Qt::RightButton);
  std::vector<double> pans, cpu;
  // Every step moves past the click tolerance, so every one pans.
  for (int step = 1; step <= 60; ++step) {
    replotted = painted = false;
    const double cpuBefore = ThreadCpuMilliseconds();
    pans.push_back(Milliseconds([&] {
      send(QEvent::MouseMove, from + QPoint(-4 * step, 3 * step), Qt::NoButton, Qt::RightButton);
      QElapsedTimer limit;
      limit.start();
      while (!(replotted && painted) && limit.elapsed() < 2000) QApplication::processEvents();
    }));
    cpu.push_back(ThreadCpuMilliseconds() - cpuBefore);
  }
  send(QEvent::MouseButtonRelease, from + QPoint(-240, 180), Qt::RightButton, Qt::NoButton);
  long points = 0;
  for (int k = 0; k < veltrum::kSeriesCount; ++k) points += chart.PointCount(k);
  std::printf(
      "| Chart: pan step over the finished 10^8-point chart (%ld points; right drag, mouse move to painted "
      "frame, offscreen) | %.1f ms median, %.1f ms at 95%%, %.1f ms slowest (the window thread's CPU time: %.1f ms "
      "median, %.1f ms slowest) | <= 16 ms |\n",
      points, Median(pans), Percentile(pans, 0.95), Percentile(pans, 1.0), Median(cpu), Percentile(cpu, 1.0));
}

void Soak() {
  Window w;
  w.Set("txtFLeft", "-5");
  w.Set("txtFRight", "5");
  w.Find<QRadioButton>("rad0001")->setChecked(true);
  int runs = 0;
  double afterHundred = 0;
  const auto counted = [&](auto command) {
    command();
    w.Wait();
    if (++runs == 100) afterHundred = ResidentMegabytes();
  };
  QElapsedTimer clock;
  clock.start();
  while (runs < 1000) {
    w.Set("txtMain", "sin[x]*x");
    counted([&] { w.Click("cmdAdd"); });
    w.Select(0);
    counted([&] { w.Click("cmdReDraw"); });
    w.Click("cmdClearAll");
    w.Set("txtMain", "cos[x]/x");
    counted([&] { w.Click("cmdAdd"); });
    // Both entries go, so that the list never fills.
    for (int i = 0; i < 2; ++i) {
      w.Select(0);
      w.Click("cmdDelete");
    }
  }
  const double end = ResidentMegabytes();
  std::printf(
      "| Soak: %d runs of 10,001 samples in one window (add, redraw, clear all, add, delete both) | "
      "resident %.1f MB after 100 runs, %.1f MB after %d (%+.1f%%), %.0f s | within 5%% |\n",
      runs, afterHundred, end, runs, (end / afterHundred - 1) * 100, clock.elapsed() / 1e3);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const bool all = argc < 2;
  for (int i = 1; i < argc || all; ++i) {
    const char* what = all ? "" : argv[i];
    if (all || std::strcmp(what, "soak") == 0) Soak();
    if (all || std::strcmp(what, "pan") == 0) Pan();
    if (all) break;
  }
  return 0;
}
