#pragma once
// What the program does before it needs a display: --version, --help, and
// the refusal to start without a graphical session.
#include <optional>

namespace veltrum {

// The exit code when the program must end before creating its windows, or
// nothing when it goes on.
std::optional<int> HandleCommandLine(int argc, char** argv);

}  // namespace veltrum
