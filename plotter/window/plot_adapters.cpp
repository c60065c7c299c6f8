#include "plotter/window/plot_adapters.h"

#include <QProgressBar>
#include <algorithm>

namespace veltrum {

void ChartSeriesAdapter::Clear() {
  chart_.Clear(series_);
  if (!update_) update_.emplace(chart_);
}

void ProgressBarAdapter::SetRange(int minimum, int maximum) {
  // A bar whose maximum equals its minimum is the toolkit's endless "busy"
  // bar; a run whose maximum rounds to its minimum gets one step instead.
  bar_.setRange(minimum, std::max(minimum + 1, maximum));
  rangeChanged_ = true;
}

void ProgressBarAdapter::SetPosition(int position) {
  position_ = position;
  positionSet_ = true;
  if (rangeChanged_) {
    // The first position of a run resets the bar at once.
    rangeChanged_ = false;
    Show();
    return;
  }
  if (++sinceClock_ < kClockEvery) return;
  sinceClock_ = 0;
  if (shown_.elapsed() >= kRepaintIntervalMs) Show();
}

void ProgressBarAdapter::Show() {
  // A position past the maximum (the run's last sample) shows a full bar.
  bar_.setValue(std::clamp(position_, bar_.minimum(), bar_.maximum()));
  // No event is processed during a run, so the bar paints itself now.
  if (bar_.isVisible()) bar_.repaint();
  shown_.restart();
}

}  // namespace veltrum
