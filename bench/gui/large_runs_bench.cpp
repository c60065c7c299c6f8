// The plot window at its limits, offscreen, in one process:
//   largest  "Перерисовать все" of ten functions of 9,999,001 samples each
//            (10^8 points): the time of the whole command, peak resident
//            memory per point, the slowest answer of the window's event loop
//            (asked once a second), Esc at moments of the run, and pan steps
//            over the finished chart;
//   soak     a thousand runs in a row (add, redraw, clear all, add), the
//            resident memory at the end against that after the first hundred.
// Prints "| figure | measured | target |" rows; minutes of both cores and
// about 2 GB for "largest".
#include <sys/resource.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <cstring>
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

double PeakResidentBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) * 1024;
}

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

// The longest wait of a call posted to the event loop once a second.
class AnswerProbe {
 public:
  AnswerProbe() {
    timer_.setInterval(1000);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QElapsedTimer posted;
      posted.start();
      QMetaObject::invokeMethod(
          &timer_, [this, posted] { slowest_ = std::max(slowest_, posted.nsecsElapsed() / 1e6); },
          Qt::QueuedConnection);
    });
    timer_.start();
  }
  double SlowestMs() const { return slowest_; }

 private:
  QTimer timer_;
  double slowest_ = 0;
};

void Largest() {
  Window w;
  for (int k = 0; k < veltrum::kSeriesCount; ++k) {
    w.Set("txtMain", QStringLiteral("sin[x]*%1+cos[x]").arg(k + 1));
    w.Click("cmdAdd");
    w.Wait();
  }
  w.Set("txtFLeft", "-4999");
  w.Set("txtFRight", "5000");
  w.Find<QRadioButton>("rad0001")->setChecked(true);
  const double before = ResidentMegabytes();

  double seconds = 0, slowest = 0;
  {
    AnswerProbe probe;
    seconds = Seconds([&] {
      w.Click("cmdReDrawAll");
      w.Wait();
    });
    slowest = probe.SlowestMs();
  }
  long points = 0;
  for (int k = 0; k < veltrum::kSeriesCount; ++k) points += w.Chart().PointCount(k);
  const double peak = PeakResidentBytes();
  std::printf(
      "| Перерисовать все: 10 functions x 9,999,001 samples (%ld points), %d cores | %.1f s (%.2f M "
      "samples/s) | completes |\n",
      points, QThread::idealThreadCount(), seconds, points / seconds / 1e6);
  std::printf(
      "| Peak resident memory of the window process, 10^8 points | %.1f bytes per point (%.0f MB; %.0f MB "
      "before the command) | <= 32 bytes per point |\n",
      peak / static_cast<double>(points), peak / 1e6, before * 1.048576);
  std::printf("| Slowest answer of the event loop during the run (asked once a second) | %.0f ms | <= 500 ms |\n",
              slowest);

  // Pan steps over the finished chart, as a right drag moves the ranges.
  veltrum::Chart& chart = w.Chart();
  const QCPRange bottom = chart.xAxis->range();
  const QCPRange left = chart.yAxis->range();
  const QRect area = chart.axisRect()->rect();
  std::vector<double> pans;
  for (int step = 1; step <= 40; ++step) {
    const double dx = 3.0 * step * bottom.size() / area.width();
    const double dy = 2.0 * step * left.size() / area.height();
    chart.xAxis->setRange(bottom.lower - dx, bottom.upper - dx);
    chart.yAxis->setRange(left.lower + dy, left.upper + dy);
    pans.push_back(Milliseconds([&] { chart.replot(); }));
  }
  std::printf("| Chart: pan step, 10^8 points | %.1f ms median, %.1f ms at 95%%, %.1f ms slowest | <= 16 ms |\n",
              Median(pans), Percentile(pans, 0.95), Percentile(pans, 1.0));

  // Esc at moments after the command starts again from the first
  // function, which then holds ten million points of room.
  std::vector<double> stops;
  bool kept = true;
  for (const int ms : {300, 2000, 10000}) {
    w.Click("cmdReDrawAll");
    QTest::qWait(ms);
    if (!w.form.IsRunning()) continue;
    stops.push_back(Milliseconds([&] {
      QTest::keyClick(&w.form, Qt::Key_Escape);
      w.Wait();
    }));
    kept = kept && w.Chart().PointCount(0) > 0;
  }
  std::printf("| Esc during the 10^8-point command (0,3 s, 2 s and 10 s after it started) | %.0f ms slowest of %zu, points %s | "
              "<= 500 ms, points kept |\n",
              stops.empty() ? 0.0 : Percentile(stops, 1.0), stops.size(), kept ? "kept" : "LOST");
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
    if (all || std::strcmp(what, "largest") == 0) Largest();
    if (all) break;
  }
  return 0;
}
