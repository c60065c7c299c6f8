#include "plotter/window/form_controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <vector>

#include "window/classic_frame.h"
#include "chart/chart.h"

namespace veltrum {

namespace {

constexpr int kBoldLabelPixels = 13;

QFont BoldFont(const QFont& base) {
  QFont font(base);
  font.setPixelSize(kBoldLabelPixels);
  font.setBold(true);
  return font;
}

QWidget* Create(QWidget& form, const ControlRow& row) {
  const QString text = QString::fromUtf8(row.text ? row.text : "");
  switch (row.kind) {
    case ControlKind::Chart: return new Chart(&form);
    case ControlKind::ProgressBar: {
      auto* bar = new QProgressBar(&form);
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

QFont FormFont() {
  QFont font;
  font.setFamilies(
      {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(11);
  return font;
}

void BuildControls(QWidget& form, std::span<const ControlRow> rows) {
  std::vector<std::pair<int, QWidget*>> tabStops;
  for (const ControlRow& row : rows) {
    QWidget* control = Create(form, row);
    control->setObjectName(QString::fromLatin1(row.name));
    if (row.width > 0) {
      control->setGeometry(row.left, row.top, row.width, row.height);
    } else {
      control->adjustSize();
      control->move(row.left, row.top);
    }
    if (row.tab != kNoTabStop) tabStops.emplace_back(row.tab, control);
  }
  std::stable_sort(tabStops.begin(), tabStops.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 1; i < tabStops.size(); ++i)
    QWidget::setTabOrder(tabStops[i - 1].second, tabStops[i].second);
}

}  // namespace veltrum
