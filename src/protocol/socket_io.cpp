#include "protocol/socket_io.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "traffic/traffic_meter.h"

namespace tarvello {

int OpenTcpSocket() {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd >= 0) {
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  }
  return fd;
}

int StartConnect(int fd, const std::string& host, int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  if (port < 0 || port > 0xFFFF || ::inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1) {
    return EINVAL;
  }
  sockaddr* target = reinterpret_cast<sockaddr*>(&address);
  while (::connect(fd, target, sizeof address) != 0) {
    if (errno != EINTR) return errno;
  }
  return 0;
}

int ConnectError(int fd) {
  int error = 0;
  socklen_t size = sizeof error;
  if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0) return errno;
  return error;
}

bool MakeBlocking(int fd, std::chrono::milliseconds receive_wait,
                  std::chrono::milliseconds send_wait) {
  const auto as_timeval = [](std::chrono::milliseconds wait) {
    return timeval{static_cast<time_t>(wait.count() / 1000),
                   static_cast<suseconds_t>(wait.count() % 1000 * 1000)};
  };
  const timeval receive = as_timeval(receive_wait);
  const timeval send = as_timeval(send_wait);
  const int flags = ::fcntl(fd, F_GETFL);
  return flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0 &&
         ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &receive, sizeof receive) == 0 &&
         ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &send, sizeof send) == 0;
}

WaitResult PollWithWake(int fd, short events, int wake_fd, std::chrono::milliseconds timeout) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + timeout;
  for (;;) {
    pollfd fds[2] = {{fd, events, 0}, {wake_fd, POLLIN, 0}};
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    const int ready = ::poll(fds, 2, static_cast<int>(std::max<long>(left.count(), 0)));
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) return WaitResult::kFailed;
    if (fds[1].revents != 0) return WaitResult::kWoken;
    if (ready == 0) return WaitResult::kTimeout;
    return WaitResult::kReady;
  }
}

ssize_t SendSome(int fd, const void* bytes, std::size_t size) {
  for (;;) {
    const ssize_t sent = ::send(fd, bytes, size, MSG_NOSIGNAL);
    if (sent > 0) CountTraffic(static_cast<std::size_t>(sent));
    if (sent >= 0 || errno != EINTR) return sent;
  }
}

ssize_t ReceiveSome(int fd, void* buffer, std::size_t size) {
  for (;;) {
    const ssize_t got = ::recv(fd, buffer, size, 0);
    if (got > 0) CountTraffic(static_cast<std::size_t>(got));
    if (got >= 0 || errno != EINTR) return got;
  }
}

bool DiscardPending(int fd) {
  char sink[1024];
  for (;;) {
    const ssize_t got = ::recv(fd, sink, sizeof sink, MSG_DONTWAIT);
    if (got > 0) CountTraffic(static_cast<std::size_t>(got));
    if (got > 0) continue;
    if (got < 0 && errno == EINTR) continue;
    return got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
  }
}

}  // namespace tarvello
