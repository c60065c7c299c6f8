#pragma once
// Wall-clock timing shared by the window benchmarks.
#include <QElapsedTimer>
#include <algorithm>
#include <vector>

namespace veltrum::bench {

template <typename Work>
double Milliseconds(Work work) {
  QElapsedTimer timer;
  timer.start();
  work();
  return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

template <typename Work>
double Seconds(Work work) {
  return Milliseconds(work) / 1e3;
}

// The value below which a share (0 to 1) of the values lie.
inline double Percentile(std::vector<double> v, double share) {
  std::sort(v.begin(), v.end());
  return v[static_cast<std::size_t>(share * static_cast<double>(v.size() - 1))];
}

inline double Median(std::vector<double> v) { return Percentile(std::move(v), 0.5); }

}  // namespace veltrum::bench
