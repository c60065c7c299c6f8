// Program entry: the application title, the windows, the event loop.
#include <QApplication>

#include "app/command_line.h"
#include "app/program_windows.h"

int main(int argc, char** argv) {
  if (const std::optional<int> code = veltrum::HandleCommandLine(argc, argv)) return *code;

  QApplication app(argc, argv);
  QApplication::setApplicationName("Veltrum");
  QApplication::setApplicationDisplayName(veltrum::kApplicationTitle);
  QApplication::setApplicationVersion(VELTRUM_VERSION);

  veltrum::QtDialogs dialogs;
  veltrum::ProgramWindows windows(dialogs);
  windows.Form1.show();
  return app.exec();
}
