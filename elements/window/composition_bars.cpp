#include "elements/window/composition_bars.h"

#include <QPainter>
#include <algorithm>

namespace veltrum {

void CompositionBars::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
  const double percent = std::clamp(index.data(kFractionRole).toDouble(), 0.0, 100.0);
  QRect bar = option.rect.adjusted(2, 3, -2, -3);
  bar.setWidth(static_cast<int>(bar.width() * percent / 100.0 + 0.5));
  painter->save();
  painter->fillRect(bar, QColor(0x66, 0xAA, 0xEE));
  painter->restore();
  QStyledItemDelegate::paint(painter, option, index);
}

}  // namespace veltrum
