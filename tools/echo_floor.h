// EchoFloor: the bare loopback server the load tool measures the simulator against. It frames
// request containers exactly as the simulator does and answers each with the same number of
// bytes the simulator sent on average (one plain block of filler), doing no other work. Runs
// on its own threads from Start() until it is destroyed.
#pragma once

#include <asio.hpp>
#include <cstdint>
#include <thread>
#include <vector>

#include "protocol/bytes.h"

namespace tarvello::load {

class EchoFloor {
 public:
  EchoFloor(std::size_t answer_size, int threads);
  ~EchoFloor();
  // 0 when no port could be had.
  std::uint16_t port() const { return port_; }

 private:
  void Accept();

  asio::io_context io_;
  asio::ip::tcp::acceptor acceptor_;
  Bytes answer_;
  std::uint16_t port_ = 0;
  std::vector<std::thread> threads_;
};

}  // namespace tarvello::load
