// Program entry: the application title, the windows in their order of
// creation, the event loop.
#include <QApplication>

#include "calculator/window/about.h"
#include "app/command_line.h"
#include "calculator/window/dialogs.h"
#include "calculator/window/tform1.h"
#include "plotter/grafik.h"
#include "plotter/syntaksys.h"

int main(int argc, char** argv) {
  if (const std::optional<int> code = veltrum::HandleCommandLine(argc, argv)) return *code;

  QApplication app(argc, argv);
  QApplication::setApplicationName("Veltrum");
  QApplication::setApplicationDisplayName(veltrum::kApplicationTitle);
  QApplication::setApplicationVersion(VELTRUM_VERSION);

  veltrum::QtDialogs dialogs;
  veltrum::TForm1 Form1(dialogs);
  veltrum::TForm2 Form2(&Form1);
  Form1.SetAboutBox(&Form2);

  // The plot window and its syntax help, created hidden.
  veltrum::TForm3 Form3(Form1.calculator(), dialogs);
  veltrum::TfrmSynt frmSynt(&Form3);
  Form3.SetHelpWindow(&frmSynt);
  Form3.SetCalculatorWindow(&Form1, [&Form1] { Form1.RefreshFromCalculator(); });
  Form1.SetPlotWindow(&Form3);

  Form1.show();
  return app.exec();
}
