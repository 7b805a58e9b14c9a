// The bytes of the answer cache's file: a header, then one record per entry, oldest first, each
// with a CRC-32 of its own, so that a damaged entry is dropped on reading and never shown
// (doc/answer_cache.md describes the layout).
//
// Pure functions, any thread.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvello {

// One last good answer: what it answers (the screen and its query), when it came, its bytes.
struct CacheEntry {
  std::string key;
  std::chrono::system_clock::time_point moment;
  std::vector<std::uint8_t> bytes;

  bool operator==(const CacheEntry&) const = default;
};

// Keys are 1 to kMaxCacheKeyLength bytes; longer or empty ones are not kept.
inline constexpr std::size_t kMaxCacheKeyLength = 255;

// A key of head followed by what the query names; when that would be longer than a key may be, head
// followed by "#" and the 16 hex digits of the FNV-1a 64-bit digest of named, the same in every run.
std::string CacheKeyNaming(std::string head, std::string_view named);

// The bytes an entry takes in the file.
std::size_t CacheRecordSize(const CacheEntry& entry);

std::string EncodeCacheFile(const std::vector<CacheEntry>& entries);

// The entries whose records check out, in file order. A file with a foreign header reads as none; a
// record whose check fails is dropped; a record that runs past the end drops the rest.
std::vector<CacheEntry> DecodeCacheFile(std::string_view file);

}  // namespace tarvello
