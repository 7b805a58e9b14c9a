#include "storage/answer_cache.h"

#include <algorithm>
#include <vector>

#include "storage/whole_file.h"

namespace tarvello {

AnswerCache::AnswerCache(std::filesystem::path file, std::size_t bound) : file_(std::move(file)), bound_(bound) {
  std::string bytes;
  if (ReadWholeFile(file_, bytes) != ReadResult::kRead) return;
  // Later records of a key replace earlier ones; the bound holds even for a file written with a larger one.
  for (CacheEntry& entry : DecodeCacheFile(bytes)) {
    if (CacheRecordSize(entry) <= bound_) Insert(std::move(entry));
  }
}

std::optional<CacheEntry> AnswerCache::Find(std::string_view key) const {
  const std::lock_guard<std::mutex> lock(mutex_);
  const auto found = entries_.find(key);
  if (found == entries_.end()) return std::nullopt;
  return found->second;
}

void AnswerCache::Put(std::string_view key, std::span<const std::uint8_t> bytes,
                      std::chrono::system_clock::time_point moment) {
  CacheEntry entry{std::string(key), moment, {bytes.begin(), bytes.end()}};
  const std::size_t record = CacheRecordSize(entry);
  if (key.empty() || key.size() > kMaxCacheKeyLength || record > bound_) return;
  bool saveDue = false;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    saveDue = !save_queued_ && std::chrono::steady_clock::now() - last_save_ >= kSaveSpacing;
    save_queued_ = save_queued_ || saveDue;
    Insert(std::move(entry));
    changed_ = true;
  }
  if (saveDue) writer_.Post([this] { Save(); });
}

void AnswerCache::Insert(CacheEntry entry) {
  const std::size_t record = CacheRecordSize(entry);
  if (const auto held = entries_.find(entry.key); held != entries_.end()) {
    size_ -= CacheRecordSize(held->second);
    entries_.erase(held);
  }
  DropOldestUntilFits(record);
  size_ += record;
  std::string key = entry.key;
  entries_.emplace(std::move(key), std::move(entry));
}

void AnswerCache::DropOldestUntilFits(std::size_t incoming) {
  while (!entries_.empty() && size_ + incoming > bound_) {
    const auto oldest = std::min_element(entries_.begin(), entries_.end(), [](const auto& a, const auto& b) {
      return a.second.moment < b.second.moment;
    });
    size_ -= CacheRecordSize(oldest->second);
    entries_.erase(oldest);
  }
}

bool AnswerCache::Save() {
  const std::lock_guard<std::mutex> saving(save_mutex_);
  std::vector<CacheEntry> entries;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    save_queued_ = false;
    if (!changed_) return true;
    changed_ = false;
    last_save_ = std::chrono::steady_clock::now();
    entries.reserve(entries_.size());
    for (const auto& [key, entry] : entries_) entries.push_back(entry);
  }
  // Oldest first, so that a reader that meets a key twice keeps the newer answer.
  std::stable_sort(entries.begin(), entries.end(),
                   [](const CacheEntry& a, const CacheEntry& b) { return a.moment < b.moment; });
  if (ReplaceFile(file_, EncodeCacheFile(entries))) return true;
  const std::lock_guard<std::mutex> lock(mutex_);
  changed_ = true;  // the next put or Save tries again
  return false;
}

bool AnswerCache::Clear() {
  const std::lock_guard<std::mutex> saving(save_mutex_);
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    entries_.clear();
    size_ = 0;
    changed_ = false;
  }
  std::error_code error;
  std::filesystem::remove(file_, error);
  return !error;
}

std::size_t AnswerCache::Size() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return size_;
}

}  // namespace tarvello
