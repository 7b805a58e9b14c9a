#include "protocol/comm_log.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>

namespace tarvello {
namespace {

constexpr std::string_view kSpaceLine = " \r\n";
constexpr std::string_view kEndLine = "**End**\r\n";

// The position a header line states, or -1 when the bytes are no header of ours.
long ParseHeader(std::string_view header) {
  if (header.size() != CommLog::kHeaderSize || header.substr(32) != " \r\n") return -1;
  std::string_view number = header.substr(0, 32);
  number.remove_prefix(std::min(number.find_first_not_of(' '), number.size()));
  long position = -1;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), position);
  if (error != std::errc() || end != number.data() + number.size()) return -1;
  return position;
}

}  // namespace

std::tm CommLog::LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

CommLog::CommLog(std::filesystem::path folder, LocalClock clock)
    : path_(std::move(folder) / kFileName), clock_(std::move(clock)) {}

CommLog::~CommLog() { TurnOff(); }

void CommLog::Write(std::string_view message) {
  std::string line = Stamp();
  line.append(message).append("\r\n");
  std::lock_guard<std::mutex> guard(mutex_);
  if (!EnsureOpen()) return;
  const long offset = position_;
  const long end = offset + static_cast<long>(line.size());
  bool written;
  if (end > kRingLimit) {
    // The entry that crosses the limit stays at the tail; the ring starts over after the header.
    written = WriteAt(line, offset) && WriteAt(std::string(kSpaceLine).append(kEndLine), kHeaderSize);
    position_ = kFirstEntry;
  } else {
    written = WriteAt(line.append(kEndLine), offset);
    position_ = end;
  }
  if (!written || !WriteHeader()) TurnOff();
}

void CommLog::WriteNumber(const char* format, int value) {
  char text[128];
  std::snprintf(text, sizeof text, format, value);
  Write(text);
}

bool CommLog::EnsureOpen() {
  if (tried_) return fd_ >= 0;
  tried_ = true;
  fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd_ < 0) return false;
  // The header is rewritten after every entry; through a shared mapping that costs no system call.
  void* header = ::mmap(nullptr, kHeaderSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd_, 0);
  header_ = header == MAP_FAILED ? nullptr : static_cast<char*>(header);
  if (!Initialise()) {
    TurnOff();
    return false;
  }
  return true;
}

// Takes the position from the header of an existing log; a new, zero or damaged header starts a
// fresh pass behind a new header and space line.
bool CommLog::Initialise() {
  struct stat status {};
  if (::fstat(fd_, &status) != 0) return false;
  char header[kHeaderSize];
  const ssize_t got = ::pread(fd_, header, sizeof header, 0);
  const long stated = got == kHeaderSize ? ParseHeader(std::string_view(header, sizeof header)) : -1;
  if (stated >= kFirstEntry && stated <= kRingLimit && stated <= status.st_size) {
    position_ = stated;
    return true;
  }
  position_ = kFirstEntry;
  return WriteAt(kSpaceLine, kHeaderSize) && WriteHeader();
}

bool CommLog::WriteAt(std::string_view bytes, long offset) {
  while (!bytes.empty()) {
    const ssize_t written = ::pwrite(fd_, bytes.data(), bytes.size(), offset);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
    offset += written;
  }
  return true;
}

bool CommLog::WriteHeader() {
  char header[kHeaderSize + 1];
  std::snprintf(header, sizeof header, "%32ld \r\n", position_);
  if (header_ == nullptr) return WriteAt(std::string_view(header, kHeaderSize), 0);
  std::memcpy(header_, header, kHeaderSize);
  return true;
}

void CommLog::TurnOff() {
  if (header_ != nullptr) ::munmap(header_, kHeaderSize);
  header_ = nullptr;
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

std::string CommLog::Stamp() const {
  const std::tm now = clock_();
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%4d-%02d-%02d %02d:%02d:%02d: ", now.tm_year + 1900,
                now.tm_mon + 1, now.tm_mday, now.tm_hour, now.tm_min, now.tm_sec);
  return stamp;
}

}  // namespace tarvello
