#pragma once
// How much memory a run may still count on. Room reserved for points takes
// no physical memory until the points arrive, so a run the machine cannot
// hold would only be found out half way, by the system's out-of-memory
// killer; asking first lets the run be refused with a message instead.
#include <cstddef>
#include <optional>
#include <string_view>

namespace veltrum {

// The memory the system can give without swapping (MemAvailable of
// /proc/meminfo); nothing when it cannot be told.
std::optional<std::size_t> AvailableMemoryBytes();

// The same figure read from the text of /proc/meminfo.
std::optional<std::size_t> AvailableMemoryBytes(std::string_view meminfo);

}  // namespace veltrum
