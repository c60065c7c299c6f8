// Pictures of the windows for a person to look at: the narrow calculator,
// the calculator with the periodic table, and the about box. Not a test;
// run it under Xvfb (or offscreen) with an output folder:
//   veltrum_screenshots /tmp/shots
#include <cstdio>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPixmap>
#include <QScreen>
#include <QTest>

#include "window/design_fonts.h"
#include "calculator/window/about.h"
#include "calculator/window/tform1.h"
#include "window/dialogs.h"

namespace {

void Save(QWidget& w, const QString& path) {
  w.repaint();
  QApplication::processEvents();
  if (!w.grab().save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

void Click(veltrum::TForm1& form, const char* name) {
  form.findChild<QAbstractButton*>(name)->click();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  veltrum::InstallDesignFonts();
  const QDir out(argc > 1 ? argv[1] : ".");
  veltrum::QtDialogs dialogs;
  veltrum::TForm1 form1(dialogs);
  veltrum::TForm2 form2(&form1);
  form1.SetAboutBox(&form2);
  form1.show();
  QTest::qWait(200);
  Save(form1, out.filePath("narrow.png"));

  form1.N2Click();
  for (const char* key : {"cmdShift", "cmdFH", "cmdmulti", "cmd2", "cmdplus", "cmdFO", "cmdis",
                          "cmdM1in"})
    Click(form1, key);
  QTest::qWait(200);
  Save(form1, out.filePath("table.png"));

  // The whole screen with the File menu open, as the windows stand on it.
  auto* file = form1.findChild<QMenu*>("mnuFile");
  file->popup(form1.mapToGlobal(QPoint(0, 20)));
  QTest::qWait(300);
  QGuiApplication::primaryScreen()->grabWindow(0).save(out.filePath("screen_menu.png"));
  file->hide();

  // The display's right-click menu.
  QMenu* displayMenu = form1.CreateDisplayMenu();
  displayMenu->popup(form1.mapToGlobal(QPoint(200, 60)));
  QTest::qWait(300);
  QGuiApplication::primaryScreen()->grabWindow(0).save(out.filePath("screen_display_menu.png"));
  displayMenu->hide();

  form1.mnuAboutClick();
  QTest::qWait(200);
  Save(form1, out.filePath("disabled.png"));
  Save(form2, out.filePath("about.png"));
  QGuiApplication::primaryScreen()->grabWindow(0).save(out.filePath("screen_about.png"));
  return 0;
}
