#pragma once
// The about box: modeless, but the calculator window stays disabled until
// the box is dismissed by OK or by its close button.
#include <QPointer>
#include <QWidget>

namespace veltrum {

class TForm2 : public QWidget {
  Q_OBJECT
 public:
  // mainWindow: the calculator window, enabled and brought back on dismissal.
  explicit TForm2(QWidget* mainWindow);

  void Button1Click();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void RestoreMainWindow();

  QPointer<QWidget> mainWindow_;
};

}  // namespace veltrum
