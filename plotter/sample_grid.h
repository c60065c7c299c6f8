#pragma once
// The x values of a sampling run.
#include <cstddef>

#include "number/number_texts.h"

namespace veltrum {

// The x values of a run: the first at the lower bound as typed, then the
// sum with the step cut back to the step grid through its number text, so
// rounding errors of the additions never build up, up to the upper bound.
class SampleGrid {
 public:
  SampleGrid(double from, double to, double step, int decimals)
      : x_(from), to_(to), step_(step), decimals_(decimals) {}

  // The next x; false after the last. The grid is cut with texts, whose
  // owner then finds the text of x among its last ones.
  bool Next(double& x, NumberTexts& texts);

 private:
  double x_, to_, step_;
  int decimals_;
  bool ended_ = false;
};

}  // namespace veltrum
