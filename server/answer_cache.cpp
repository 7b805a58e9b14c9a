#include "server/answer_cache.h"

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
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto it = blocks_.find(key);
    if (it != blocks_.end()) {
      ++hits_;
      return it->second;
    }
    ++misses_;
  }
  auto block = Make(build());
  const std::lock_guard<std::mutex> lock(mutex_);
  if (blocks_.size() >= max_entries_) blocks_.clear();
  return blocks_.emplace(key, std::move(block)).first->second;
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
