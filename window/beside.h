#pragma once
// Where a window that belongs to another opens: beside it, and always
// whole on the screen, whatever the scale of the screen.
#include <QWidget>
#include <initializer_list>

namespace veltrum {

// Places window beside anchor within the available area of anchor's
// screen: on its right when there is room, else on its left, else below
// it, else as near the right side as the screen allows. The window's frame
// is taken to be as thick as anchor's.
//
// open are the windows that may already stand beside anchor (null ones and
// hidden ones count for nothing): the window then goes where it covers
// none of them and anchor neither, within the screen: right of anchor,
// else right of one of them or below it, in their order; only where no
// such place is left does it open as though they were not there.
void PlaceBeside(QWidget& window, const QWidget& anchor, std::initializer_list<const QWidget*> open = {});

// Moves window inside the available area of its screen where it reaches
// past an edge; a window that fits stays where it is.
void KeepOnScreen(QWidget& window);

}  // namespace veltrum
