// Test support: a scripted TCP server on 127.0.0.1 for the transport tests. Each accepted
// connection runs the test's script on a thread of its own; the script reads requests and writes
// answers through ServerConnection. A connection whose script has ended is closed and its thread
// joined at the next accept, so that a long run holds only the connections still open. The
// destructor stops accepting, shuts every connection down (which wakes scripts blocked in a read)
// and joins all threads.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <list>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "protocol/bytes.h"

namespace tarvello::testing {

class ServerConnection {
 public:
  explicit ServerConnection(int fd, int index) : fd_(fd), index_(index) {}

  // One request container "{" packet (":" packet)* "}", read by its length fields. Nothing when
  // the peer closes first or the bytes break the container syntax.
  std::optional<Bytes> ReadContainer();
  // One HTTP request: the header up to the blank line and a body of its Content-Length.
  std::optional<std::string> ReadHttpRequest();
  bool ReadExactly(std::size_t count, Bytes& into);

  bool Send(std::span<const std::uint8_t> bytes);
  bool Send(std::string_view text);
  // Sends bytes in pieces of `piece` bytes with a pause after each.
  bool SendInPieces(std::span<const std::uint8_t> bytes, std::size_t piece,
                    std::chrono::milliseconds pause);
  // Ends the connection from the server side (the client reads end of stream).
  void Close();

  // 0 for the first connection the server accepted, 1 for the next, ...
  int index() const { return index_; }
  int fd() const { return fd_; }

 private:
  int fd_;
  int index_;
};

class LoopbackServer {
 public:
  using Script = std::function<void(ServerConnection&)>;

  explicit LoopbackServer(Script script);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  int port() const { return port_; }
  int accepted() const { return accepted_; }

 private:
  struct Session {
    explicit Session(int socket) : fd(socket) {}
    int fd;
    std::atomic<bool> finished{false};
    std::thread script;
  };

  void AcceptLoop();
  // Joins and closes the sessions whose script has ended. Called with mutex_ held.
  void ReapFinished();

  Script script_;
  int listen_fd_ = -1;
  int port_ = 0;
  std::atomic<int> accepted_{0};
  std::atomic<bool> stopping_{false};
  std::thread acceptor_;
  std::mutex mutex_;
  std::list<Session> sessions_;  // guarded by mutex_
};

// An answer container with one plain block of type and body, as a quote server sends it.
Bytes AnswerContainer(int type, std::span<const std::uint8_t> body);
// A request container holding one packet of type with body.
Bytes RequestContainer(int type, std::span<const std::uint8_t> body);
Bytes BytesOf(std::string_view text);

}  // namespace tarvello::testing
