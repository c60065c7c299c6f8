#pragma once
// The sampling run's series and progress bar over the plot window's
// chart and ProgressBar1.
#include <QElapsedTimer>
#include <optional>

#include "chart/chart_model.h"
#include "plotter/sampling.h"

class QProgressBar;

namespace veltrum {

// Series k of the chart. The run clears it first; that clear repaints at
// once (a message box of the run then shows over the emptied series), and
// the points added after it are drawn by one repaint when the adapter
// goes out of scope.
class ChartSeriesAdapter : public PlotSeries {
 public:
  ChartSeriesAdapter(ChartModel& chart, int series) : chart_(chart), series_(series) {}

  void Clear() override;
  void Reserve(std::size_t points) override { chart_.Reserve(series_, points); }
  void AddPoint(double x, double y) override { chart_.AddPoint(series_, x, y); }

 private:
  ChartModel& chart_;
  int series_;
  std::optional<ChartUpdate> update_;
};

// ProgressBar1. A run sets the position once per sample; the bar is
// repainted at most every kRepaintIntervalMs so that it costs the run
// next to nothing, and Flush shows the last position set.
class ProgressBarAdapter : public PlotProgress {
 public:
  static constexpr qint64 kRepaintIntervalMs = 50;

  explicit ProgressBarAdapter(QProgressBar& bar) : bar_(bar) { shown_.start(); }

  void SetRange(int minimum, int maximum) override;
  // The run sets positions itself; the bar has no step of its own.
  void SetStep(int) override {}
  void SetPosition(int position) override;
  void Flush() {
    if (positionSet_) Show();
  }

 private:
  void Show();

  // The clock is read only every kClockEvery positions.
  static constexpr unsigned kClockEvery = 64;

  QProgressBar& bar_;
  QElapsedTimer shown_;
  int position_ = 0;
  unsigned sinceClock_ = 0;
  bool rangeChanged_ = false;
  // A run that stops before its first sample leaves the bar untouched.
  bool positionSet_ = false;
};

}  // namespace veltrum
