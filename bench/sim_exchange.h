// Blocking loopback exchanges with a running simulator for the benchmarks that time it from
// outside: one request container on the quote port read to the end of its answer, or one GET on
// the information port read to the close. Each call opens its own connection, as a terminal's
// first request after start does; the time returned covers connect, send and the whole answer.
// Safe from any thread (nothing shared).
#pragma once

#include <asio.hpp>
#include <chrono>
#include <cstdint>
#include <string>

#include "protocol/answer_length.h"
#include "protocol/bytes.h"

namespace tarvello::bench {

struct Timed {
  bool ok = false;
  double ms = 0;
};

inline double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

inline asio::ip::tcp::endpoint Loopback(std::uint16_t port) {
  return asio::ip::tcp::endpoint(asio::ip::make_address("127.0.0.1"), port);
}

// One request container on `socket` and its whole answer; empty when none came.
inline Bytes ExchangeOn(asio::ip::tcp::socket& socket, const Bytes& request) {
  asio::error_code error;
  asio::write(socket, asio::buffer(request), error);
  Bytes answer;
  std::uint8_t chunk[8192];
  while (!error) {
    const std::size_t n = socket.read_some(asio::buffer(chunk), error);
    answer.insert(answer.end(), chunk, chunk + n);
    const long length = AnswerLength(answer);
    if (length < 0) return {};
    if (length > 0) return answer;
  }
  return {};
}

inline Timed TimedExchange(std::uint16_t port, const Bytes& request) {
  const auto start = std::chrono::steady_clock::now();
  asio::io_context io;
  asio::ip::tcp::socket socket(io);
  asio::error_code error;
  socket.connect(Loopback(port), error);
  const bool ok = !error && !ExchangeOn(socket, request).empty();
  return Timed{ok, MillisecondsSince(start)};
}

// A GET of `path`, ok when the reply is "200 OK".
inline Timed TimedGet(std::uint16_t port, const std::string& path) {
  const auto start = std::chrono::steady_clock::now();
  asio::io_context io;
  asio::ip::tcp::socket socket(io);
  asio::error_code error;
  socket.connect(Loopback(port), error);
  if (!error)
    asio::write(socket, asio::buffer("GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"),
                error);
  std::string reply;
  char chunk[8192];
  while (!error) {
    const std::size_t n = socket.read_some(asio::buffer(chunk), error);
    reply.append(chunk, n);
  }
  return Timed{reply.starts_with("HTTP/1.1 200"), MillisecondsSince(start)};
}

}  // namespace tarvello::bench
