#include "support/fault_proxy.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <thread>

namespace tarvello::testing {
namespace {

constexpr std::size_t kGarbleStride = 61;

int ConnectLoopback(int port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  return fd;
}

}  // namespace

FaultProxy::FaultProxy(int upstream_port)
    : upstream_port_(upstream_port),
      server_(std::make_unique<LoopbackServer>([this](ServerConnection& c) { Relay(c); })) {}

void FaultProxy::SetFault(Fault fault) {
  std::lock_guard<std::mutex> guard(mutex_);
  fault_ = fault;
  ++generation_;
}

std::string FaultProxy::Requests() {
  std::lock_guard<std::mutex> guard(mutex_);
  return requests_;
}

void FaultProxy::ForgetRequests() {
  std::lock_guard<std::mutex> guard(mutex_);
  requests_.clear();
}

std::size_t FaultProxy::AnswerBytes() {
  std::lock_guard<std::mutex> guard(mutex_);
  return answered_;
}

bool FaultProxy::PassOn(ServerConnection& client, std::span<const std::uint8_t> piece) {
  if (!client.Send(piece)) return false;
  std::lock_guard<std::mutex> guard(mutex_);
  answered_ += piece.size();
  return true;
}

// Copies client bytes to the server until either side ends, then ends both.
void FaultProxy::PassRequests(int client, int upstream) {
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
    if (n <= 0) break;
    {
      std::lock_guard<std::mutex> guard(mutex_);
      requests_.append(buffer, static_cast<std::size_t>(n));
    }
    if (::send(upstream, buffer, static_cast<std::size_t>(n), MSG_NOSIGNAL) != n) break;
  }
  ::shutdown(upstream, SHUT_RDWR);
  ::shutdown(client, SHUT_RDWR);
}

std::pair<Fault, int> FaultProxy::CurrentFault() {
  std::lock_guard<std::mutex> guard(mutex_);
  return {fault_, generation_};
}

void FaultProxy::Relay(ServerConnection& client) {
  const int upstream = ConnectLoopback(upstream_port_);
  std::thread requests([this, &client, upstream] { PassRequests(client.fd(), upstream); });
  PassAnswers(upstream, client);
  ::shutdown(upstream, SHUT_RDWR);
  client.Close();
  requests.join();
  ::close(upstream);
}

void FaultProxy::PassAnswers(int upstream, ServerConnection& client) {
  std::uint8_t buffer[4096];
  std::size_t passed = 0;  // answer bytes passed since the fault was set
  int generation = -1;
  bool stalled = false;
  for (;;) {
    const ssize_t n = ::recv(upstream, buffer, sizeof buffer, 0);
    if (n <= 0) return;
    std::span<const std::uint8_t> piece(buffer, static_cast<std::size_t>(n));
    const auto [fault, now] = CurrentFault();
    if (now != generation) {
      generation = now;
      passed = 0;
      stalled = false;
    }
    if (stalled) continue;
    switch (fault.kind) {
      case Fault::kClean:
        break;
      case Fault::kDelay:
        std::this_thread::sleep_for(fault.delay);
        break;
      case Fault::kGarble:
        for (std::size_t at = fault.after % kGarbleStride; at < piece.size(); at += kGarbleStride) buffer[at] ^= 0xFF;
        break;
      case Fault::kSplit:
        if (!client.SendInPieces(piece, 1, std::chrono::milliseconds(1))) return;
        continue;
      case Fault::kCut:
      case Fault::kStall:
        piece = piece.first(std::min(piece.size(), fault.after - std::min(fault.after, passed)));
        PassOn(client, piece);
        passed += piece.size();
        if (passed < fault.after) continue;
        if (fault.kind == Fault::kCut) return;
        stalled = true;
        continue;
    }
    if (!PassOn(client, piece)) return;
    passed += piece.size();
  }
}

}  // namespace tarvello::testing
