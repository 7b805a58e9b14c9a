// ScriptedServer: the quote server of the screen tests. Every exchange is recorded and answered
// with what the test's answer function makes of the request, cut to the caller's buffer; it can
// be switched off (every exchange fails) or held (an exchange waits inside until released).
// Exchanges run on the screen's worker thread; every member may be called from any thread, and
// the answer function runs under the server's lock.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

#include "protocol/bytes.h"
#include "protocol/exchange_function.h"

namespace tarvello::testing {

// The type of a request's first packet: the two bytes after "{".
inline int TypeOf(const Bytes& packet) {
  return packet.size() < 3 ? -1 : packet[1] | packet[2] << 8;
}

class ScriptedServer {
 public:
  using Answer = std::function<Bytes(const Bytes& request)>;

  explicit ScriptedServer(Answer answer = {}) : answer_(std::move(answer)) {}

  void SetAnswer(Answer answer);
  void SetFixedAnswer(Bytes answer) {
    SetAnswer([answer = std::move(answer)](const Bytes&) { return answer; });
  }
  ExchangeFunction Function();

  int count();
  Bytes Last();
  std::vector<Bytes> Requests();

  void Hold();
  void Release();
  bool waiting() const { return waiting_; }

  std::atomic<bool> down{false};

 private:
  int Exchange(std::span<const std::uint8_t> request, std::span<std::uint8_t> answer);

  std::mutex mutex_;
  Answer answer_;                // guarded by mutex_
  std::vector<Bytes> requests_;  // guarded by mutex_
  std::mutex gate_mutex_;
  std::condition_variable gate_;
  bool held_ = false;  // guarded by gate_mutex_
  std::atomic<bool> waiting_{false};
};

}  // namespace tarvello::testing
