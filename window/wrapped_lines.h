#pragma once
// A list of lines of text that may be longer than the list is wide (the
// tape's calculations, the analysis's reasons): they wrap at the list's
// width instead of scrolling sideways, and a part that still does not fit
// (one long number) is elided, so every item also keeps its whole text in
// its tooltip and in what a screen reader reads.
#include <QString>

class QListWidget;
class QListWidgetItem;

namespace veltrum {

void WrapLines(QListWidget& list);
// Sets the item's text, tooltip and accessible text.
void SetWholeText(QListWidgetItem& item, const QString& text);

}  // namespace veltrum
