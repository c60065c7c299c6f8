#include "plotter/available_memory.h"

#include <charconv>
#include <fstream>
#include <iterator>
#include <string>

namespace veltrum {

std::optional<std::size_t> AvailableMemoryBytes(std::string_view meminfo) {
  constexpr std::string_view kKey = "MemAvailable:";
  for (std::size_t start = 0; start < meminfo.size();) {
    const std::size_t end = std::min(meminfo.find('\n', start), meminfo.size());
    std::string_view line = meminfo.substr(start, end - start);
    start = end + 1;
    if (line.substr(0, kKey.size()) != kKey) continue;
    line.remove_prefix(kKey.size());
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    std::size_t kib = 0;
    const auto [rest, error] = std::from_chars(line.data(), line.data() + line.size(), kib);
    if (error != std::errc() || std::string_view(rest, line.data() + line.size() - rest) != " kB") return std::nullopt;
    return kib * 1024;
  }
  return std::nullopt;
}

std::optional<std::size_t> AvailableMemoryBytes() {
  std::ifstream in("/proc/meminfo");
  if (!in) return std::nullopt;
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return AvailableMemoryBytes(text);
}

}  // namespace veltrum
