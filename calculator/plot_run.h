#pragma once
// How a sampling run drives a calculator. While a
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

  // The evaluator's fast doors. PressNumberKeys presses the digit and point
  // keys of keys ('0'-'9', ',' or '.') one after the other without the
  // dispatch of Press, and stops after a key that sets CalcError.
  // EnterShownNumber has the effect of pressing C, the keys of number and
  // equals (a leading "-" pressed as the sign key right behind the first
  // non-zero digit, as the plotter types its values) without pressing
  // them, for the numbers whose keys are known to show the number itself:
  // an optional "-", "0" or digits without a leading zero, and an optional
  // comma with digits that do not end in zero, not "0" itself (a negative
  // number below 1 with at most three zeros behind the comma); false, and
  // nothing done, for any other number. Outside a run both do what pressing
  // the keys does, reported to the observer as keys are: PressNumberKeys
  // presses each key, EnterShownNumber answers false.
  static void PressNumberKeys(Calculator& calc, std::string_view keys) { calc.PressNumberKeys(keys); }
  static bool EnterShownNumber(Calculator& calc, std::string_view number) {
    return calc.EnterShownNumber(number);
  }
  // The number texts the calculator writes its display with. The evaluator
  // and the sampling worker that owns the calculator write and read theirs
  // with the same ones, so the x and y of a sample are converted once.
  static NumberTexts& Texts(Calculator& calc) { return calc.texts_; }

 private:
  Calculator& calc_;
  CalculatorView* view_;
};

}  // namespace veltrum
