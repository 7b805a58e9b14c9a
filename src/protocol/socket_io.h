// The few POSIX socket calls the transport makes, each retried on EINTR: a non-blocking TCP
// socket, the start of a connect to a dotted IPv4 address, and a poll on one socket together with
// a wake descriptor. Stateless; safe from any thread for distinct sockets.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <string>

namespace tarvello {

enum class WaitResult { kReady, kTimeout, kWoken, kFailed };

struct PollOutcome {
  WaitResult result;
  short events;  // what poll reported for the socket when kReady
};

// A non-blocking TCP stream socket, or -1 with errno set.
int OpenTcpSocket();

// Starts connecting fd to host:port. 0 when connected, EINPROGRESS while under way, otherwise
// the error (EINVAL for a host that is no dotted IPv4 address).
int StartConnect(int fd, const std::string& host, int port);

// The outcome of a finished connect: 0 or the socket's pending error.
int ConnectError(int fd);

// Waits until fd reports one of events or the wake descriptor becomes readable (which wins).
PollOutcome PollWithWake(int fd, short events, int wake_fd, std::chrono::milliseconds timeout);

// send() without SIGPIPE; the count sent, or -1 (EAGAIN included).
ssize_t SendSome(int fd, const void* bytes, std::size_t size);
// recv(); the count received, 0 at the peer's close, -1 on error (EAGAIN included).
ssize_t ReceiveSome(int fd, void* buffer, std::size_t size);

}  // namespace tarvello
