#pragma once
// Where a window asks for the name of a file to save or open. The
// program uses the toolkit's dialogs; tests answer without a modal window.
#include <QString>
#include <QStringList>

class QWidget;

namespace veltrum {

class FileChooser {
 public:
  virtual ~FileChooser() = default;
  // The save dialog with its filters ("Изображение PNG (*.png)", ...).
  // path holds the suggested name and, after OK, the chosen one; filter
  // the index of the chosen filter. False on Cancel.
  virtual bool SaveFileName(const QString& caption, const QStringList& filters, QString& path,
                            int& filter) = 0;
  // The open dialog for an existing file: path holds the folder or file
  // offered and, after OK, the chosen file. False on Cancel.
  virtual bool OpenFileName(const QString& caption, const QStringList& filters, QString& path) = 0;
};

// The toolkit's save dialog over the given window; it asks before
// overwriting a file.
class QtFileChooser : public FileChooser {
 public:
  explicit QtFileChooser(QWidget* parent) : parent_(parent) {}
  bool SaveFileName(const QString& caption, const QStringList& filters, QString& path, int& filter) override;
  bool OpenFileName(const QString& caption, const QStringList& filters, QString& path) override;

 private:
  QWidget* parent_;
};

}  // namespace veltrum
