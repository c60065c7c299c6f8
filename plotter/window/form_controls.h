#pragma once
// Windows of the plotter are laid out from tables: one row per control
// with its name, kind, caption, place and tab order. The control's
// objectName is its name, so handlers and tests find it by that name.
#include <QFont>
#include <QWidget>
#include <span>

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

inline constexpr int kNoTabStop = -1;

struct ControlRow {
  const char* name;
  ControlKind kind;
  const char* text;              // caption or initial text, UTF-8
  int left, top, width, height;  // width 0: the control sizes itself
  int tab;
};

// "MS Sans Serif" 8 points (11 pixels) with metric-compatible stand-ins
// where the Windows face is missing.
QFont FormFont();

// Creates the controls of rows in order (later rows lie above earlier
// ones) and chains the tab stops by their numbers.
void BuildControls(QWidget& form, std::span<const ControlRow> rows);

// The control named name, which the table must have created.
template <typename T>
T* Control(const QWidget& form, const char* name) {
  T* control = form.findChild<T*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
  Q_ASSERT(control);
  return control;
}

}  // namespace veltrum
