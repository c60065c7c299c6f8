#pragma once
#include <string>
#include <vector>

namespace veltrum::cli {

// Writes "veltrum-cli: MESSAGE" and a hint to standard error; returns 2.
int UsageError(const std::string& message);
int RunKeys(const std::vector<std::string>& args);
int RunPlot(const std::vector<std::string>& args);

}  // namespace veltrum::cli
