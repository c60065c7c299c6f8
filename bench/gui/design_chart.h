#pragma once
// The chart benchmarks' set-up: the offscreen platform unless another is
// asked for, and Chart1 shown at its place's size in the plot window.
#include <QApplication>

#include "chart/chart.h"

namespace veltrum::bench {

inline void UseOffscreenUnlessSet() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

inline void ShowAtDesignSize(Chart& chart) {
  chart.resize(497, 441);
  chart.show();
  QApplication::processEvents();
}

}  // namespace veltrum::bench
