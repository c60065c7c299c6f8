#include "files/text_file.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

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

// The file a path names: the target of a symbolic link (of a chain of
// them), relative to the link's folder, even when it does not exist yet.
std::string FileBehind(std::string path) {
  for (int depth = 0; depth < 40; ++depth) {
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return path;
    char target[PATH_MAX];
    const ssize_t n = ::readlink(path.c_str(), target, sizeof target - 1);
    if (n <= 0) return path;
    const std::string to(target, static_cast<std::size_t>(n));
    path = to[0] == '/' ? to : FolderOf(path) + "/" + to;
  }
  return path;
}

bool WriteAll(int fd, std::string_view text) {
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

std::optional<std::string> SaveTextFile(const std::string& path, std::string_view text) {
  const std::string file = FileBehind(path);
  std::string temporary;
  const int fd = CreateTemporary(file, temporary);
  if (fd < 0) return std::string(std::strerror(errno));
  struct stat old {};
  if (::stat(file.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    [[maybe_unused]] const int kept = ::fchmod(fd, old.st_mode & 07777);
  }
  bool written = WriteAll(fd, text) && ::fsync(fd) == 0;
  int error = errno;
  if (::close(fd) != 0 && written) {
    written = false;
    error = errno;
  }
  if (written && ::rename(temporary.c_str(), file.c_str()) == 0) return std::nullopt;
  if (written) error = errno;
  ::unlink(temporary.c_str());
  return std::string(std::strerror(error));
}

}  // namespace veltrum
