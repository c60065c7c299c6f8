#pragma once
// Placing a window next to another one, within the screen's available area.
#include <QWidget>

namespace veltrum {

// Right of anchor when it fits, else left of it, else below it; always
// moved into the available geometry of anchor's screen.
void PlaceBeside(QWidget& window, const QWidget& anchor);

}  // namespace veltrum
