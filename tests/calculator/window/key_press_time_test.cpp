// One key press, from the click to the updated display, must feel instant.
#include <chrono>
#include <iostream>

#include "tests/calculator/window/window_fixture.h"

namespace veltrum {
namespace {

TEST_F(WindowTest, KeyPressTakesUnderOneMillisecond) {
  // A repeating sum: digit, operator, equals and clear, all clicked.
  const char* cycle[] = {"cmd7", "cmdplus", "cmd5", "cmdis", "cmdsqr", "cmdon"};
  std::vector<QAbstractButton*> keys;
  for (const char* name : cycle) keys.push_back(Button(name));
  constexpr int kPresses = 6000;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kPresses; ++i) {
    QTest::mouseClick(keys[static_cast<std::size_t>(i) % keys.size()], Qt::LeftButton);
    if (i % keys.size() == 3 && Display() != "12") FAIL() << "display " << Display();
  }
  const std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - start;
  const double perPress = elapsed.count() / kPresses;
  std::cout << "key press, click to display: " << perPress << " us on average\n";
  RecordProperty("microseconds_per_key_press", static_cast<int>(perPress));
  EXPECT_LT(perPress, 1000.0);
}

}  // namespace
}  // namespace veltrum
