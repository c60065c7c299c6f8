#include "plotter/window/file_chooser.h"

#include <QFileDialog>

namespace veltrum {

bool QtFileChooser::SaveFileName(const QString& caption, const QStringList& filters, QString& path,
                                 int& filter) {
  QString selected = filters.value(filter);
  const QString chosen =
      QFileDialog::getSaveFileName(parent_, caption, path, filters.join(QStringLiteral(";;")), &selected);
  if (chosen.isEmpty()) return false;
  path = chosen;
  filter = std::max(0, static_cast<int>(filters.indexOf(selected)));
  return true;
}

}  // namespace veltrum
