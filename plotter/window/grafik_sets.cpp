// The function list's context menu of the plot window: the list, the
// bounds and the step saved to a function set file and opened again.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <array>
#include <variant>

#include "number/number_text.h"
#include "chart/chart.h"
#include "plotter/window/analysis_window.h"
#include "plotter/window/grafik.h"
#include "window/text.h"

namespace veltrum {

namespace {

constexpr std::string_view kSaveSetItem = "Сохранить набор функций…";
constexpr std::string_view kOpenSetItem = "Открыть набор функций…";
constexpr std::string_view kSaveSetCaption = "Сохранить набор функций";
constexpr std::string_view kOpenSetCaption = "Открыть набор функций";
constexpr std::string_view kSetName = "Функции.vfs";
constexpr std::string_view kSetFilter = "Набор функций (*.vfs)";

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

void TForm3::CreateListMenu() {
  const auto add = [this](std::string_view text, const char* name, QKeyCombination key,
                          void (TForm3::*handler)()) {
    auto* action = new QAction(FromUtf8(text), this);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(QKeySequence(key));
    // Anywhere in the window, as the chart's save image was.
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, handler);
    ListBox1->addAction(action);
    return action;
  };
  mnuSaveSet = add(kSaveSetItem, "mnuSaveSet", Qt::CTRL | Qt::Key_S, &TForm3::mnuSaveSetClick);
  mnuOpenSet = add(kOpenSetItem, "mnuOpenSet", Qt::CTRL | Qt::Key_O, &TForm3::mnuOpenSetClick);
  mnuAnalysis = add(kAnalysisItem, "mnuAnalysis", Qt::CTRL | Qt::Key_I, &TForm3::mnuAnalysisClick);
  ListBox1->setContextMenuPolicy(Qt::ActionsContextMenu);
}

FunctionSet TForm3::ShownSet() const {
  FunctionSet set;
  for (int k = 0; k < Count(); ++k)
    set.expressions.push_back(ExpressionOf(ListBox1->item(k)->text()).toStdString());
  const std::array<std::pair<const QLineEdit*, std::string*>, 6> bounds{{
      {txtXLeft, &set.xLeft},
      {txtXRight, &set.xRight},
      {txtYLeft, &set.yLeft},
      {txtYRight, &set.yRight},
      {txtFLeft, &set.from},
      {txtFRight, &set.to},
  }};
  for (const auto& [edit, text] : bounds) *text = edit->text().toStdString();
  set.step = CheckedStep();
  return set;
}

bool TForm3::HasUnsavedSet() const {
  if (!savedSet_) return Count() > 0;
  return ShownSet() != *savedSet_;
}

bool TForm3::MayDiscardSet() {
  if (!HasUnsavedSet()) return true;
  switch (dialogs_.QuestionWithCancel(kSaveSetQuestion)) {
    case Choice::Yes:
      mnuSaveSetClick();
      return !HasUnsavedSet();
    case Choice::No: return true;
    case Choice::Cancel: return false;
  }
  return false;
}

std::optional<FunctionSet> TForm3::CurrentSet() {
  FunctionSet set;
  for (int k = 0; k < Count(); ++k)
    set.expressions.push_back(ExpressionOf(ListBox1->item(k)->text()).toStdString());
  const std::array<std::pair<QLineEdit*, std::string*>, 6> bounds{{
      {txtXLeft, &set.xLeft},
      {txtXRight, &set.xRight},
      {txtYLeft, &set.yLeft},
      {txtYRight, &set.yRight},
      {txtFLeft, &set.from},
      {txtFRight, &set.to},
  }};
  for (const auto& [edit, text] : bounds) {
    *text = edit->text().toStdString();
    try {
      ReadNumberDouble(*text);
    } catch (const CalcFailure&) {
      dialogs_.ShowMessage(MessageKind::Error, kBadBoundsText);
      return std::nullopt;
    }
  }
  set.step = CheckedStep();
  // What the file could not give back (a line too long) is not saved.
  if (const auto read = ReadFunctionSet(FunctionSetText(set)); std::holds_alternative<SetRefusal>(read)) {
    dialogs_.ShowMessage(MessageKind::Error, std::get<SetRefusal>(read).message);
    return std::nullopt;
  }
  return set;
}

void TForm3::ApplySet(const FunctionSet& set) {
  {
    ChartUpdate update(*Chart1);
    for (int i = 0; i < kSeriesCount; ++i) {
      Chart1->Clear(i);
      Chart1->SetActive(i, i < static_cast<int>(set.expressions.size()));
    }
  }
  ListBox1->clear();
  for (std::size_t k = 0; k < set.expressions.size(); ++k)
    ListBox1->addItem(QString::number(k + 1) + QStringLiteral(":F(X)=") + FromUtf8(set.expressions[k]));
  txtXLeft->setText(FromUtf8(set.xLeft));
  txtXRight->setText(FromUtf8(set.xRight));
  txtYLeft->setText(FromUtf8(set.yLeft));
  txtYRight->setText(FromUtf8(set.yRight));
  txtFLeft->setText(FromUtf8(set.from));
  txtFRight->setText(FromUtf8(set.to));
  if (set.step == kStepHundredth)
    rad001->setChecked(true);
  else if (set.step == kStepThousandth)
    rad0001->setChecked(true);
  else
    rad01->setChecked(true);
}

void TForm3::mnuSaveSetClick() {
  if (IsRunning()) return;
  const std::optional<FunctionSet> set = CurrentSet();
  if (!set) return;
  QString path = SuggestedPath(FromUtf8(kSetName));
  int filter = 0;
  if (!files_->SaveFileName(FromUtf8(kSaveSetCaption), {FromUtf8(kSetFilter)}, path, filter) ||
      path.isEmpty())
    return;
  if (QFileInfo(path).suffix().isEmpty()) path += u'.' + FromUtf8(kFunctionSetSuffix);
  if (std::string reason; !SaveFunctionSet(*set, LocalPath(path), &reason)) {
    ReportSaveFailure(path, reason);
    return;
  }
  savedSet_ = ShownSet();
  saveDir_ = QFileInfo(path).absolutePath();
}

// A refused file changes nothing; the question comes only for a file
// that can be opened.
void TForm3::mnuOpenSetClick() {
  if (IsRunning()) return;
  QString path = saveDir_.isEmpty() ? QDir::homePath() : saveDir_;
  if (!files_->OpenFileName(FromUtf8(kOpenSetCaption), {FromUtf8(kSetFilter)}, path) || path.isEmpty())
    return;
  const std::variant<FunctionSet, SetRefusal> read = LoadFunctionSet(LocalPath(path));
  if (const auto* refusal = std::get_if<SetRefusal>(&read)) {
    dialogs_.ShowMessage(MessageKind::Error, refusal->message);
    return;
  }
  if (Count() > 0 && !dialogs_.Question(kReplaceListText)) return;
  ApplySet(std::get<FunctionSet>(read));
  savedSet_ = ShownSet();
  saveDir_ = QFileInfo(path).absolutePath();
  cmdReDrawAllClick();
}

}  // namespace veltrum
