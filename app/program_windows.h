#pragma once
// The four windows of the program, each existing once from start-up to
// exit, created in their order and wired together: the calculator window
// (the main window), the about box, the plot window, the syntax help.
#include "calculator/window/about.h"
#include "calculator/window/tform1.h"
#include "plotter/window/grafik.h"
#include "plotter/window/syntaksys.h"
#include "window/dialogs.h"

namespace veltrum {

// Gives the calculator window its molar-mass window: the menu command
// makes it on first use, and its masses enter the calculator.
void AttachMassWindow(TForm1& form);

struct ProgramWindows {
  explicit ProgramWindows(Dialogs& dialogs);

  // Declaration order is creation order.
  TForm1 Form1;
  TForm2 Form2;
  TForm3 Form3;
  TfrmSynt frmSynt;
};

}  // namespace veltrum
