#include "window/top_level.h"

namespace veltrum {

void BringToFront(QWidget& window) {
  window.show();
  window.raise();
  window.activateWindow();
}

}  // namespace veltrum
