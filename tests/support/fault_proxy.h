// Test support: a TCP proxy between the transport and a loopback server that damages the answer
// stream on request. Requests pass unchanged and are kept, so that a test can read the bytes the
// terminal sent; answer bytes pass according to the fault set at the moment they arrive from the
// server.
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

#include "support/loopback_server.h"

namespace tarvello::testing {

struct Fault {
  enum Kind {
    kClean,  // pass as they come
    kDelay,  // hold each piece for `delay` first
    kSplit,  // pass one byte at a time
    kCut,    // pass `after` bytes, then close both sides
    kStall,  // pass `after` bytes, then nothing more
    kGarble,  // flip the bits of every 61st byte, starting at `after`
  };
  Kind kind = kClean;
  std::chrono::milliseconds delay{0};
  std::size_t after = 0;
};

class FaultProxy {
 public:
  explicit FaultProxy(int upstream_port);

  int port() const { return server_->port(); }
  void SetFault(Fault fault);
  // Every request byte passed since the start or the last ForgetRequests, in arrival order.
  std::string Requests();
  void ForgetRequests();
  // Every answer byte passed on to the terminal since the start.
  std::size_t AnswerBytes();

 private:
  // The fault now and the number of SetFault calls so far.
  std::pair<Fault, int> CurrentFault();
  void Relay(ServerConnection& client);
  void PassRequests(int client, int upstream);
  void PassAnswers(int upstream, ServerConnection& client);
  bool PassOn(ServerConnection& client, std::span<const std::uint8_t> piece);

  int upstream_port_;
  std::mutex mutex_;
  Fault fault_;        // guarded by mutex_
  int generation_ = 0;  // guarded by mutex_
  std::string requests_;  // guarded by mutex_
  std::size_t answered_ = 0;  // guarded by mutex_
  std::unique_ptr<LoopbackServer> server_;
};

}  // namespace tarvello::testing
