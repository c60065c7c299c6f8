#pragma once
// The one door through which a sampling run drives a calculator. While a
// PlotRun lives, a failed calculation sets CalcError instead of showing its
// message box, and the calculator's view is detached so that the thousands
// of key presses of a run do not repaint a window; when it ends, PlotMode
// and CalcError are clear again and the view shows the calculator's state
// once. Nothing else writes PlotMode; CalcError is set only by the
// calculation guard's recovery (HandleCalcError) while PlotMode is set, and
// cleared only here.
#include "calculator/calculator.h"

namespace veltrum {

class PlotRun {
 public:
  explicit PlotRun(Calculator& calc) : calc_(calc), view_(calc.view_) {
    calc_.view_ = nullptr;
    calc_.CalcError = false;
    calc_.PlotMode = true;
  }
  ~PlotRun() {
    calc_.PlotMode = false;
    calc_.CalcError = false;
    calc_.view_ = view_;
    calc_.RefreshView();
  }
  PlotRun(const PlotRun&) = delete;
  PlotRun& operator=(const PlotRun&) = delete;

  // A failed sample is dropped; the next one starts without the error.
  void NextSample() { calc_.CalcError = false; }

 private:
  Calculator& calc_;
  CalculatorView* view_;
};

}  // namespace veltrum
