// One key press in the calculator window, from the click to the updated
// display: the click action that every mouse click and typed character runs,
// and a whole simulated mouse click. Prints "| figure | measured | target |"
// rows.
#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "bench/gui/silent_dialogs.h"
#include "calculator/window/tform1.h"

namespace {

// Average microseconds of one press over a repeating cycle of keys; the
// display is checked after every equals so the presses really calculate.
double MicrosecondsPerPress(veltrum::TForm1& form, const std::function<void(QAbstractButton*)>& press) {
  const char* cycle[] = {"cmd7", "cmdplus", "cmd5", "cmdis", "cmdsqr", "cmdon"};
  std::vector<QAbstractButton*> keys;
  for (const char* name : cycle) keys.push_back(form.findChild<QAbstractButton*>(name));
  const QLineEdit* display = form.findChild<QLineEdit*>("Text1");
  constexpr int kPresses = 6000;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kPresses; ++i) {
    press(keys[static_cast<std::size_t>(i) % keys.size()]);
    if (i % keys.size() == 3 && display->text() != "12") {
      std::fprintf(stderr, "display shows %s instead of 12\n", qPrintable(display->text()));
      std::exit(1);
    }
  }
  const std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - start;
  return elapsed.count() / kPresses;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  SilentDialogs dialogs;
  veltrum::TForm1 form(dialogs);
  form.show();
  QApplication::processEvents();
  const double click = MicrosecondsPerPress(form, [](QAbstractButton* b) { b->click(); });
  const double mouse =
      MicrosecondsPerPress(form, [](QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); });
  std::printf("| Key press in the window, click action to display | %.1f us | < 1 ms |\n", click);
  std::printf("| Key press in the window, simulated mouse click to display | %.1f us | < 1 ms |\n", mouse);
  return 0;
}
