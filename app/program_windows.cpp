#include "app/program_windows.h"

#include <string_view>

#include "elements/window/mass_window.h"

namespace veltrum {

void AttachMassWindow(TForm1& form) {
  form.SetMassWindow(
      [&form]() -> QWidget* {
        return new TfrmMass(
            [&form](std::string_view mass, std::string_view formula) { form.EnterMass(mass, formula); }, &form);
      },
      // Made by the function above.
      [](QWidget& window) { static_cast<TfrmMass&>(window).FormShow(); });
}

// The about box, the plot window and the syntax help start hidden; the
// caller shows Form1.
ProgramWindows::ProgramWindows(Dialogs& dialogs)
    : Form1(dialogs), Form2(&Form1), Form3(Form1.calculator(), dialogs), frmSynt(&Form3) {
  Form1.SetAboutBox(&Form2);
  AttachMassWindow(Form1);
  Form3.SetHelpWindow(&frmSynt);
  Form3.SetCalculatorWindow(&Form1);
  Form1.SetPlotWindow(&Form3);
  // A function set that was never saved, or changed since, is not lost
  // without asking when the program ends.
  Form1.SetExitCheck([this] { return Form3.MayDiscardSet(); });
}

}  // namespace veltrum
