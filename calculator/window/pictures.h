#pragma once
// The small pictures of the calculator window: the second-function marks
// above the keys (black on yellow) and the clickable group formulas under
// the periodic table (black with subscripts on cyan).
#include <QAbstractButton>
#include <QWidget>

namespace veltrum {

class SecondFunctionPicture : public QWidget {
  Q_OBJECT
 public:
  enum class Shows { Root, E, EPowerX, TenPowerX };
  SecondFunctionPicture(Shows shows, QWidget* parent);

  // The picture a control of the design shows: Image1..Image4.
  static Shows ForName(QStringView name);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Shows shows_;
};

// A group picture such as OCH₃: the subscript digits of the caption are
// drawn smaller and lowered. It clicks like a button but takes no focus.
class FormulaPicture : public QAbstractButton {
  Q_OBJECT
 public:
  FormulaPicture(const QString& formula, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace veltrum
