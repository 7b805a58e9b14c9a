#include "support/scripted_server.h"

#include <algorithm>
#include <cstring>

namespace tarvello::testing {

void ScriptedServer::SetAnswer(Answer answer) {
  const std::lock_guard<std::mutex> lock(mutex_);
  answer_ = std::move(answer);
}

ExchangeFunction ScriptedServer::Function() {
  return [this](std::span<const std::uint8_t> request, std::span<std::uint8_t> answer) {
    return Exchange(request, answer);
  };
}

int ScriptedServer::Exchange(std::span<const std::uint8_t> request,
                             std::span<std::uint8_t> answer) {
  {
    std::unique_lock<std::mutex> gate(gate_mutex_);
    waiting_ = held_;
    gate_.wait(gate, [this] { return !held_; });
    waiting_ = false;
  }
  const std::lock_guard<std::mutex> lock(mutex_);
  requests_.emplace_back(request.begin(), request.end());
  if (down) return -1;
  const Bytes bytes = answer_ ? answer_(requests_.back()) : Bytes{};
  const std::size_t size = std::min(bytes.size(), answer.size());
  if (size > 0) std::memcpy(answer.data(), bytes.data(), size);
  return static_cast<int>(size);
}

int ScriptedServer::count() {
  const std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<int>(requests_.size());
}

Bytes ScriptedServer::Last() {
  const std::lock_guard<std::mutex> lock(mutex_);
  return requests_.empty() ? Bytes{} : requests_.back();
}

std::vector<Bytes> ScriptedServer::Requests() {
  const std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

void ScriptedServer::Hold() {
  const std::lock_guard<std::mutex> lock(gate_mutex_);
  held_ = true;
}

void ScriptedServer::Release() {
  {
    const std::lock_guard<std::mutex> lock(gate_mutex_);
    held_ = false;
  }
  gate_.notify_all();
}

}  // namespace tarvello::testing
