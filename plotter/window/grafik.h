#pragma once
// The plot window: a list of up to ten functions Y=F(X), each drawn as its
// own point series of Chart1 by a sampling run through the calculator.
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calculator/calculator.h"
#include "plotter/function_set.h"
#include "plotter/sampling.h"
#include "plotter/window/held_box.h"
#include "window/file_chooser.h"
#include "window/dialogs.h"

class QAction;
class QLineEdit;
class QMenu;
class QListWidget;
class QProgressBar;
class QRadioButton;
class QTimer;

namespace veltrum {

class Chart;
class SamplingRun;
class TfrmAnalysis;

inline constexpr std::string_view kPlotWindowCaption = "Построение графиков функций Y=F(X)";
inline constexpr std::string_view kTooManyFunctionsText =
    "Вы можете построить не больше десяти графиков одновременно.";
inline constexpr std::string_view kBadBoundsText = "Неправильно заданы границы.";
inline constexpr std::string_view kEmptyBoundsText = "Введите другие значения границ.";
inline constexpr std::string_view kChangeCaption = "Изменение функции";
inline constexpr std::string_view kChangePrompt = "Внесите нужные изменения:";
inline constexpr int kChangeMaxLength = 255;
inline constexpr int kMaxFunctions = 10;
inline constexpr std::string_view kSaveFailedText = "Не удалось сохранить файл: ";
inline constexpr std::string_view kReplaceListText = "Заменить список функций и границы набором из файла?";
inline constexpr std::string_view kSaveSetQuestion = "Сохранить набор функций?";
// While a run goes on, the chart and the progress bar take its new samples
// this often.
inline constexpr int kRunCollectIntervalMs = 20;

// The box of a run (a sampling run or an analysis) that failed: its own
// messages (refused bounds, the calculation, memory that ran out) in the
// standard message box, anything else (a thread that could not start) as
// the event loop shows an escaped error. Nothing for a run that did not fail.
void ShowRunFailure(Dialogs& dialogs, const RunEnd& end);

// The expression of a list entry: everything after its first "=", or the
// whole entry when it has none.
QString ExpressionOf(const QString& entry);

class TForm3 : public QWidget {
  Q_OBJECT

 public:
  TForm3(Calculator& calc, Dialogs& dialogs, QWidget* parent = nullptr);
  ~TForm3() override;

  // The calculator window, shown again when this window closes.
  void SetCalculatorWindow(QWidget* form1);
  void SetHelpWindow(QWidget* frmSynt) { frmSynt_ = frmSynt; }
  // Where the chart's popup menu asks for file names; the toolkit's save
  // dialog unless replaced.
  void SetFileChooser(FileChooser& chooser) { files_ = &chooser; }

  // How many worker threads a run computes its samples on; one per core
  // unless set.
  void SetSamplingThreads(int threads) { threads_ = std::max(1, threads); }

  // Draws the function of list entry k into series k. The run goes on
  // after the call returns; a run asked for while another goes on follows
  // it.
  void PlotFunction(int k);
  // Whether a run goes on or waits for its turn, or the box a run ended
  // with waits or is open.
  bool IsRunning() const;
  // Ends the run early, keeping its points, and drops the runs waiting.
  void StopRuns();

  void FormCreate();
  void cmdAddClick();
  void cmdChangeClick();
  void cmdDeleteClick();
  void cmdClearClick();
  void cmdClearAllClick();
  void cmdReDrawClick();
  void cmdReDrawAllClick();
  void cmdChangeGrafGridClick();
  void cmdHelpClick();
  void cmdCloseClick();
  // The title-bar close: the window hides, the calculator window comes back.
  void FormClose();
  // The chart's popup menu PopupMenu1: the chart as a picture (also
  // Ctrl+Shift+S) and the points of the drawn functions as a table.
  void mnuSaveImageClick();
  void mnuSavePointsClick();
  // The list's context menu: the list, the bounds and the step saved as a
  // function set (also Ctrl+S), and a set opened in their place (also
  // Ctrl+O), every function then drawn as "Обновить все" draws it.
  void mnuSaveSetClick();
  void mnuOpenSetClick();
  // The list's context menu and Ctrl+I: the analysis window beside this
  // one, for the selected entry (the first when none is selected).
  void mnuAnalysisClick();
  TfrmAnalysis* AnalysisWindow() const { return frmAnalysis_; }

