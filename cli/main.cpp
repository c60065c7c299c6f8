// veltrum-cli: the calculator and the plotter without a window.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "help_text.h"
#include "version.h"

namespace veltrum::cli {

int UsageError(const std::string& message) {
  std::fprintf(stderr, "veltrum-cli: %s (try 'veltrum-cli --help')\n", message.c_str());
  return 2;
}

std::optional<int> ThreadsOption(const std::string& text) {
  char* end = nullptr;
  const long n = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || n < 1 || n > 1024) return std::nullopt;
  return static_cast<int>(n);
}

void StderrMessages::ShowMessage(MessageKind kind, std::string_view text) {
  std::fflush(stdout);
  std::fprintf(stderr, "%s: %.*s\n", MessageCaption(kind).data(), static_cast<int>(text.size()), text.data());
}

}  // namespace veltrum::cli

int main(int argc, char** argv) {
  using namespace veltrum::cli;
  if (argc < 2) return UsageError("a command is missing: keys, plot, analyze or mass");
  const std::string command = argv[1];
  std::vector<std::string> args(argv + 2, argv + argc);
  if (command == "--help" || command == "-h") {
    std::fputs(kHelpText, stdout);
    return 0;
  }
  if (command == "--version") {
    std::puts(veltrum::kApplicationTitle);
    return 0;
  }
  if (command == "keys") return RunKeys(args);
  if (command == "plot") return RunPlot(args);
  if (command == "mass") return RunMass(args);
  if (command == "analyze") return RunAnalyze(args);
  return UsageError("unknown command '" + command + "'");
}
