#include "app/command_line.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "version.h"

namespace veltrum {
namespace {

constexpr const char* kUsage =
    "Usage: veltrum [--version] [--help] [Qt options]\n" VELTRUM_TITLE
    ", a scientific calculator with a periodic table of element masses\n"
    "and function plots. The program has no options of its own beyond these:\n"
    "  --version  print the program name and version and exit\n"
    "  --help     print this text and exit\n"
    "Qt's own options (such as -platform offscreen) are passed on to the toolkit.\n";

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

// The platform plug-in named by -platform / --platform, else QT_QPA_PLATFORM,
// without its options ("offscreen:fontengine=freetype" is "offscreen").
std::string Platform(int argc, char** argv) {
  std::string platform;
  if (const char* env = std::getenv("QT_QPA_PLATFORM")) platform = env;
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
      platform = argv[i + 1];
  return platform.substr(0, platform.find(':'));
}

// The X11 and Wayland plug-ins need a session; the others (offscreen,
// minimal, vnc, linuxfb, eglfs) bring their own output.
bool DisplayAvailable(int argc, char** argv) {
  const std::string platform = Platform(argc, argv);
  if (platform == "xcb") return IsSet("DISPLAY");
  if (platform.rfind("wayland", 0) == 0) return IsSet("WAYLAND_DISPLAY");
  if (!platform.empty()) return true;
  return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
}

bool PlatformNamed(int argc, char** argv) {
  if (IsSet("QT_QPA_PLATFORM")) return true;
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) return true;
  return false;
}

}  // namespace

void PreferX11(int argc, char** argv) {
  // The toolkit tries the plug-ins in this order and takes the first that
  // reaches its server.
  if (!PlatformNamed(argc, argv) && IsSet("DISPLAY")) setenv("QT_QPA_PLATFORM", "xcb;wayland", 1);
}

std::optional<int> HandleCommandLine(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::puts(kApplicationTitle);
      return 0;
    }
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
  }
  if (!DisplayAvailable(argc, argv)) {
    std::fputs(
        "veltrum: no display available: the calculator window needs a graphical session "
        "(set DISPLAY or run under Xvfb)\n",
        stderr);
    return 1;
  }
  return std::nullopt;
}

}  // namespace veltrum
