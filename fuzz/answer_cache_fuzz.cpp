// Treats the input as the answer cache's file. Whatever it holds, every entry read must have a key
// of an allowed length, and the entries must read back the same once written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "storage/answer_cache_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvello;
  const std::vector<CacheEntry> entries = DecodeCacheFile(std::string_view(reinterpret_cast<const char*>(data), size));
  for (const CacheEntry& entry : entries) {
    if (entry.key.empty() || entry.key.size() > kMaxCacheKeyLength) abort();
  }
  if (DecodeCacheFile(EncodeCacheFile(entries)) != entries) abort();
  return 0;
}
