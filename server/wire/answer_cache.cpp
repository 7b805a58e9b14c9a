#include "server/wire/answer_cache.h"

#include "protocol/container_writer.h"

namespace tarvello::server {

std::shared_ptr<const CachedBlock> AnswerCache::Make(Bytes body) const {
  auto block = std::make_shared<CachedBlock>();
  if (body.size() > compress_threshold_ && body.size() <= ContainerWriter::kMaxCompressedBody) {
    block->uncompressed = body.size();
    block->stream = CompressBlockBody(body);
  }
  if (!block->compressed()) block->body = std::move(body);
  return block;
}

std::shared_ptr<const CachedBlock> AnswerCache::Get(const std::string& key, const std::function<Bytes()>& build) {
  std::promise<std::shared_ptr<const CachedBlock>> promise;
  Pending pending;
  bool builder = false;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto it = blocks_.find(key);
    if (it != blocks_.end()) {
      ++hits_;
      pending = it->second;
    } else {
      ++misses_;
      if (blocks_.size() >= max_entries_) blocks_.clear();
      pending = promise.get_future().share();
      blocks_.emplace(key, pending);
      builder = true;
    }
  }
  if (!builder) return pending.get();
  auto block = Make(build());
  promise.set_value(block);
  return block;
}

std::size_t AnswerCache::hits() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return hits_;
}

std::size_t AnswerCache::misses() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return misses_;
}

}  // namespace tarvello::server
