// Program entry: the application title, the windows, the event loop.
#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/command_line.h"
#include "window/design_fonts.h"
#include "app/program_windows.h"

int main(int argc, char** argv) {
  if (const std::optional<int> code = veltrum::HandleCommandLine(argc, argv)) return *code;

  veltrum::PreferX11(argc, argv);
  QApplication app(argc, argv);
  veltrum::InstallDesignFonts();
  // The title names the application; window captions stay as designed
  // (a display name would be appended to every caption on X11).
  QApplication::setApplicationName(veltrum::kApplicationTitle);
  QApplication::setWindowIcon(QIcon(":/veltrum.svg"));
  // The toolkit's own dialogs (file choice, input) speak Russian as the
  // program does.
  QTranslator toolkitRussian;
  if (toolkitRussian.load(QLocale(QLocale::Russian), "qtbase", "_",
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&toolkitRussian);
  QApplication::setApplicationVersion(veltrum::kFileVersion);

  veltrum::QtDialogs dialogs;
  veltrum::ProgramWindows windows(dialogs);
  windows.Form1.show();
  return app.exec();
}
