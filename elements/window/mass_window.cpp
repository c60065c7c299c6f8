// The molar-mass window. The formula is read again at every change of the
// edit line; a wrong one is explained in a label and its offending part
// underlined in the edit line, with no box and nothing sent to the display.
#include "elements/window/mass_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "number/number_text.h"
#include "elements/formula.h"
#include "elements/window/composition_bars.h"
#include "window/design_fonts.h"
#include "window/text.h"
#include "window/top_level.h"

namespace veltrum {
namespace {

constexpr const char* kMassName = "Молярная масса";
constexpr const char* kErrorName = "Ошибка в формуле";
constexpr const char* kColumns[] = {"Элемент", "Число атомов", "Вклад, г/моль", "Доля, %"};

QTableWidgetItem* Cell(const QString& text, Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter) {
  auto* item = new QTableWidgetItem(text);
  item->setTextAlignment(align);
  item->setFlags(Qt::ItemIsEnabled);
  return item;
}

template <typename W>
W* Named(W* w, const char* name, const QString& spoken) {
  w->setObjectName(name);
  w->setAccessibleName(spoken);
  return w;
}

// A line that changes as the formula is typed: its text is also its
// accessible name and description, so a screen reader reads the result or
// the error (and hears of each change) rather than only what the line is.
void ShowSpoken(QLabel& label, const QString& what, const QString& text) {
  label.setText(text);
  label.setAccessibleName(text.isEmpty() ? what : what + ": " + text);
  label.setAccessibleDescription(text);
}

}  // namespace

TfrmMass::TfrmMass(EnterText enter, QWidget* parent) : QWidget(parent), enter_(std::move(enter)) {
  setObjectName("frmMass");
  setWindowTitle("Молярная масса по формуле");
  setWindowFlags(kFixedWindowFlags);
  setFont(WindowFont());

  auto* prompt = Named(new QLabel("Формула:", this), "Label1", "Формула");
  txtFormula_ = Named(new QLineEdit(this), "txtFormula", "Формула");
  txtFormula_->setFont(ControlFont(Face::Arial, 16, false));
  txtFormula_->setToolTip("Например CuSO4*5H2O или K4[Fe(CN)6]");
  prompt->setBuddy(txtFormula_);
  lblMass_ = Named(new QLabel(this), "lblMass", kMassName);
  lblMass_->setFont(ControlFont(Face::Arial, 19, true));
  lblMass_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lblError_ = Named(new QLabel(this), "lblError", kErrorName);
  lblError_->setWordWrap(true);
  lblError_->setMinimumHeight(30);  // the window keeps its size as the message comes and goes
  QPalette red = lblError_->palette();
  red.setColor(QPalette::WindowText, QColor(0xC0, 0, 0));
  lblError_->setPalette(red);

  grdComposition_ = Named(new QTableWidget(0, 4, this), "grdComposition", "Состав");
  for (int c = 0; c < 4; ++c) grdComposition_->setHorizontalHeaderItem(c, Cell(kColumns[c], Qt::AlignCenter));
  grdComposition_->horizontalHeader()->setAccessibleName("Столбцы состава");
  grdComposition_->verticalHeader()->hide();
  grdComposition_->setCornerButtonEnabled(false);
  grdComposition_->setItemDelegateForColumn(3, new CompositionBars(grdComposition_));
  grdComposition_->setSelectionMode(QAbstractItemView::NoSelection);
  grdComposition_->setColumnWidth(0, 70);
  grdComposition_->setColumnWidth(1, 100);
  grdComposition_->setColumnWidth(2, 120);
  grdComposition_->setColumnWidth(3, 180);
  grdComposition_->setFixedSize(494, 200);

  cmdDisplay_ = Named(new QPushButton("На дисплей", this), "cmdDisplay", "На дисплей");
  cmdDisplay_->setToolTip("Ввести массу на табло калькулятора (Enter)");

  auto* editRow = new QHBoxLayout;
  editRow->addWidget(prompt);
  editRow->addWidget(txtFormula_, 1);
  auto* resultRow = new QHBoxLayout;
  resultRow->addWidget(lblMass_, 1);
  resultRow->addWidget(cmdDisplay_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(editRow);
  layout->addLayout(resultRow);
  layout->addWidget(lblError_);
  layout->addWidget(grdComposition_);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(txtFormula_, &QLineEdit::textChanged, this, &TfrmMass::txtFormulaChange);
  connect(txtFormula_, &QLineEdit::returnPressed, this, &TfrmMass::cmdDisplayClick);
  connect(cmdDisplay_, &QPushButton::clicked, this, &TfrmMass::cmdDisplayClick);
  // Escape closes the window as it closes the program's other small ones.
  auto* close = new QAction(this);
  close->setShortcut(Qt::Key_Escape);
  addAction(close);
  connect(close, &QAction::triggered, this, &QWidget::close);
  txtFormulaChange();
}

void TfrmMass::FormShow() {
  txtFormula_->selectAll();
  txtFormula_->setFocus(Qt::ActiveWindowFocusReason);
}

void TfrmMass::txtFormulaChange() {
  const QString formula = txtFormula_->text();
  const FormulaResult r = ParseFormula(formula.toStdString());
  grdComposition_->setRowCount(0);
  if (r.ok())
    ShowMass(r);
  else
    ShowError(formula, r);
}

void TfrmMass::ShowMass(const FormulaResult& r) {
  massText_ = r.value.text;
  MarkError(0, 0);
  ShowSpoken(*lblMass_, kMassName, "M = " + FromUtf8(massText_) + " г/моль");
  ShowSpoken(*lblError_, kErrorName, {});
  cmdDisplay_->setEnabled(true);
  for (const FormulaElement& e : r.value.elements) {
    const int row = grdComposition_->rowCount();
    grdComposition_->insertRow(row);
    grdComposition_->setItem(row, 0, Cell(FromUtf8(e.symbol), Qt::AlignCenter));
    grdComposition_->setItem(row, 1, Cell(FromUtf8(NumberText(static_cast<Extended>(e.count)))));
    grdComposition_->setItem(row, 2, Cell(FromUtf8(NumberText(e.contribution))));
    // The table is narrow: per cents to two places, the bar shows the rest.
    auto* fraction = Cell(QString::number(static_cast<double>(e.fraction), 'f', 2).replace('.', ','));
    fraction->setData(kFractionRole, static_cast<double>(e.fraction));
    grdComposition_->setItem(row, 3, fraction);
  }
}

void TfrmMass::ShowError(const QString& formula, const FormulaResult& r) {
  massText_.clear();
  cmdDisplay_->setEnabled(false);
  ShowSpoken(*lblMass_, kMassName, "M = ?");
  const std::string utf8 = formula.toStdString();
  // An empty line asks for a formula; no position to point at.
  const bool blank = formula.trimmed().isEmpty();
  ShowSpoken(*lblError_, kErrorName, FromUtf8(blank ? r.error->message : FormulaErrorText(utf8, *r.error)));
  // Byte offsets of the core become UTF-16 offsets of the edit line.
  const int start = static_cast<int>(FromUtf8(std::string_view(utf8).substr(0, r.error->position)).size());
  const int length =
      static_cast<int>(FromUtf8(std::string_view(utf8).substr(r.error->position, r.error->length)).size());
  MarkError(start, length);
}

// A line edit has no formats of its own; an input-method event with format
// attributes underlines a part without touching the text or the cursor.
void TfrmMass::MarkError(int start, int length) {
  mark_ = {start, length};
  QList<QInputMethodEvent::Attribute> attributes;
  if (length > 0) {
    QTextCharFormat format;
    format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    format.setUnderlineColor(Qt::red);
    format.setForeground(QColor(0xC0, 0, 0));
    attributes.append({QInputMethodEvent::TextFormat, start - txtFormula_->cursorPosition(), length, format});
  }
  QInputMethodEvent event(QString(), attributes);
  QCoreApplication::sendEvent(txtFormula_, &event);
}

void TfrmMass::cmdDisplayClick() {
  if (massText_.empty()) return;
  enter_(massText_, txtFormula_->text().trimmed().toStdString());
}

}  // namespace veltrum
