// The plot window's sampling runs. A run computes its samples on worker
// threads while this window stays in its ordinary event loop: the points
// reach the chart as they come, the commands are disabled for the run's
// length, Esc or the title-bar close end it early, and a box the run shows
// appears once it has ended and the handler that ended it has returned
// (HeldBoxes). Commands that draw several functions queue
// their runs, one after another.
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <exception>
#include <new>
#include <string>

#include "number/failure.h"
#include "chart/chart.h"
#include "plotter/available_memory.h"
#include "plotter/sampling_run.h"
#include "plotter/window/analysis_window.h"
#include "plotter/window/grafik.h"

namespace veltrum {

void ShowRunFailure(Dialogs& dialogs, const RunEnd& end) {
  if (end.failure == RunEnd::Failure::None) return;
  if (ShownAsMessage(end.failure))
    dialogs.ShowMessage(MessageKind::Error, end.text);
  else
    dialogs.ErrorBox(QString::fromStdString(ErrorBoxText(end.text)));
}

namespace {

// ShowRunFailure's box, held until the handler that ended the run returns.
void HoldRunFailure(HeldBoxes& boxes, const RunEnd& end) {
  if (end.failure != RunEnd::Failure::None)
    boxes.Hold([end](Dialogs& dialogs) { ShowRunFailure(dialogs, end); });
}

// A failure that is not the calculator's own ends the whole command.
bool EndsTheQueue(const RunEnd& end) {
  return end.kind == RunEnd::Kind::Failed && !IsCalculatorFailure(end.failure);
}

// ProgressBar1 as a run sees it.
class BarProgress : public PlotProgress {
 public:
  explicit BarProgress(QProgressBar& bar) : bar_(bar) {}
  void SetRange(int minimum, int maximum) override {
    // A bar whose maximum equals its minimum is the toolkit's endless
    // "busy" bar; a run whose maximum rounds to its minimum gets one step.
    bar_.setRange(minimum, std::max(minimum + 1, maximum));
  }
  // A position past the maximum (the run's last sample) shows a full bar.
  void SetPosition(int position) override {
    bar_.setValue(std::clamp(position, bar_.minimum(), bar_.maximum()));
  }

 private:
  QProgressBar& bar_;
};

// A series of Chart1 as a run fills it.
class ChartSeries : public PlotSeries {
 public:
  ChartSeries(Chart& chart, int series) : chart_(chart), series_(series) {}
  void AddPoint(double x, double y) override { chart_.AddPoint(series_, x, y); }

 private:
  Chart& chart_;
  int series_;
};

}  // namespace

QString ExpressionOf(const QString& entry) {
  const qsizetype eq = entry.indexOf(u'=');
  return eq < 0 ? entry : entry.mid(eq + 1);
}

// The analysis window draws on Chart1 and follows ListBox1's model, so it
// goes first: the children are deleted in the order they were made, and the
// list's model tells the analysis window it was emptied after Chart1 is gone.
TForm3::~TForm3() { delete frmAnalysis_; }

void TForm3::PlotFunction(int k) {
  pendingRuns_.push_back(k);
  StartRuns();
}

bool TForm3::IsRunning() const { return run_ != nullptr || !pendingRuns_.empty() || heldBoxes_.Holding(); }

void TForm3::StopRuns() {
  pendingRuns_.clear();
  if (run_) run_->Stop();
}

void TForm3::StartRuns() {
  if (starting_) return;
  starting_ = true;
  // A box waits or is open: the queue goes on after it.
  while (!run_ && !pendingRuns_.empty() && !heldBoxes_.Holding()) {
    const int k = pendingRuns_.front();
    pendingRuns_.pop_front();
    if (k < 0 || k >= Count()) continue;
    const std::string expression = ExpressionOf(ListBox1->item(k)->text()).toStdString();
    const std::string from = txtFLeft->text().toStdString();
    const std::string to = txtFRight->text().toStdString();
    // The series is emptied first, so a refusal's box shows over it.
    Chart1->Clear(k);
    auto run = std::make_unique<SamplingRun>(threads_);
    const SamplingRequest request{expression, from, to, CheckedStep()};
    if (const std::optional<RunEnd> end = run->Start(request, calc_.Radians())) {
      // Refused bounds show their box and the queue goes on; no thread for
      // the run ends the queue with the error box.
      if (EndsTheQueue(*end)) pendingRuns_.clear();
      HoldRunFailure(heldBoxes_, *end);
      continue;
    }
    try {
      // Room for every point is made before the run goes on: a run that
      // memory cannot hold is refused here. Room the machine has no
      // memory behind counts as none.
      const std::size_t points = run->ExpectedSamples() + 1;
      const std::optional<std::size_t> available = AvailableMemoryBytes();
      if (available && Chart1->BytesToReserve(k, points) > *available) throw std::bad_alloc();
      Chart1->Reserve(k, points);
    } catch (const std::bad_alloc&) {
      run.reset();
      pendingRuns_.clear();
      heldBoxes_.ShowMessage(MessageKind::Error, kOutOfMemoryText);
      continue;
    }
    runSeries_ = k;
    inputsAtRunStart_ = calc_.InputCount();
    run_ = std::move(run);
    SetRunning(true);
    runTimer_->start();
  }
  starting_ = false;
  if (heldBoxes_.Holding()) {
    if (!boxesQueued_) {
      boxesQueued_ = true;
      QTimer::singleShot(0, this, &TForm3::ShowHeldBoxes);
    }
    return;
  }
  if (!run_) {
    SetRunning(false);
    emit runsFinished();
  }
}

// A run asked for while a box is open waits for it, and a box held
// meanwhile follows it in the same call.
void TForm3::ShowHeldBoxes() {
  heldBoxes_.ShowOn(dialogs_);
  boxesQueued_ = false;
  StartRuns();
}

void TForm3::CollectRun() {
  if (!run_) return;
  std::optional<RunEnd> end;
  {
    ChartUpdate update(*Chart1);
    ChartSeries series(*Chart1, runSeries_);
    BarProgress progress(*ProgressBar1);
    end = run_->Poll(series, progress);
  }
  if (!end) return;
  runTimer_->stop();
  run_.reset();
  // The calculator shows the run's last sample, as after a run on it
  // alone, unless someone used it meanwhile.
  (void)LeaveLastSample(calc_, *end, inputsAtRunStart_);
  if (EndsTheQueue(*end)) {
    // A failure that is not the calculator's own ends the command, the
    // points so far kept.
    pendingRuns_.clear();
    SetRunning(false);
    ProgressBar1->setValue(0);
  } else if (pendingRuns_.empty()) {
    SetRunning(false);
  }
  HoldRunFailure(heldBoxes_, *end);
  StartRuns();
}

// The commands and the settings of a run wait while it goes on; the chart
// stays live.
void TForm3::SetRunning(bool running) {
  if (running == running_) return;
  running_ = running;
  // Disabled controls give up the focus, so that Esc reaches the window;
  // it comes back to where it was afterwards.
  if (running) focusBeforeRun_ = focusWidget();
  for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (control == Chart1 || control == ProgressBar1) continue;
    if (qobject_cast<QAbstractButton*>(control) || qobject_cast<QLineEdit*>(control) ||
        qobject_cast<QListWidget*>(control))
      control->setEnabled(!running);
  }
  if (!running && focusBeforeRun_) focusBeforeRun_->setFocus();
}

}  // namespace veltrum
