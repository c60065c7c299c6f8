#pragma once
// What the program does before it needs a display: --version, --help, and
// the refusal to start without a graphical session.
#include <optional>

namespace veltrum {

// The exit code when the program must end before creating its windows, or
// nothing when it goes on.
std::optional<int> HandleCommandLine(int argc, char** argv);

// On a session that offers an X display (a Wayland desktop's XWayland too),
// asks the toolkit for X11 first and for Wayland only where X11 cannot be
// reached, unless the user named a platform (-platform, QT_QPA_PLATFORM).
// The windows open beside one another and hand the keyboard over, which a
// Wayland compositor leaves to itself. Call before the application object.
void PreferX11(int argc, char** argv);

}  // namespace veltrum
