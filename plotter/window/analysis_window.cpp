#include "plotter/window/analysis_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "number/number_text.h"
#include "chart/chart.h"
#include "plotter/background_analysis.h"
#include "plotter/window/grafik.h"
#include "window/text.h"
#include "window/wrapped_lines.h"

namespace veltrum {
namespace {

constexpr std::string_view kKindNames[] = {"Нуль", "Минимум", "Максимум", "Разрыв", "Пересечение с "};
constexpr std::string_view kIntegralName = "Интеграл";
constexpr std::string_view kNoSecond = "нет";
constexpr std::string_view kSearching = "Идёт поиск… (Esc — остановить)";
constexpr std::string_view kStopped = "Поиск остановлен.";
constexpr std::string_view kNothingFound = "Нулей, экстремумов и разрывов нет.";
constexpr std::string_view kNotDefined = "не определена";

enum Role { KindRole = Qt::UserRole, XRole, YRole, HasYRole };
constexpr int kIntegralKind = -1;

QString Number(double v) { return QString::fromStdString(NumberText(v)); }

template <class W>
W* Named(W* w, const char* name, std::string_view accessible) {
  w->setObjectName(QString::fromLatin1(name));
  w->setAccessibleName(FromUtf8(accessible));
  return w;
}

}  // namespace

TfrmAnalysis::TfrmAnalysis(Chart& chart, Dialogs& dialogs, Send send, QWidget* parent)
    : QWidget(parent, Qt::Window), chart_(chart), dialogs_(dialogs), send_(std::move(send)) {
  setObjectName(QStringLiteral("frmAnalysis"));
  setWindowTitle(FromUtf8(kAnalysisCaption));
  BuildControls();
}

TfrmAnalysis::~TfrmAnalysis() = default;

void TfrmAnalysis::BuildControls() {
  cboFunction = Named(new QComboBox, "cboFunction", "Функция");
  cboSecond = Named(new QComboBox, "cboSecond", "Пересечение с");
  txtFrom = Named(new QLineEdit, "txtFrom", "x от");
  txtTo = Named(new QLineEdit, "txtTo", "x до");
  cboStep = Named(new QComboBox, "cboStep", "Шаг");
  for (SamplingStep s : {kStepTenth, kStepHundredth, kStepThousandth}) cboStep->addItem(FromUtf8(StepText(s)));
  cmdFind = Named(new QPushButton(QStringLiteral("Найти")), "cmdFind", "Найти");
  lblStatus = Named(new QLabel, "lblStatus", "Состояние");
  lblStatus->setWordWrap(true);
  lstResults = Named(new QListWidget, "lstResults", "Результаты");
  lstResults->setSelectionMode(QAbstractItemView::ExtendedSelection);
  WrapLines(*lstResults);
  txtPointX = Named(new QLineEdit, "txtPointX", "Значение в точке: x");
  lblPointY = Named(new QLabel, "lblPointY", "F(x)");
  lblPointY->setTextInteractionFlags(Qt::TextSelectableByMouse);
  optSendX = Named(new QRadioButton(QStringLiteral("x")), "optSendX", "Отправлять x");
  optSendY = Named(new QRadioButton(QStringLiteral("y")), "optSendY", "Отправлять y");
  optSendX->setChecked(true);
  cmdSend = Named(new QPushButton(QStringLiteral("На дисплей")), "cmdSend", "На дисплей");
  cmdCloseAnalysis = Named(new QPushButton(QStringLiteral("Закрыть")), "cmdCloseAnalysis", "Закрыть");

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Функция:"), cboFunction);
  form->addRow(QStringLiteral("Пересечение с:"), cboSecond);
  auto* range = new QHBoxLayout;
  range->addWidget(new QLabel(QStringLiteral("от")));
  range->addWidget(txtFrom);
  range->addWidget(new QLabel(QStringLiteral("до")));
  range->addWidget(txtTo);
  range->addWidget(new QLabel(QStringLiteral("шаг")));
  range->addWidget(cboStep);
  range->addWidget(cmdFind);
  form->addRow(QStringLiteral("x:"), range);
  auto* point = new QHBoxLayout;
  point->addWidget(txtPointX);
  point->addWidget(lblPointY, 1);
  auto* sendRow = new QHBoxLayout;
  sendRow->addWidget(optSendX);
  sendRow->addWidget(optSendY);
  sendRow->addWidget(cmdSend);
  sendRow->addStretch(1);
  sendRow->addWidget(cmdCloseAnalysis);
  auto* all = new QVBoxLayout(this);
  all->addLayout(form);
  all->addWidget(lblStatus);
  all->addWidget(lstResults, 1);
  auto* pointForm = new QFormLayout;
  pointForm->addRow(QStringLiteral("Значение в точке, x ="), point);
  all->addLayout(pointForm);
  all->addLayout(sendRow);
  resize(460, 420);

  connect(cmdFind, &QPushButton::clicked, this, &TfrmAnalysis::cmdFindClick);
  connect(txtFrom, &QLineEdit::returnPressed, this, &TfrmAnalysis::cmdFindClick);
  connect(txtTo, &QLineEdit::returnPressed, this, &TfrmAnalysis::cmdFindClick);
  connect(cboFunction, &QComboBox::activated, this, [this] {
    FillSecondChoices();
    cmdFindClick();
  });
  connect(cboSecond, &QComboBox::activated, this, &TfrmAnalysis::cmdFindClick);
  connect(cmdSend, &QPushButton::clicked, this, &TfrmAnalysis::cmdSendClick);
  connect(cmdCloseAnalysis, &QPushButton::clicked, this, &QWidget::close);
  connect(lstResults, &QListWidget::itemSelectionChanged, this, &TfrmAnalysis::ShowSelection);
  // Enter and a double-click on a row.
  connect(lstResults, &QListWidget::activated, this, &TfrmAnalysis::cmdSendClick);
  connect(txtPointX, &QLineEdit::textChanged, this, &TfrmAnalysis::ShowPointValue);
  auto* copy = new QAction(this);
  copy->setShortcut(QKeySequence::Copy);
  copy->setShortcutContext(Qt::WidgetShortcut);
  connect(copy, &QAction::triggered, this, &TfrmAnalysis::CopyClick);
  lstResults->addAction(copy);
}

void TfrmAnalysis::Open(const QStringList& entries, int selected, const QString& from, const QString& to,
                        SamplingStep step, bool radians) {
  entries_ = entries;
  radians_ = radians;
  FillChoices(std::max(selected, 0), -1);
  txtFrom->setText(from);
  txtTo->setText(to);
  const int stepIndex = cboStep->findText(FromUtf8(StepText(step)));
  cboStep->setCurrentIndex(std::max(stepIndex, 0));
  lstResults->setFocus();
  if (!entries.isEmpty()) cmdFindClick();
}

void TfrmAnalysis::FillSecondChoices(int keep) {
  cboSecond->clear();
  cboSecond->addItem(FromUtf8(kNoSecond), -1);
  for (int k = 0; k < entries_.size(); ++k)
    if (k != cboFunction->currentIndex()) cboSecond->addItem(entries_[k], k);
  cboSecond->setCurrentIndex(std::max(cboSecond->findData(keep), 0));
}

void TfrmAnalysis::FillChoices(int function, int second) {
  cboFunction->clear();
  cboFunction->addItems(entries_);
  cboFunction->setCurrentIndex(std::min(function, static_cast<int>(entries_.size()) - 1));
  FillSecondChoices(second);
}

void TfrmAnalysis::SetEntries(const QStringList& entries) {
  const int function = cboFunction->currentIndex(), second = cboSecond->currentData().toInt();
  entries_ = entries;
  const auto changed = [&](int k, const QString& entry) { return k >= 0 && entries.value(k) != entry; };
  if (changed(searched_.function, searched_.functionEntry) || changed(searched_.second, searched_.secondEntry))
    Forget();
  FillChoices(std::max(function, 0), second);
}

void TfrmAnalysis::SeriesCleared(int series) {
  if (series == searched_.function) Forget();
}

void TfrmAnalysis::Forget() {
  // A search for the old text has nothing to report.
  if (run_) {
    run_.reset();
    SetRunning(false);
  }
  ClearFindings();
  lblStatus->clear();
  searched_ = {};
}

void TfrmAnalysis::ClearFindings() {
  lstResults->clear();
  curveX_.clear();
  curveY_.clear();
  chart_.ClearMarks();
}

void TfrmAnalysis::cmdFindClick() {
  if (run_ || cboFunction->currentIndex() < 0) return;
  ClearFindings();
  lblStatus->clear();
  const int k = cboFunction->currentIndex();
  const std::string expression = ExpressionOf(entries_[k]).toStdString();
  const std::string from = txtFrom->text().toStdString(), to = txtTo->text().toStdString();
  const SamplingStep step = StepFromText(cboStep->currentText().toStdString()).value_or(kNoStep);
  RunEnd refusal;
  // The checks and the messages of a sampling run.
  const std::optional<SamplingPlan> plan = PlanSampling({expression, from, to, step}, refusal);
  if (!plan) {
    ShowRunFailure(dialogs_, refusal);
    emit searchFinished();
    return;
  }
  AnalysisRequest request{expression, {}, *plan, radians_};
  searched_ = {.function = k, .second = -1, .functionEntry = entries_[k], .secondEntry = {}};
  if (const int second = cboSecond->currentData().toInt(); second >= 0 && second < entries_.size()) {
    request.second = ExpressionOf(entries_[second]).toStdString();
    searched_.second = second;
    searched_.secondEntry = entries_[second];
  }
  SetRunning(true);
  run_ = std::make_unique<BackgroundAnalysis>(std::move(request), threads_, [this] {
    QMetaObject::invokeMethod(this, &TfrmAnalysis::Finish, Qt::QueuedConnection);
  });
}

void TfrmAnalysis::Finish() {
  if (!run_) return;
  const std::optional<AnalysisResult> result = run_->Result();
  if (!result) return;
  run_.reset();
  SetRunning(false);
  switch (result->end.kind) {
    case RunEnd::Kind::Completed: ShowResult(*result); break;
    case RunEnd::Kind::Stopped: lblStatus->setText(FromUtf8(kStopped)); break;
    case RunEnd::Kind::Failed: ShowRunFailure(dialogs_, result->end); break;
  }
  emit searchFinished();
}

void TfrmAnalysis::ShowResult(const AnalysisResult& result) {
  const QString second = searched_.second >= 0 ? QStringLiteral("F%1").arg(searched_.second + 1) : QString();
  for (const Finding& f : result.findings) {
    QString text = FromUtf8(kKindNames[static_cast<int>(f.kind)]);
    if (f.kind == FindingKind::Intersection) text += second;
    text += QStringLiteral(": x = ") + Number(f.x);
    if (f.kind != FindingKind::Break) text += QStringLiteral("; y = ") + Number(f.y);
    auto* item = new QListWidgetItem(lstResults);
    SetWholeText(*item, text);
    item->setData(KindRole, static_cast<int>(f.kind));
    item->setData(XRole, f.x);
    item->setData(YRole, f.y);
    item->setData(HasYRole, f.kind != FindingKind::Break);
  }
  auto* integral = new QListWidgetItem(lstResults);
  integral->setData(KindRole, kIntegralKind);
  if (result.integral.end == IntegralValue::End::Computed) {
    SetWholeText(*integral, FromUtf8(kIntegralName) + QStringLiteral(" = ") + Number(result.integral.value));
    integral->setData(YRole, result.integral.value);
    integral->setData(HasYRole, true);
  } else {
    SetWholeText(*integral, FromUtf8(IntegralMessage(result.integral)));
    integral->setData(HasYRole, false);
  }
  curveX_ = result.curveX;
  curveY_ = result.curveY;
  if (result.findings.empty()) lblStatus->setText(FromUtf8(kNothingFound));
  lstResults->setCurrentRow(0, QItemSelectionModel::NoUpdate);
}

void TfrmAnalysis::ShowSelection() {
  chart_.ClearMarks();
  const QList<QListWidgetItem*> selected = lstResults->selectedItems();
  if (selected.isEmpty()) return;
  const QListWidgetItem* item = selected.first();
  if (item->data(KindRole).toInt() == kIntegralKind) {
    if (item->data(HasYRole).toBool())
      chart_.SetShading(searched_.function, QVector<double>(curveX_.begin(), curveX_.end()),
                        QVector<double>(curveY_.begin(), curveY_.end()));
    return;
  }
  // On the chart the row's parts stand one under another, narrow enough
  // for the plot area.
  const bool hasY = item->data(HasYRole).toBool();
  const double y = hasY ? item->data(YRole).toDouble() : 0.0;
  QString text = item->text();
  text.replace(QStringLiteral(": "), QStringLiteral("\n")).replace(QStringLiteral("; "), QStringLiteral("\n"));
  chart_.SetMark(searched_.function, item->data(XRole).toDouble(), y, text);
}

void TfrmAnalysis::ShowPointValue() {
  const int k = cboFunction->currentIndex();
  if (k < 0 || txtPointX->text().trimmed().isEmpty()) {
    lblPointY->clear();
    return;
  }
  try {
    const double x = ReadNumberDouble(txtPointX->text().toStdString());
    const std::optional<double> y = ValueAt(ExpressionOf(entries_[k]).toStdString(), x, radians_);
    lblPointY->setText(QStringLiteral("F(x) = ") + (y ? Number(*y) : FromUtf8(kNotDefined)));
  } catch (const CalcFailure&) {
    lblPointY->setText(QStringLiteral("F(x) = —"));
  }
  lblPointY->setAccessibleName(lblPointY->text());
}

void TfrmAnalysis::cmdSendClick() {
  const QListWidgetItem* item = lstResults->currentItem();
  if (!item || !item->isSelected()) return;
  const bool integral = item->data(KindRole).toInt() == kIntegralKind;
  const bool sendY = integral || optSendY->isChecked();
  if (sendY && !item->data(HasYRole).toBool()) return;
  send_(NumberText(item->data(sendY ? YRole : XRole).toDouble()));
}

void TfrmAnalysis::CopyClick() {
  QStringList lines;
  for (int i = 0; i < lstResults->count(); ++i)
    if (lstResults->item(i)->isSelected()) lines << lstResults->item(i)->text();
  if (!lines.isEmpty()) QApplication::clipboard()->setText(lines.join(u'\n') + u'\n');
}

void TfrmAnalysis::SetRunning(bool running) {
  for (QWidget* w : std::initializer_list<QWidget*>{cboFunction, cboSecond, txtFrom, txtTo, cboStep, cmdFind,
                                                   lstResults, txtPointX, cmdSend})
    w->setEnabled(!running);
  if (running) {
    lblStatus->setText(FromUtf8(kSearching));
    setFocus();
  } else {
    lblStatus->clear();
    lstResults->setFocus();
  }
}

void TfrmAnalysis::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    if (run_)
      run_->Stop();
    else
      close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TfrmAnalysis::closeEvent(QCloseEvent* event) {
  if (run_) run_->Stop();
  run_.reset();
  SetRunning(false);
  chart_.ClearMarks();
  QWidget::closeEvent(event);
}

}  // namespace veltrum
