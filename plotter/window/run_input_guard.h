#pragma once
// While a sampling run is in progress the plot window stays alive: it
// repaints (progress bar, chart) and takes Esc, which ends the run early.
// Every other key, click, wheel turn and close request meanwhile is
// dropped, so nothing else can start or change while the run owns the
// calculator.
#include <QElapsedTimer>
#include <QObject>

class QWidget;

namespace veltrum {

class RunInputGuard : public QObject {
 public:
  // Esc counts only in window's own controls.
  explicit RunInputGuard(QWidget& window);
  ~RunInputGuard() override;
  RunInputGuard(const RunInputGuard&) = delete;
  RunInputGuard& operator=(const RunInputGuard&) = delete;

  // The run's keepGoing: handles the waiting events now and then; false
  // once Esc was pressed.
  bool KeepGoing();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& window_;
  QElapsedTimer sinceEvents_;
  bool stopRequested_ = false;
};

}  // namespace veltrum
