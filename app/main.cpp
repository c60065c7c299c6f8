// Program entry: the application title, the windows, the event loop.
#include <QApplication>
#include <QIcon>

#include "app/command_line.h"
#include "app/program_windows.h"

int main(int argc, char** argv) {
  if (const std::optional<int> code = veltrum::HandleCommandLine(argc, argv)) return *code;

  QApplication app(argc, argv);
  // The title names the application; window captions stay as designed
  // (a display name would be appended to every caption on X11).
  QApplication::setApplicationName(veltrum::kApplicationTitle);
  QApplication::setWindowIcon(QIcon(":/veltrum.svg"));
  QApplication::setApplicationVersion(VELTRUM_VERSION);

  veltrum::QtDialogs dialogs;
  veltrum::ProgramWindows windows(dialogs);
  windows.Form1.show();
  return app.exec();
}
