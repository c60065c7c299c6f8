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
  // The plot window's list changed: both choices follow it, and the
  // findings and marks of an entry that changed or went are dropped.
  void SetEntries(const QStringList& entries);
  // The plot window emptied series k: findings of its function would mark
  // points no longer drawn.
  void SeriesCleared(int series);

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
  void FillChoices(int function, int second);
  // The second function's choices, with entry keep chosen when offered.
  void FillSecondChoices(int keep = -1);
  // Drops the search and the findings with their marks.
  void Forget();
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
  // The entries the findings shown, or searched for, belong to: the
  // function (its series carries the marks) and the second one, if any.
  struct Searched {
    int function = -1, second = -1;
    QString functionEntry, secondEntry;
  } searched_;
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
