#pragma once
// The molar-mass window: one edit line for a chemical formula, the mass and
// a composition table that follow the typing, and "На дисплей", which
// enters the mass on the calculator as an element key enters its own.
#include <QWidget>
#include <functional>
#include <string_view>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace veltrum {

struct FormulaResult;

class TfrmMass : public QWidget {
  Q_OBJECT
 public:
  // enter receives the mass as a number text and the formula as typed; it
  // is called only for a formula without error.
  using EnterText = std::function<void(std::string_view mass, std::string_view formula)>;
  explicit TfrmMass(EnterText enter, QWidget* parent = nullptr);

  // The marked part of the edit line (UTF-16 start and length); length 0
  // when nothing is marked.
  QPair<int, int> ErrorMark() const { return mark_; }

  // Puts the keyboard in the formula with its text selected, so that what
  // is typed next replaces it; the window shows this way each time.
  void FormShow();

  // Handlers.
  void txtFormulaChange();
  void cmdDisplayClick();

 private:
  void ShowMass(const FormulaResult& r);
  void ShowError(const QString& formula, const FormulaResult& r);
  void MarkError(int start, int length);

  EnterText enter_;
  QLineEdit* txtFormula_ = nullptr;
  QLabel* lblMass_ = nullptr;
  QLabel* lblError_ = nullptr;
  QTableWidget* grdComposition_ = nullptr;
  QPushButton* cmdDisplay_ = nullptr;
  std::string massText_;
  QPair<int, int> mark_{0, 0};
};

}  // namespace veltrum
