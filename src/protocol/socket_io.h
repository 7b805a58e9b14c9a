// The few POSIX socket calls the transport makes, each retried on EINTR: a non-blocking TCP
// socket for connecting, the start of a connect to a dotted IPv4 address, the switch to blocking
// sends and receives with time limits, and a poll on one descriptor together with a wake
// descriptor. Every byte sent or received is counted for the traffic statistics
// (traffic/traffic_meter.h). Stateless; safe from any thread for distinct sockets.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <string>

namespace tarvello {

enum class WaitResult { kReady, kTimeout, kWoken, kFailed };


// A non-blocking TCP stream socket, or -1 with errno set.
int OpenTcpSocket();

// Starts connecting fd to host:port. 0 when connected, EINPROGRESS while under way, otherwise
// the error (EINVAL for a host that is no dotted IPv4 address).
int StartConnect(int fd, const std::string& host, int port);

// The outcome of a finished connect: 0 or the socket's pending error.
int ConnectError(int fd);

// Turns a connected socket blocking, with receives and sends that give up after the given waits
// (failing with EAGAIN). False when the socket refuses.
bool MakeBlocking(int fd, std::chrono::milliseconds receive_wait,
                  std::chrono::milliseconds send_wait);

// Waits until fd reports one of events or the wake descriptor becomes readable (which wins).
WaitResult PollWithWake(int fd, short events, int wake_fd, std::chrono::milliseconds timeout);

// send() without SIGPIPE; the count sent, or -1 (EAGAIN when the send wait ran out).
ssize_t SendSome(int fd, const void* bytes, std::size_t size);
// recv(); the count received, 0 at the peer's close, -1 on error (EAGAIN when the receive wait
// ran out).
ssize_t ReceiveSome(int fd, void* buffer, std::size_t size);
// Reads and drops every byte already received on fd, without waiting for more. False when the
// peer has closed or reset the connection meanwhile.
bool DiscardPending(int fd);

}  // namespace tarvello
