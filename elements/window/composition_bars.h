#pragma once
// The per-cent column of the composition table: the fraction as a
// horizontal bar across the cell with the number over it.
#include <QStyledItemDelegate>

namespace veltrum {

// The bar's length comes from the item's Qt::UserRole value, 0..100.
inline constexpr int kFractionRole = Qt::UserRole;

class CompositionBars : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace veltrum
