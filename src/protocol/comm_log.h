// CommLog: the communication log, a trace of every transport and network step kept in the text
// file "COMMUMIC.txt" of a given folder and bounded in size by writing it as a ring.
//
// File layout (ANSI text, lines ended by "\r\n"):
//   header   the position of the next entry as "%32d", a space and "\r\n" (35 bytes);
//   " \r\n"  a space line;
//   entries  "YYYY-MM-DD hh:mm:ss: message" in local time, one per Write;
//   "**End**" after the newest entry; the next entry overwrites it. Bytes after it are older
//            entries of the previous pass of the ring.
// When an entry ends beyond 512000 bytes, writing starts over just after the space line.
//
// The file is opened on the first Write. When it cannot be opened or written, logging goes
// silently off for the life of the object; Write never reports an error.
//
// Each entry reaches the file before Write returns, together with the end marker and the new
// header, so that a crash or a hung exchange loses nothing already written: the log is read
// exactly when something went wrong. The file is written through a shared mapping of the whole
// ring: an entry copied into it is in the system's cache of the file at once, as a write call
// would put it there, and a killed process loses nothing; only an entry that makes the file
// longer costs a call (to lengthen the file, so that it never holds more than was written).
//
// Thread rules: Write is safe from any thread; one lock covers each update of the file, so the
// entries of all threads keep the order in which they were written.
#pragma once

#include <atomic>
#include <ctime>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

namespace tarvello {

class CommLog {
 public:
  static constexpr const char* kFileName = "COMMUMIC.txt";
  static constexpr long kRingLimit = 512000;
  static constexpr long kHeaderSize = 35;
  // Where the first entry of a pass starts: behind the header and the space line.
  static constexpr long kFirstEntry = kHeaderSize + 3;
  // The mapping covers the ring and room for the entry that crosses its limit; a longer entry is
  // written by a write call.
  static constexpr long kMappedSize = kRingLimit + 65536;

  // The local time stamped on each entry; tests fix it.
  using LocalClock = std::function<std::tm()>;
  static std::tm LocalNow();

  explicit CommLog(std::filesystem::path folder, LocalClock clock = LocalNow);
  ~CommLog();
  CommLog(const CommLog&) = delete;
  CommLog& operator=(const CommLog&) = delete;

  void Write(std::string_view message);
  // Write of a message holding one "%d".
  void WriteNumber(const char* format, int value);

  const std::filesystem::path& path() const { return path_; }

 private:
  // Opens the file and takes its position; false when logging is off. Needs mutex_.
  bool EnsureOpen();
  bool Initialise();
  bool WriteAt(std::string_view bytes, long offset);
  bool WriteHeader();
  void TurnOff();
  std::string Stamp() const;

  const std::filesystem::path path_;
  const LocalClock clock_;
  std::mutex mutex_;
  int fd_ = -1;         // guarded by mutex_
  bool tried_ = false;  // guarded by mutex_; the file is opened once
  long position_ = 0;   // guarded by mutex_; where the next entry goes
  long file_size_ = 0;  // guarded by mutex_
  // The file's first kMappedSize bytes mapped into memory; null when the mapping failed (then
  // everything is written by pwrite).
  char* mapped_ = nullptr;  // guarded by mutex_
  // Set, under mutex_, when logging has gone off for good; read without the lock, so that a
  // write to a log that is off costs nothing.
  std::atomic<bool> off_{false};
};

}  // namespace tarvello