  // Whether the list, the bounds or the step differ from the set last
  // saved or opened; a list that was never saved counts once it holds a
  // function.
  bool HasUnsavedSet() const;
  // Before the program ends: with unsaved changes asks "Сохранить набор
  // функций?"; Да saves through the save dialog. False when the program
  // should go on (Отмена, or the set was not saved after Да).
  bool MayDiscardSet();

 signals:
  // The last run asked for has ended and its box, if any, was closed.
  void runsFinished();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  int Count() const;
  // The selected entry's position, or -1.
  int Selected() const;
  // The step of the first checked of rad01, rad001, rad0001.
  SamplingStep CheckedStep() const;
  void ShowCalculatorWindow();
  void CreatePopupMenu();
  void CreateListMenu();
  // The window's list, bounds and step as a set; nothing when a bound is
  // not a number (the box says so).
  std::optional<FunctionSet> CurrentSet();
  // The window's list, bounds and step as they stand, unchecked.
  FunctionSet ShownSet() const;
  void ApplySet(const FunctionSet& set);
  // A command emptied series k of the chart: the analysis window drops
  // what it marked there.
  void SeriesCleared(int series);
  QString SuggestedPath(const QString& name) const;
  // The box of a save that failed: the path, and the system's reason
  // where the save gives one.
  void ReportSaveFailure(const QString& path, const std::string& reason = {});
  void StartRuns();
  void CollectRun();
  void ShowHeldBoxes();
  void SetRunning(bool running);

  Calculator& calc_;
  int threads_ = DefaultSamplingThreads();
  Dialogs& dialogs_;
  QWidget* form1_ = nullptr;
  QWidget* frmSynt_ = nullptr;
  QtFileChooser ownFiles_{this};
  FileChooser* files_ = &ownFiles_;
  // The folder of the last file saved, offered for the next one.
  QString saveDir_;
  // The set as last saved or opened; none before the first.
  std::optional<FunctionSet> savedSet_;

  // The run in progress and the series it fills; the runs waiting for
  // their turn.
  std::unique_ptr<SamplingRun> run_;
  int runSeries_ = 0;
  // The calculator's input count when the run started: its last sample is
  // left on the calculator only if nobody has used it since.
  std::uint64_t inputsAtRunStart_ = 0;
  std::deque<int> pendingRuns_;
  QTimer* runTimer_;
  bool running_ = false;
  bool starting_ = false;
  // The boxes of the runs, shown after the handler that ended a run.
  HeldBoxes heldBoxes_;
  bool boxesQueued_ = false;
  QPointer<QWidget> focusBeforeRun_;

  Chart* Chart1;
  QProgressBar* ProgressBar1;
  QLineEdit* txtMain;
  QListWidget* ListBox1;
  QLineEdit* txtXLeft;
  QLineEdit* txtXRight;
  QLineEdit* txtYLeft;
  QLineEdit* txtYRight;
  QLineEdit* txtFLeft;
  QLineEdit* txtFRight;
  QRadioButton* rad01;
  QRadioButton* rad001;
  QRadioButton* rad0001;
  QMenu* PopupMenu1;
  QAction* mnuSaveImage;
  QAction* mnuSavePoints;
  QAction* mnuSaveSet;
  QAction* mnuOpenSet;
  QAction* mnuAnalysis;
  TfrmAnalysis* frmAnalysis_ = nullptr;
};

}  // namespace veltrum
