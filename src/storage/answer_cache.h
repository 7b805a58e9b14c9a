// AnswerCache: the last good answer of every screen and query, kept in one file of the program
// folder so that a screen can paint its last figures at once, even with no link.
//
// Entries are keyed by the screen and what it shows ("detail SH600001"); each holds the answer's
// bytes and the moment it came. The total the file takes is bounded; the oldest entries go first
// to make room, and an entry larger than the bound is not kept. The file is read once when the
// cache is made, each record checked on its own (a damaged one is dropped), and rewritten whole
// through ReplaceFile: at most once every save spacing, whatever the answers, since paging through
// a ranking brings a new query a second and each write may be the whole bound; and by Save (the
// program calls it at exit). A crash loses at most the answers of the last spacing.
//
// The spaced writes run on a thread of the cache's own. The answer that makes one due comes on a
// screen's worker, which repaints the screen only after keeping it: a write of up to the whole
// bound and its flush to the disk would hold that answer's paint back every spacing.
//
// Thread rules: every member may be called from any thread; a file write runs outside the lock that
// guards the entries, so a Find never waits for the disk.
#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <span>
#include <string>

#include "base/background_tasks.h"
#include "storage/answer_cache_file.h"

namespace tarvello {

inline constexpr const char* kAnswerCacheFileName = "AnswerCache.bin";

class AnswerCache {
 public:
  static constexpr std::size_t kDefaultBound = 4 * 1024 * 1024;
  static constexpr std::chrono::seconds kSaveSpacing{15};

  explicit AnswerCache(std::filesystem::path file, std::size_t bound = kDefaultBound);
  AnswerCache(const AnswerCache&) = delete;
  AnswerCache& operator=(const AnswerCache&) = delete;

  std::optional<CacheEntry> Find(std::string_view key) const;
  // Keeps bytes as key's last good answer, which came at moment.
  void Put(std::string_view key, std::span<const std::uint8_t> bytes, std::chrono::system_clock::time_point moment);
  // Writes the file when it differs from the entries; false when the write failed.
  bool Save();
  // Drops every entry and the file; false when the file could not be removed.
  bool Clear();
  // The bytes the entries take in the file.
  std::size_t Size() const;

 private:
  // Keeps entry in place of its key's older one, dropping the oldest to make room; with mutex_
  // held, or alone in the constructor.
  void Insert(CacheEntry entry);
  void DropOldestUntilFits(std::size_t incoming);  // with mutex_ held

  const std::filesystem::path file_;
  const std::size_t bound_;
  std::mutex save_mutex_;  // one write at a time, each of the newest entries; taken before mutex_
  mutable std::mutex mutex_;
  std::map<std::string, CacheEntry, std::less<>> entries_;  // guarded by mutex_
  std::size_t size_ = 0;                                    // guarded by mutex_
  bool changed_ = false;                                    // guarded by mutex_
  std::chrono::steady_clock::time_point last_save_;         // guarded by mutex_
  bool save_queued_ = false;                                // a spaced write waits for writer_; guarded by mutex_
  BackgroundTasks writer_;  // last: its end writes what is queued while the entries still stand
};

}  // namespace tarvello
