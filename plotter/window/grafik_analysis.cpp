// The plot window's side of the analysis window: it opens it beside this
// window for the selected entry, tells it when the list changes, and puts
// the numbers it sends on the calculator display.
#include <QLineEdit>
#include <QListWidget>

#include "number/failure.h"
#include "plotter/window/analysis_window.h"
#include "plotter/window/grafik.h"
#include "window/beside.h"
#include "window/top_level.h"

namespace veltrum {
namespace {

QStringList Entries(const QListWidget& list) {
  QStringList out;
  for (int k = 0; k < list.count(); ++k) out << list.item(k)->text();
  return out;
}

}  // namespace

void TForm3::mnuAnalysisClick() {
  if (Count() == 0) return;
  if (!frmAnalysis_) {
    frmAnalysis_ = new TfrmAnalysis(
        *Chart1, dialogs_,
        [this](const std::string& number) {
          try {
            if (!calc_.Press(Input::Pasted(number))) dialogs_.ShowMessage(MessageKind::Information, kPasteRefusedText);
          } catch (const std::exception& e) {
            dialogs_.ErrorBox(QString::fromStdString(ErrorBoxText(e.what())));
          }
          // The number joins the calculation there: typing goes on there.
          ShowCalculatorWindow();
        },
        this);
    // Every change of the list: "Изменить" and the renumbering of "Удалить"
    // change entries, "Добавить" inserts one, "Удалить" removes the last,
    // an opened set replaces them all.
    auto* model = ListBox1->model();
    const auto changed = [this] { frmAnalysis_->SetEntries(Entries(*ListBox1)); };
    connect(model, &QAbstractItemModel::dataChanged, frmAnalysis_, changed);
    connect(model, &QAbstractItemModel::rowsInserted, frmAnalysis_, changed);
    connect(model, &QAbstractItemModel::rowsRemoved, frmAnalysis_, changed);
    connect(model, &QAbstractItemModel::modelReset, frmAnalysis_, changed);
  }
  frmAnalysis_->SetThreads(threads_);
  const bool placed = frmAnalysis_->isVisible();
  frmAnalysis_->Open(Entries(*ListBox1), std::max(Selected(), 0), txtFLeft->text(), txtFRight->text(),
                     CheckedStep(), calc_.Radians());
  if (!placed) PlaceBeside(*frmAnalysis_, *this);
  BringToFront(*frmAnalysis_);
}

void TForm3::SeriesCleared(int series) {
  if (frmAnalysis_) frmAnalysis_->SeriesCleared(series);
}

}  // namespace veltrum
