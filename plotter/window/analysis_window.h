#pragma once
// The window "Анализ функции" beside the plot window: the zeros, extrema,
// breaks, intersections and the integral of one list entry over a range,
// found on worker calculators while the window stays live. A selected row
// is marked on the chart; "На дисплей" and Enter send its x or y to the
// calculator display as a pasted number.
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "plotter/analysis.h"
#include "window/dialogs.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace veltrum {

class BackgroundAnalysis;
class Chart;

inline constexpr std::string_view kAnalysisCaption = "Анализ функции";
inline constexpr std::string_view kAnalysisItem = "Анализ функции…";

class TfrmAnalysis : public QWidget {
  Q_OBJECT

 public:
  // send puts a number text on the calculator display.
  using Send = std::function<void(const std::string&)>;
  TfrmAnalysis(Chart& chart, Dialogs& dialogs, Send send, QWidget* parent = nullptr);
  ~TfrmAnalysis() override;

  void SetThreads(int threads) { threads_ = threads; }
  // Opens for entry selected of entries with the plot window's range,
  // and starts the search.
  void Open(const QStringList& entries, int selected, const QString& from, const QString& to, SamplingStep step,
            bool radians);
  // The plot window's list changed: an entry shown here that changed or
  // went loses its findings and its marks.
  void SetEntries(const QStringList& entries);

  void cmdFindClick();
  void cmdSendClick();
  void CopyClick();
  bool IsRunning() const { return run_ != nullptr; }
  QListWidget* Results() const { return lstResults; }

 signals:
  // A search has ended and its box, if any, was closed.
  void searchFinished();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void FillSecondChoices();
  void Finish();
  void ShowResult(const AnalysisResult& result);
  void ShowSelection();
  void ShowPointValue();
  void SetRunning(bool running);
  void ClearFindings();

  Chart& chart_;
  Dialogs& dialogs_;
  Send send_;
  int threads_ = 1;
  bool radians_ = true;
  QStringList entries_;
  std::unique_ptr<BackgroundAnalysis> run_;
  int runSeries_ = 0;
  std::vector<double> curveX_, curveY_;

  QComboBox* cboFunction;
  QComboBox* cboSecond;
  QLineEdit* txtFrom;
  QLineEdit* txtTo;
  QComboBox* cboStep;
  QPushButton* cmdFind;
  QLabel* lblStatus;
  QListWidget* lstResults;
  QLineEdit* txtPointX;
  QLabel* lblPointY;
  QRadioButton* optSendX;
  QRadioButton* optSendY;
  QPushButton* cmdSend;
  QPushButton* cmdCloseAnalysis;
};

}  // namespace veltrum
