// CCommunicate: the one connection of the process to the quote servers. A screen's worker hands
// CommunicateThread a finished request container and a response buffer and gets back the number
// of bytes received; the object owns the TCP socket and runs the exchange in one of two modes:
//
//  - direct: the container goes out as it is on a connection that stays open between exchanges
//    and is opened again after a breakdown; the answer is complete when its blocks, read by their
//    own lengths, reach the container's closing "}", and bytes left over from an earlier answer
//    are dropped before the next request goes out;
//  - WAP: every exchange connects to the carrier's WAP gateway, wraps the container in an HTTP
//    POST naming the quote server, reads the answer body by its Content-Length and closes.
//
// Pass-through (either mode) sends a caller's complete HTTP request as it is and, in direct mode,
// reads the answer by its HTTP header (the stored bytes then include the header).
//
// Every step writes a line to the communication log. Failures are return values: byte counts,
// 0 for "nothing received", -1, -2, -3 as each operation says.
//
// The log must outlive the transport (its destructor logs the closing of the socket).
//
// Thread rules: every operation that touches the socket takes the exchange lock, which is
// re-entrant: a caller that re-points the connection (SetServer, Connect, an exchange, switch
// back) holds exchange_lock() across the whole sequence. Cancel does not wait for the exchange
// and may be called from any thread: it shuts the socket down (under a small socket lock, so it
// never races the close) and wakes a connect or pause in progress; the exchanging thread then
// closes the socket itself and its receive reports -1. GetServerText may be called from any
// thread.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <utility>

#include "protocol/comm_log.h"
#include "protocol/http_framing.h"
#include "protocol/redial_question.h"
#include "protocol/socket_io.h"
#include "protocol/transport_timings.h"
#include "protocol/wake_signal.h"

namespace tarvello {

// Where the carrier's WAP gateway listens; a deployment value.
struct WapGateway {
  std::string host = "127.0.0.1";
  int port = 80;
};

class CCommunicate {
 public:
  // Received bytes are read in chunks of at most this size.
  static constexpr std::size_t kChunkSize = 1023;

  CCommunicate(CommLog& log, WapGateway gateway, TransportTimings timings = {});
  ~CCommunicate();
  CCommunicate(const CCommunicate&) = delete;
  CCommunicate& operator=(const CCommunicate&) = delete;

  // Stores the server (dotted IPv4 address, at most 99 characters) without reconnecting; a null
  // host is ignored. Returns 0.
  int SetServer(const char* host, int port);
  // "host:port", for the server chooser.
  std::u16string GetServerText() const;
  // The server stored last, so that a caller that re-points the connection can point it back.
  std::pair<std::string, int> Server() const;

  // Opens the connection (to the server in direct mode, to the gateway in WAP mode), closing an
  // open one first. 0, or -2 when no socket can be had, -3 when the connect fails.
  int Connect();
  // Sends one request (in WAP mode behind its HTTP header). The count sent; -1 without a socket
  // or when a full socket does not take the bytes in time; -3 when the send fails.
  int SendData(std::span<const std::uint8_t> request);
  // Direct mode and pass-through: the count received; 0 after a broken connection or an
  // incomplete answer (the connection is then opened again); -1 without a socket or when
  // cancelled.
  int RecieveData(std::span<std::uint8_t> buffer);
  // WAP mode: the body bytes stored (never more than the buffer holds), or -1.
  int RecieveHttpData(std::span<std::uint8_t> buffer);
  int CloseSocket();
  // Makes a receive in progress (or the next wait of this exchange) give up with -1. A cancel
  // arriving between exchanges is cleared when the next exchange starts.
  void Cancel();
  // While stopped (the program is closing its screens) the exchange in progress gives up as on
  // Cancel, and so does every exchange that starts, so that no worker is joined only after its
  // answer timed out. Resume lets exchanges run again. Any thread.
  void Stop();
  void Resume() { stopped_ = false; }
  // Whether the exchange that ran last gave up on a Cancel or a Stop rather than on the server;
  // read under the exchange lock, right after the exchange.
  bool cancelled() const { return cancelled_ || stopped_; }

  // One whole exchange under the exchange lock: clears the response buffer, sends, receives.
  // The count received; below 1 means no data (0 nothing, -1 cancelled or no socket).
  int CommunicateThread(std::span<const std::uint8_t> request, std::span<std::uint8_t> response);

  std::recursive_mutex& exchange_lock() { return exchange_mutex_; }

  // Direct mode with the persistent connection (the default) or WAP mode with one connection per
  // exchange.
  void SetDirect(bool direct);
  bool direct() const { return direct_; }
  void SetPassThrough(bool pass_through);
  // Until the start-up sequence has completed, a failed connect asks no question.
  void SetDialPromptAllowed(bool allowed) { dial_prompt_allowed_ = allowed; }
  // The question asked after a failed connect; it must outlive this object. Null restores the
  // default, which has no connection manager to ask.
  void SetRedialQuestion(RedialQuestion* question);

 private:
  using Clock = std::chrono::steady_clock;

  // Waits on fd (none when negative), woken early only by a pending Cancel.
  WaitResult WaitOn(int fd, short events, std::chrono::milliseconds timeout);
  void ClearCancel();
  // Sleeps for the pause between connections; false when cancelled meanwhile.
  bool Pause();
  int FinishConnect(int fd);
  int SendAll(std::span<const std::uint8_t> bytes);
  // Receives one chunk, waiting at most the readable wait: {kReady, n} with n <= 0 for a close or
  // an error, kTimeout, or kWoken when cancelled.
  struct Chunk {
    WaitResult wait;
    ssize_t size;
  };
  Chunk ReceiveChunk(std::span<std::uint8_t> into);
  std::optional<HttpAnswerHead> ReceiveHttpHead(std::span<std::uint8_t> header, std::size_t& used,
                                                int& failed);
  int AfterCancel();
  int Reopen(const char* reason);
  int RunPersistent(std::span<const std::uint8_t> request, std::span<std::uint8_t> response);
  int RunPerRequest(std::span<const std::uint8_t> request, std::span<std::uint8_t> response);
  void AskRedial();
  int ElapsedMs(Clock::time_point since) const;

  CommLog& log_;
  const WapGateway gateway_;
  const TransportTimings timings_;
  WakeSignal wake_;
  std::atomic<bool> cancelled_{false};
  std::atomic<bool> stopped_{false};
  std::atomic<bool> wake_pending_{false};  // set by Cancel; spares the next send a drain
  std::atomic<bool> dial_prompt_allowed_{false};

  mutable std::mutex server_mutex_;
  std::string host_;  // guarded by server_mutex_
  int port_ = 2860;   // guarded by server_mutex_

  std::recursive_mutex exchange_mutex_;
  // Cancel shuts the socket down under socket_mutex_, so it never meets a closed or reused fd.
  std::mutex socket_mutex_;
  int fd_ = -1;  // changed under exchange_mutex_ and socket_mutex_; read under either
  std::atomic<bool> direct_{true};             // changed under exchange_mutex_
  bool pass_through_ = false;                  // guarded by exchange_mutex_
  NoConnectionManager no_connection_manager_;
  RedialQuestion* redial_ = &no_connection_manager_;  // guarded by exchange_mutex_
};

}  // namespace tarvello
