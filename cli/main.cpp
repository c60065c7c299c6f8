// veltrum-cli: the calculator and the plotter without a window.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace veltrum::cli {

constexpr const char* kUsage =
    "Usage:\n"
    "  veltrum-cli keys [--memory] [--trace] SCRIPT\n"
    "  veltrum-cli plot [--from TEXT] [--to TEXT] [--step 0,1|0,01|0,001] [--degrees] EXPRESSION\n"
    "  veltrum-cli --help | --version\n"
    "\n"
    "keys: runs one calculator (radians, as after start-up) through SCRIPT and\n"
    "prints the final display text. A character is typed as on the keyboard\n"
    "(0-9 , . + - * / ^ = b c e f; others are ignored); {NAME} presses the\n"
    "control NAME, e.g. {cmdsin}, {cmdShift}, {cmdM1in}, {cmdFC}, {optGrad}.\n"
    "  --memory  also print the texts of the memory registers M1, M2, M3\n"
    "  --trace   print one line per key: the key and the display after it\n"
    "Message boxes are written to standard error as CAPTION: TEXT.\n"
    "\n"
    "plot: samples y=F(x) as the plot window does and prints x<TAB>y per point.\n"
    "  --from TEXT, --to TEXT  sampling range (defaults -3 and 3, decimal comma)\n"
    "  --step S                0,1 (default), 0,01 or 0,001\n"
    "  --degrees               trigonometric keys in degrees (default radians)\n"
    "\n"
    "Examples:\n"
    "  veltrum-cli keys '2+3*4='            prints 14\n"
    "  veltrum-cli keys '{optGrad}30{cmdsin}' prints 0,5\n"
    "  veltrum-cli plot 'sin[x]'            prints 61 points from -3 to 3\n";

int UsageError(const std::string& message) {
  std::fprintf(stderr, "veltrum-cli: %s (try 'veltrum-cli --help')\n", message.c_str());
  return 2;
}

}  // namespace veltrum::cli

int main(int argc, char** argv) {
  using namespace veltrum::cli;
  if (argc < 2) return UsageError("a command is missing: keys or plot");
  const std::string command = argv[1];
  std::vector<std::string> args(argv + 2, argv + argc);
  if (command == "--help" || command == "-h") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (command == "--version") {
    std::puts("Veltrum 2.0d");
    return 0;
  }
  if (command == "keys") return RunKeys(args);
  if (command == "plot") return RunPlot(args);
  return UsageError("unknown command '" + command + "'");
}
