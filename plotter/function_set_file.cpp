// Function sets on disk. A save never writes over the earlier file in
// place: the text goes to a new file in the same folder, which is then
// renamed over the target in one step.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <fstream>

#include "plotter/function_set.h"
#include "plotter/function_set_reader.h"

namespace veltrum {

namespace {

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// A new, hidden file beside the target; -1 when the folder takes none.
int CreateTemporary(const std::string& path, std::string& temporary) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = FolderOf(path) + "/." + NameOf(path) + "." + std::to_string(::getpid()) + "." +
                std::to_string(counter++) + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

std::variant<FunctionSet, SetRefusal> LoadFunctionSet(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return SetRefusal{"Не удалось открыть файл: " + path};
  SetReader reader;
  std::string line;
  char buffer[8192];
  bool overlong = false;
  // Lines are cut at '\n'; one that grows past the limit is refused at
  // once, without reading the rest of it.
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    const std::string_view chunk(buffer, static_cast<std::size_t>(in.gcount()));
    std::size_t start = 0;
    while (start <= chunk.size()) {
      const std::size_t end = chunk.find('\n', start);
      line.append(chunk.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
      if (end == std::string_view::npos) {
        overlong = line.size() > kMaxSetLineBytes;
        break;
      }
      if (std::optional<SetRefusal> refusal = reader.Line(line)) return *refusal;
      line.clear();
      start = end + 1;
    }
    if (overlong) return reader.Line(line).value_or(SetRefusal{});
  }
  if (in.bad()) return SetRefusal{"Не удалось открыть файл: " + path};
  if (!line.empty())
    if (std::optional<SetRefusal> refusal = reader.Line(line)) return *refusal;
  return reader.Set();
}

bool SaveFunctionSet(const FunctionSet& set, const std::string& path) {
  std::string temporary;
  const int fd = CreateTemporary(path, temporary);
  if (fd < 0) return false;
  // A file written over keeps its permissions.
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    [[maybe_unused]] const int kept = ::fchmod(fd, old.st_mode & 07777);
  }
  bool written = WriteAll(fd, FunctionSetText(set)) && ::fsync(fd) == 0;
  written = ::close(fd) == 0 && written;
  if (written && ::rename(temporary.c_str(), path.c_str()) == 0) return true;
  ::unlink(temporary.c_str());
  return false;
}

}  // namespace veltrum
