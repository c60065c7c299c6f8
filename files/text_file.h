#pragma once
// Saving a text file whole or not at all: the text goes to a new file in
// the target's folder, is flushed to the disk and then renamed over the
// target in one step. A target that is a symbolic link stays a link and
// its target is replaced; a file written over keeps its permissions; a new
// file gets the usual ones (0666 less the umask).
#include <optional>
#include <string>
#include <string_view>

namespace veltrum {

// Nothing when the file was saved; otherwise the system's reason.
std::optional<std::string> SaveTextFile(const std::string& path, std::string_view text);

}  // namespace veltrum
