#include "storage/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace tarvello {
namespace {

constexpr mode_t kNewFileMode = 0644;

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The mode the rewritten file keeps: the original's, or the default for a new file.
mode_t ModeFor(const std::filesystem::path& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) == 0) return status.st_mode & 07777;
  return kNewFileMode;
}

// Makes the folder's entries durable, so that a rename in it survives a power cut. A file system
// that cannot flush a folder (EINVAL) keeps its entries its own way; only an I/O error fails.
bool FlushFolderOf(const std::filesystem::path& path) {
  const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return true;
  const bool flushed = ::fsync(fd) == 0 || errno != EIO;
  ::close(fd);
  return flushed;
}

}  // namespace

ReadResult ReadWholeFile(const std::filesystem::path& path, std::string& bytes) {
  bytes.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? ReadResult::kMissing : ReadResult::kFailed;
  struct stat status {};
  // One read takes a file whose size is known; the loop still follows a file that grows.
  const std::size_t expected = ::fstat(fd, &status) == 0 ? static_cast<std::size_t>(status.st_size) : 0;
  bytes.resize(expected + 1);
  std::size_t used = 0;
  ReadResult result = ReadResult::kRead;
  for (;;) {
    if (used == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t got = ::read(fd, bytes.data() + used, bytes.size() - used);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) result = ReadResult::kFailed;
    if (got <= 0) break;
    used += static_cast<std::size_t>(got);
  }
  bytes.resize(result == ReadResult::kRead ? used : 0);
  ::close(fd);
  return result;
}

bool ReplaceFile(const std::filesystem::path& path, std::string_view bytes) {
  std::string temp = path.string() + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
  const bool written = ::fchmod(fd, ModeFor(path)) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (written && closed && ::rename(temp.c_str(), path.c_str()) == 0) return FlushFolderOf(path);
  ::unlink(temp.c_str());
  return false;
}

}  // namespace tarvello
