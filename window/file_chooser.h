#pragma once
// Where a window asks for the name of a file to save. The program
// uses the toolkit's save dialog; tests answer without a modal window.
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
};

// The toolkit's save dialog over the given window; it asks before
// overwriting a file.
class QtFileChooser : public FileChooser {
 public:
  explicit QtFileChooser(QWidget* parent) : parent_(parent) {}
  bool SaveFileName(const QString& caption, const QStringList& filters, QString& path, int& filter) override;

 private:
  QWidget* parent_;
};

}  // namespace veltrum
