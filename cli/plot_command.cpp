#include "cli/commands.h"

namespace veltrum::cli {
int RunPlot(const std::vector<std::string>&) { return UsageError("plot: not available yet"); }
}  // namespace veltrum::cli
