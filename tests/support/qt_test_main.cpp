// Main of the window tests: one QApplication on the offscreen platform for
// all tests of the executable.
#include <gtest/gtest.h>

#include <QApplication>

#include "window/design_fonts.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  veltrum::InstallDesignFonts();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
