#include "window/file_chooser.h"

#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QFileDialog>
#include <QStyle>

namespace veltrum {
namespace {

// Icons and type names from the file's kind alone. The toolkit's own
// provider asks the MIME database, which opens a file whose name does not
// tell its type: in /proc such a read can block for good, and the dialog
// with it, as soon as its completer lists the folder.
class NameOnlyIconProvider : public QAbstractFileIconProvider {
 public:
  QIcon icon(IconType type) const override {
    return QApplication::style()->standardIcon(type == Folder ? QStyle::SP_DirIcon : QStyle::SP_FileIcon);
  }
  QIcon icon(const QFileInfo& info) const override { return icon(info.isDir() ? Folder : File); }
  QString type(const QFileInfo& info) const override {
    if (info.isDir()) return QStringLiteral("Folder");
    const QString suffix = info.suffix();
    return suffix.isEmpty() ? QStringLiteral("File") : suffix.toUpper() + QStringLiteral(" File");
  }
};

// Both dialogs list folders with the provider above.
NameOnlyIconProvider& Icons() {
  static NameOnlyIconProvider icons;
  return icons;
}

}  // namespace

bool QtFileChooser::SaveFileName(const QString& caption, const QStringList& filters, QString& path,
                                 int& filter) {
  QFileDialog dialog(parent_, caption, path, filters.join(QStringLiteral(";;")));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setIconProvider(&Icons());
  dialog.selectFile(path);
  if (const QString selected = filters.value(filter); !selected.isEmpty()) dialog.selectNameFilter(selected);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  path = dialog.selectedFiles().constFirst();
  filter = std::max(0, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())));
  return true;
}

bool QtFileChooser::OpenFileName(const QString& caption, const QStringList& filters, QString& path) {
  QFileDialog dialog(parent_, caption, path, filters.join(QStringLiteral(";;")));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setIconProvider(&Icons());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  path = dialog.selectedFiles().constFirst();
  return true;
}

}  // namespace veltrum
