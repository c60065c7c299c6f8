#include "app/program_windows.h"

namespace veltrum {

// The about box, the plot window and the syntax help start hidden; the
// caller shows Form1.
ProgramWindows::ProgramWindows(Dialogs& dialogs)
    : Form1(dialogs), Form2(&Form1), Form3(Form1.calculator(), dialogs), frmSynt(&Form3) {
  Form1.SetAboutBox(&Form2);
  Form3.SetHelpWindow(&frmSynt);
  Form3.SetCalculatorWindow(&Form1);
  Form1.SetPlotWindow(&Form3);
  // A function set that was never saved, or changed since, is not lost
  // without asking when the program ends.
  Form1.SetExitCheck([this] { return Form3.MayDiscardSet(); });
}

}  // namespace veltrum
