#include "plotter/window/form_controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "chart/chart.h"
#include "window/classic_frame.h"
#include "window/design_fonts.h"
#include "window/text.h"

namespace veltrum {

namespace {

constexpr int kBoldLabelPixels = 13;

QFont BoldFont(const QFont& base) {
  QFont font(base);
  font.setPixelSize(kBoldLabelPixels);
  font.setBold(true);
  return font;
}

QWidget* Create(const ControlRow& row, QWidget& form) {
  const QString text = QString::fromUtf8(row.text ? row.text : "");
  switch (row.kind) {
    case ControlKind::Chart: {
      auto* chart = new Chart(&form);
      chart->setAccessibleName(QStringLiteral("График"));
      chart->setToolTip(FromUtf8(kChartMouseHint));
      chart->setAccessibleDescription(FromUtf8(kChartMouseHint));
      return chart;
    }
    case ControlKind::ProgressBar: {
      auto* bar = new QProgressBar(&form);
      bar->setAccessibleName(QStringLiteral("Ход построения графика"));
      bar->setRange(0, 100);
      bar->setValue(0);
      bar->setTextVisible(false);
      return bar;
    }
    case ControlKind::Label: return new QLabel(text, &form);
    case ControlKind::BoldLabel: {
      auto* label = new QLabel(text, &form);
      label->setFont(BoldFont(form.font()));
      return label;
    }
    case ControlKind::CentredLabel: {
      auto* label = new QLabel(text, &form);
      label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
      label->setWordWrap(true);
      return label;
    }
    case ControlKind::Edit: return new QLineEdit(text, &form);
    case ControlKind::Button: return new QPushButton(text, &form);
    case ControlKind::ListBox: {
      auto* list = new QListWidget(&form);
      list->setAccessibleName(QStringLiteral("Список функций"));
      list->verticalScrollBar()->setAccessibleName(QStringLiteral("Прокрутка списка функций"));
      list->horizontalScrollBar()->setAccessibleName(QStringLiteral("Прокрутка списка функций"));
      list->setSelectionMode(QAbstractItemView::SingleSelection);
      return list;
    }
    case ControlKind::GroupBox: {
      auto* frame = new ClassicFrame(text, &form);
      frame->setFont(BoldFont(form.font()));
      frame->setFocusPolicy(Qt::NoFocus);
      return frame;
    }
    case ControlKind::Radio: return new QRadioButton(text, &form);
    case ControlKind::RichEdit: {
      auto* viewer = new QPlainTextEdit(text, &form);
      viewer->setAccessibleName(QStringLiteral("Справка"));
      viewer->verticalScrollBar()->setAccessibleName(QStringLiteral("Прокрутка справки"));
      viewer->horizontalScrollBar()->setAccessibleName(QStringLiteral("Прокрутка справки"));
      viewer->setReadOnly(true);
      viewer->setLineWrapMode(QPlainTextEdit::WidgetWidth);
      viewer->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      viewer->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
      return viewer;
    }
  }
  return nullptr;
}

}  // namespace

void BuildForm(QWidget& form, const FormDesign& design, std::span<const ControlRow> rows) {
  form.setObjectName(QString::fromLatin1(design.name));
  form.setWindowTitle(FromUtf8(design.caption));
  form.setFont(WindowFont());
  form.setFixedSize(design.width, design.height);
  form.move(design.left, design.top);
  BuildControls(
      form, rows,
      [](const ControlRow& row) {
        return ControlPlace{.name = row.name,
                            .left = row.left,
                            .top = row.top,
                            .width = row.width,
                            .height = row.height,
                            .tab = row.tab};
      },
      Create);
  // A label names the edit that follows it ("F(X)=", "X: от", "до", ...),
  // which is how a screen reader announces the edit.
  QLabel* label = nullptr;
  for (const ControlRow& row : rows) {
    QWidget* control = form.findChild<QWidget*>(QString::fromLatin1(row.name));
    if (row.kind == ControlKind::Edit && label) label->setBuddy(control);
    label = qobject_cast<QLabel*>(control);
  }
}

}  // namespace veltrum
