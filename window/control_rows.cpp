#include "window/control_rows.h"

#include <algorithm>

#include "window/text.h"

namespace veltrum {

QWidget& ControlTable::Parent(const ControlPlace& place) const {
  if (place.parent.empty()) return form_;
  QWidget* parent = form_.findChild<QWidget*>(FromUtf8(place.parent));
  Q_ASSERT(parent);
  return *parent;
}

void ControlTable::Add(QWidget& control, const ControlPlace& place) {
  control.setObjectName(FromUtf8(place.name));
  if (place.width > 0) {
    control.setGeometry(place.left, place.top, place.width, place.height);
  } else {
    control.adjustSize();
    control.move(place.left, place.top);
  }
  if (!place.hint.empty()) {
    control.setToolTip(FromUtf8(place.hint));
    control.setAccessibleDescription(FromUtf8(place.hint));
  }
  if (place.tab != kNoTabStop) tabStops_.emplace_back(place.tab, &control);
}

void ControlTable::ChainTabStops() {
  std::stable_sort(tabStops_.begin(), tabStops_.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 1; i < tabStops_.size(); ++i)
    QWidget::setTabOrder(tabStops_[i - 1].second, tabStops_[i].second);
}

}  // namespace veltrum
