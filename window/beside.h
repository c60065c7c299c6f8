#pragma once
// Where a window that belongs to another opens: beside it, and always
// whole on the screen, whatever the scale of the screen.
#include <QWidget>

namespace veltrum {

// Places window beside anchor within the available area of anchor's
// screen: on its right when there is room, else on its left, else below
// it, else as near the right side as the screen allows. The window's frame
// is taken to be as thick as anchor's.
void PlaceBeside(QWidget& window, const QWidget& anchor);

// Moves window inside the available area of its screen where it reaches
// past an edge; a window that fits stays where it is.
void KeepOnScreen(QWidget& window);

}  // namespace veltrum
