#pragma once
// The syntax help window: how to write the functions of the plot window
// and how to zoom the chart with the mouse.
#include <QWidget>
#include <string_view>

class QPlainTextEdit;

namespace veltrum {

inline constexpr std::string_view kSyntaxCaption = "Синтаксис";

// Twelve lines joined by a single carriage return each: 742 characters.
inline constexpr std::string_view kSyntaxHelpText =
    "При задании функции вы можете использовать:\r"
    "Операции: \"+\", \"-\", \"*\", \"/\", \"^\"\r"
    "Знаки: \",\", \"(\", \")\", \"p\"(число пи), \"e\"(число е), \"E\"(экспонента)\r"
    "Функции: sin[x], cos[x], tg[x], ctg[x], arcsin[x], arccos[x], arctg[x], arcctg[x], "
    "ln[x], lg[x], abs[x], sqrt[x].\r"
    "Например:\r"
    "F(X)=(sin[x]*arccos[x])^cos[1+(2*x)];\r"
    "F(X)=x+ln[tg[x/abs[x+p]]+e].\r"
    "То есть, параметры функции должны заключаться в квадратные скобки,\r"
    "а логические скобки должны быть круглыми.\r"
    "Программа не проверяет правильность синтаксиса задаваемой вами функции.\r"
    "Работа с мышью: чтобы увеличить часть графика, обведите ее мышью при нажатой "
    "левой кнопке в направлении вправо-вниз.\r"
    "Чтобы вернуть изначальные размеры графика, точно также выделите любую область, "
    "но в направлении влево-вверх.";

class TfrmSynt : public QWidget {
  Q_OBJECT

 public:
  // plotWindow: the plot window, brought back to the front on closing.
  explicit TfrmSynt(QWidget* plotWindow, QWidget* parent = nullptr);

  void FormActivate();
  void Button1Click();
  // The title-bar close: the same as Button1Click; the window hides.
  void FormClose();

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowPlotWindow();

  QWidget* plotWindow_;
  QPlainTextEdit* RichEdit1;
};

}  // namespace veltrum
