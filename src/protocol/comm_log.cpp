#include "protocol/comm_log.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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

// Appends value as "%*d" (pad ' ') or "%0*d" (pad '0') would: at least width characters. Each
// entry is stamped, so this stays clear of printf's parsing.
void AppendNumber(std::string& text, int value, int width, char pad) {
  char digits[16];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
  const auto count = static_cast<int>(end - digits);
  const bool negative = value < 0 && pad == '0';
  if (negative) text += '-';
  if (count < width) text.append(static_cast<std::size_t>(width - count), pad);
  text.append(digits + (negative ? 1 : 0), end);
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
  // Once logging is off a call costs one load: the transport writes several lines per exchange.
  if (off_.load(std::memory_order_relaxed)) return;
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
  if (off_.load(std::memory_order_relaxed)) return;
  char text[128];
  std::snprintf(text, sizeof text, format, value);
  Write(text);
}

bool CommLog::EnsureOpen() {
  if (tried_) return fd_ >= 0;
  tried_ = true;
  fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd_ < 0) {
    TurnOff();
    return false;
  }
  // Mapping beyond the end of the file is allowed; those bytes are only touched once the file
  // has been lengthened to cover them.
  void* mapped = ::mmap(nullptr, kMappedSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd_, 0);
  mapped_ = mapped == MAP_FAILED ? nullptr : static_cast<char*>(mapped);
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
  file_size_ = static_cast<long>(status.st_size);
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
  const long end = offset + static_cast<long>(bytes.size());
  if (mapped_ != nullptr && end <= kMappedSize) {
    if (end > file_size_) {
      if (::ftruncate(fd_, end) != 0) return false;
      file_size_ = end;
    }
    std::memcpy(mapped_ + offset, bytes.data(), bytes.size());
    return true;
  }
  file_size_ = std::max(file_size_, end);
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
  char header[kHeaderSize];
  std::memset(header, ' ', 32);
  char digits[24];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, position_);
  std::memcpy(header + 32 - (end - digits), digits, static_cast<std::size_t>(end - digits));
  std::memcpy(header + 32, " \r\n", 3);
  return WriteAt(std::string_view(header, kHeaderSize), 0);
}

void CommLog::TurnOff() {
  off_ = true;
  if (mapped_ != nullptr) ::munmap(mapped_, kMappedSize);
  mapped_ = nullptr;
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

std::string CommLog::Stamp() const {
  const std::tm now = clock_();
  std::string stamp;
  stamp.reserve(64);
  AppendNumber(stamp, now.tm_year + 1900, 4, ' ');
  stamp += '-';
  AppendNumber(stamp, now.tm_mon + 1, 2, '0');
  stamp += '-';
  AppendNumber(stamp, now.tm_mday, 2, '0');
  stamp += ' ';
  AppendNumber(stamp, now.tm_hour, 2, '0');
  stamp += ':';
  AppendNumber(stamp, now.tm_min, 2, '0');
  stamp += ':';
  AppendNumber(stamp, now.tm_sec, 2, '0');
  stamp += ": ";
  return stamp;
}

}  // namespace tarvello
