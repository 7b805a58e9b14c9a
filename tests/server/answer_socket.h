// Test support: a blocking loopback client of the simulator's front ends, which reads one whole
// answer container at a time. One socket per thread.
#pragma once

#include <sys/socket.h>
#include <sys/time.h>

#include <asio.hpp>
#include <cstdint>

#include "protocol/answer_length.h"
#include "protocol/bytes.h"

namespace tarvello::server::testing {

// A connection to 127.0.0.1:port whose reads give up after five silent seconds.
inline asio::ip::tcp::socket ConnectLoopback(asio::io_context& io, std::uint16_t port) {
  asio::ip::tcp::socket socket(io);
  socket.connect(asio::ip::tcp::endpoint(asio::ip::make_address("127.0.0.1"), port));
  const timeval timeout{5, 0};
  setsockopt(socket.native_handle(), SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  return socket;
}

// Reads until the answer container is complete; empty on end of stream, error or time-out.
inline Bytes ReadWholeAnswer(asio::ip::tcp::socket& socket) {
  Bytes answer;
  std::uint8_t chunk[4096];
  for (;;) {
    asio::error_code error;
    const std::size_t n = socket.read_some(asio::buffer(chunk), error);
    if (error) return {};
    answer.insert(answer.end(), chunk, chunk + n);
    if (AnswerLength(answer) > 0) return answer;
  }
}

}  // namespace tarvello::server::testing
