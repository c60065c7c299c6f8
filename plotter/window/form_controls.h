#pragma once
// The controls of the plot and help windows' design tables.
#include <QWidget>
#include <span>
#include <string_view>

#include "window/control_rows.h"

namespace veltrum {

enum class ControlKind {
  Chart,
  ProgressBar,
  Label,         // autosized, window font
  BoldLabel,     // autosized, bold 13-pixel font
  CentredLabel,  // fixed size, centred and wrapped
  Edit,
  Button,
  ListBox,   // single selection
  GroupBox,  // frame with a bold caption and no items of its own
  Radio,     // one exclusive group per window
  RichEdit,  // read-only viewer, word wrap, vertical scroll bar
};

// The mouse on the chart, beyond what the syntax help's fixed text says.
inline constexpr std::string_view kChartMouseHint =
    "Левая кнопка: обведите часть графика вправо-вниз, чтобы увеличить её; "
    "влево-вверх — вернуть изначальные размеры.\n"
    "Правая кнопка: перетаскивание сдвигает график, щелчок открывает меню.\n"
    "Под указателем — координаты ближайшей точки.";

struct ControlRow {
  const char* name;
  ControlKind kind;
  const char* text;              // caption or initial text, UTF-8
  int left, top, width, height;  // width 0: the control sizes itself
  int tab;
};

// The window itself: its name, caption, client size and place on screen.
struct FormDesign {
  const char* name;
  std::string_view caption;
  int width, height, left, top;
};

// Gives form its design and the plot windows' font, then creates the
// controls of rows in order (later rows lie above earlier ones) and chains
// the tab stops by their numbers.
void BuildForm(QWidget& form, const FormDesign& design, std::span<const ControlRow> rows);

// The control named name, which the table must have created.
template <typename T>
T* Control(const QWidget& form, const char* name) {
  T* control = form.findChild<T*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
  Q_ASSERT(control);
  return control;
}

}  // namespace veltrum
