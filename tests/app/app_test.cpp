// The veltrum program as a user starts it from a shell.
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

namespace {

struct Outcome {
  int status;
  std::string output;  // standard output and standard error
};

// Runs the program under `env ENV`, with a time limit so that a window
// that starts does not hang the test.
Outcome Start(const std::string& env, const std::string& args) {
  const std::string command = "env " + env + " timeout 3 '" VELTRUM_BINARY "' " + args + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  Outcome run{-1, {}};
  if (!pipe) return run;
  std::array<char, 256> buffer;
  while (std::fgets(buffer.data(), buffer.size(), pipe)) run.output += buffer.data();
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

const std::string kNoSession = "-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM";

TEST(Program, VersionNeedsNoDisplay) {
  const Outcome run = Start(kNoSession, "--version");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, "Veltrum 2.0d\n");
}

TEST(Program, HelpPrintsUsage) {
  const Outcome run = Start(kNoSession, "--help");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output.rfind("Usage: veltrum", 0), 0u) << run.output;
}

TEST(Program, RefusesToStartWithoutDisplay) {
  const Outcome run = Start(kNoSession, "");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.output,
            "veltrum: no display available: the calculator window needs a graphical session "
            "(set DISPLAY or run under Xvfb)\n");
}

TEST(Program, X11PlatformWithoutDisplayIsRefused) {
  const Outcome run = Start(kNoSession, "-platform xcb");
  EXPECT_EQ(run.status, 1);
}

// Offscreen the program starts, shows its windows and waits in the event
// loop until the time limit ends it.
TEST(Program, StartsOffscreen) {
  const Outcome run = Start(kNoSession + " QT_QPA_PLATFORM=offscreen", "");
  EXPECT_EQ(run.status, 124) << run.output;
}

}  // namespace
