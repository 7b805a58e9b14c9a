// AnswerCache: answer blocks that stay the same until the market of their security moves on
// (a new minute slot), built once and shared by every client. A block bigger than the
// compression threshold is kept compressed, so it is also compressed only once; clients asking
// for a block while it is being built wait for that build instead of repeating it. Keys name the
// request and the market position; stale entries are simply never asked for again, and the
// whole cache is emptied when it grows past its bound. Safe from any thread: one mutex guards
// the map; blocks are immutable and shared by pointer.
#pragma once

#include <cstddef>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

#include "protocol/bytes.h"

namespace tarvello::server {

struct CachedBlock {
  Bytes body;             // plain body, empty when compressed
  Bytes stream;           // zlib stream of a compressed body
  std::size_t uncompressed = 0;
  bool compressed() const { return !stream.empty(); }
};

class AnswerCache {
 public:
  AnswerCache(std::size_t compress_threshold, std::size_t max_entries)
      : compress_threshold_(compress_threshold), max_entries_(max_entries) {}

  // The block for a key, built with `build` (outside the lock) when it is not held or being
  // built yet.
  std::shared_ptr<const CachedBlock> Get(const std::string& key, const std::function<Bytes()>& build);
  // A block that is not kept (answers that change with every call).
  std::shared_ptr<const CachedBlock> Make(Bytes body) const;

  std::size_t hits() const;
  std::size_t misses() const;

 private:
  const std::size_t compress_threshold_;
  const std::size_t max_entries_;
  mutable std::mutex mutex_;
  using Pending = std::shared_future<std::shared_ptr<const CachedBlock>>;
  std::unordered_map<std::string, Pending> blocks_;  // guarded by mutex_
  std::size_t hits_ = 0;    // guarded by mutex_
  std::size_t misses_ = 0;  // guarded by mutex_
};

}  // namespace tarvello::server
