#include "window/wrapped_lines.h"

#include <QListWidget>

namespace veltrum {

void WrapLines(QListWidget& list) {
  list.setWordWrap(true);
  list.setTextElideMode(Qt::ElideMiddle);
  list.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Items are laid out again at every width, so a line wraps anew when the
  // window is resized.
  list.setResizeMode(QListView::Adjust);
}

void SetWholeText(QListWidgetItem& item, const QString& text) {
  item.setText(text);
  item.setToolTip(text);
  item.setData(Qt::AccessibleTextRole, text);
}

}  // namespace veltrum
