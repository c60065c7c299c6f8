#pragma once
// The plot window: a list of up to ten functions Y=F(X), each drawn as its
// own point series of Chart1 by a sampling run through the calculator.
#include <QWidget>
#include <algorithm>
#include <thread>
#include <string_view>

#include "calculator/calculator.h"
#include "plotter/sampling.h"
#include "plotter/window/file_chooser.h"
#include "window/dialogs.h"

class QAction;
class QLineEdit;
class QMenu;
class QListWidget;
class QProgressBar;
class QRadioButton;

namespace veltrum {

class Chart;

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

class TForm3 : public QWidget {
  Q_OBJECT

 public:
  TForm3(Calculator& calc, Dialogs& dialogs, QWidget* parent = nullptr);

  // The calculator window, shown again when this window closes.
  void SetCalculatorWindow(QWidget* form1);
  void SetHelpWindow(QWidget* frmSynt) { frmSynt_ = frmSynt; }
  // Where the chart's popup menu asks for file names; the toolkit's save
  // dialog unless replaced.
  void SetFileChooser(FileChooser& chooser) { files_ = &chooser; }

  // How many threads a run computes its samples on; one per core unless
  // set (1 computes them on this window's thread).
  void SetSamplingThreads(int threads) { threads_ = std::max(1, threads); }

  // Draws the function of list entry k into series k.
  void PlotFunction(int k);

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
  // Ctrl+S) and the points of the drawn functions as a table.
  void mnuSaveImageClick();
  void mnuSavePointsClick();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  int Count() const;
  // The selected entry's position, or -1.
  int Selected() const;
  StepChoice CheckedStep() const;
  void ShowCalculatorWindow();
  void CreatePopupMenu();
  QString SuggestedPath(const QString& name) const;
  void ReportSaveFailure(const QString& path);

  Calculator& calc_;
  int threads_ = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  Dialogs& dialogs_;
  QWidget* form1_ = nullptr;
  QWidget* frmSynt_ = nullptr;
  QtFileChooser ownFiles_{this};
  FileChooser* files_ = &ownFiles_;
  // The folder of the last file saved, offered for the next one.
  QString saveDir_;

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
};

}  // namespace veltrum
