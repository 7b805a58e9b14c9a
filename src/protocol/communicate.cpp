#include "protocol/communicate.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "protocol/bytes.h"
#include "protocol/http_framing.h"
#include "text/text_codec.h"

namespace tarvello {
namespace {

constexpr std::size_t kMaxHostLength = 99;

// The request type of a container: its first packet's type field, signed as the log shows it.
int RequestTitle(std::span<const std::uint8_t> request) {
  if (request.size() < 3) return 0;
  return static_cast<std::int16_t>(request[1] | (request[2] << 8));
}

}  // namespace

CCommunicate::CCommunicate(CommLog& log, WapGateway gateway, TransportTimings timings)
    : log_(log), gateway_(std::move(gateway)), timings_(timings) {}

CCommunicate::~CCommunicate() { CloseSocket(); }

int CCommunicate::SetServer(const char* host, int port) {
  if (host == nullptr) return 0;
  std::lock_guard<std::mutex> guard(server_mutex_);
  host_ = std::string(host).substr(0, kMaxHostLength);
  port_ = port;
  return 0;
}

std::u16string CCommunicate::GetServerText() const {
  std::lock_guard<std::mutex> guard(server_mutex_);
  return text::FromAscii(host_ + ":" + std::to_string(port_));
}

std::pair<std::string, int> CCommunicate::Server() const {
  std::lock_guard<std::mutex> guard(server_mutex_);
  return {host_, port_};
}

int CCommunicate::Connect() {
  std::lock_guard<std::recursive_mutex> exchange(exchange_mutex_);
  log_.Write("CCommunicate::Connect");
  if (fd_ >= 0) {
    CloseSocket();
    Pause();
  }
  const Clock::time_point start = Clock::now();
  const int fd = OpenTcpSocket();
  if (fd < 0) {
    log_.Write("Invalid socket");
    return -2;
  }
  int error = FinishConnect(fd);
  if (error == 0 && !MakeBlocking(fd, timings_.readable_wait, timings_.writable_wait)) error = errno;
  if (error != 0) {
    log_.Write("wsaret == SOCKET_ERROR");
    log_.WriteNumber("nError:%d", error);
    ::close(fd);
    CloseSocket();
    return -3;
  }
  {
    std::lock_guard<std::mutex> socket(socket_mutex_);
    fd_ = fd;
  }
  log_.WriteNumber("Connect end %d", ElapsedMs(start));
  return 0;
}

// Connects fd to the server (direct mode) or the gateway; 0 or the error.
int CCommunicate::FinishConnect(int fd) {
  std::string host;
  int port;
  if (direct_) {
    std::lock_guard<std::mutex> guard(server_mutex_);
    host = host_;
    port = port_;
  } else {
    host = gateway_.host;
    port = gateway_.port;
  }
  const int started = StartConnect(fd, host, port);
  if (started != EINPROGRESS) return started;
  const WaitResult outcome = WaitOn(fd, POLLOUT, timings_.connect_wait);
  if (outcome == WaitResult::kTimeout) return ETIMEDOUT;
  if (outcome == WaitResult::kWoken) return ECANCELED;
  if (outcome == WaitResult::kFailed) return errno;
  return ConnectError(fd);
}

int CCommunicate::CloseSocket() {
  std::lock_guard<std::recursive_mutex> exchange(exchange_mutex_);
  log_.Write("CCommunicate::CloseSocket");
  std::lock_guard<std::mutex> socket(socket_mutex_);
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  return 0;
}

int CCommunicate::SendData(std::span<const std::uint8_t> request) {
  std::lock_guard<std::recursive_mutex> exchange(exchange_mutex_);
  ClearCancel();
  const Clock::time_point start = Clock::now();
  log_.Write("CCommunicate::SendData");
  log_.WriteNumber("Tiltl = %d", RequestTitle(request));
  if (fd_ < 0) return -1;
  // Whatever an earlier answer left on the lasting connection (bytes past its end, the rest of an
  // answer given up on) would be read as the start of this one. A connection the server closed
  // meanwhile would take the request and lose it: it is reported as no socket, so that the
  // exchange connects again and sends once more.
  if (!DiscardPending(fd_)) {
    log_.Write("DISCONNECT");
    CloseSocket();
    return -1;
  }
  Bytes framed;
  if (!direct_ && !pass_through_) {
    std::string header;
    {
      std::lock_guard<std::mutex> guard(server_mutex_);
      header = BuildWapHeader(host_, port_, request.size());
    }
    framed.assign(header.begin(), header.end());
    framed.insert(framed.end(), request.begin(), request.end());
    request = framed;
  }
  const int sent = SendAll(request);
  if (sent == 0) log_.WriteNumber("SendData end %d", ElapsedMs(start));
  return sent == 0 ? static_cast<int>(request.size()) : sent;
}

// Sends all bytes; each send waits for room at most the writable wait. 0, or the failure's result
// after its log line; the socket is then closed.
int CCommunicate::SendAll(std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t sent = SendSome(fd_, bytes.data(), bytes.size());
    if (sent > 0) {
      bytes = bytes.subspan(static_cast<std::size_t>(sent));
    } else if (sent < 0 && errno == EAGAIN) {
      CloseSocket();
      log_.Write("!select  send");
      return -1;
    } else {
      log_.Write("!send");
      CloseSocket();
      return -3;
    }
  }
  return 0;
}

void CCommunicate::ClearCancel() {
  cancelled_ = false;
  if (wake_pending_.exchange(false)) wake_.Drain();
  // Read after clearing: a Stop that came meanwhile has set the flag before cancelling, so either
  // its cancel comes after the clearing or this exchange cancels itself.
  if (stopped_) Cancel();
}

void CCommunicate::Stop() {
  stopped_ = true;
  Cancel();
}

void CCommunicate::Cancel() {
  cancelled_ = true;
  wake_pending_ = true;
  wake_.Signal();
  // Ends a blocked send or receive at once; the exchanging thread then closes the socket.
  std::lock_guard<std::mutex> socket(socket_mutex_);
  if (fd_ >= 0) ::shutdown(fd_, SHUT_RDWR);
}

WaitResult CCommunicate::WaitOn(int fd, short events, std::chrono::milliseconds timeout) {
  const Clock::time_point deadline = Clock::now() + timeout;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    const WaitResult outcome =
        PollWithWake(fd, events, wake_.fd(), std::max(left, std::chrono::milliseconds(0)));
    if (outcome != WaitResult::kWoken || cancelled_) return outcome;
    // A signal left over from a cancel that a later send has already cleared.
    wake_.Drain();
  }
}

bool CCommunicate::Pause() {
  return WaitOn(-1, 0, timings_.pause) != WaitResult::kWoken;
}

void CCommunicate::SetDirect(bool direct) {
  std::lock_guard<std::recursive_mutex> exchange(exchange_mutex_);
  direct_ = direct;
}

void CCommunicate::SetPassThrough(bool pass_through) {
  std::lock_guard<std::recursive_mutex> exchange(exchange_mutex_);
  pass_through_ = pass_through;
}

void CCommunicate::SetRedialQuestion(RedialQuestion* question) {
  std::lock_guard<std::recursive_mutex> exchange(exchange_mutex_);
  redial_ = question != nullptr ? question : &no_connection_manager_;
}

int CCommunicate::ElapsedMs(Clock::time_point since) const {
  return static_cast<int>(
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count());
}

}  // namespace tarvello
