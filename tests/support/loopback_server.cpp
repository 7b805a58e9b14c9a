#include "support/loopback_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "protocol/container_writer.h"
#include "protocol/wire_writer.h"

namespace tarvello::testing {

bool ServerConnection::ReadExactly(std::size_t count, Bytes& into) {
  const std::size_t start = into.size();
  into.resize(start + count);
  std::size_t got = 0;
  while (got < count) {
    const ssize_t n = ::recv(fd_, into.data() + start + got, count - got, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    got += static_cast<std::size_t>(n);
  }
  return true;
}

std::optional<Bytes> ServerConnection::ReadContainer() {
  Bytes bytes;
  if (!ReadExactly(1, bytes) || bytes[0] != '{') return std::nullopt;
  for (;;) {
    if (!ReadExactly(6, bytes)) return std::nullopt;
    const std::size_t header = bytes.size() - 6;
    const std::size_t length = bytes[header + 4] | (bytes[header + 5] << 8);
    if (!ReadExactly(length + 1, bytes)) return std::nullopt;
    if (bytes.back() == '}') return bytes;
    if (bytes.back() != ':') return std::nullopt;
  }
}

std::optional<std::string> ServerConnection::ReadHttpRequest() {
  Bytes bytes;
  std::string text;
  while (text.find("\r\n\r\n") == std::string::npos) {
    if (!ReadExactly(1, bytes)) return std::nullopt;
    text.push_back(static_cast<char>(bytes.back()));
  }
  const std::size_t name = text.find("Content-Length: ");
  if (name == std::string::npos) return text;
  const std::size_t length = std::strtoul(text.c_str() + name + 16, nullptr, 10);
  bytes.clear();
  if (!ReadExactly(length, bytes)) return std::nullopt;
  return text.append(bytes.begin(), bytes.end());
}

bool ServerConnection::Send(std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes = bytes.subspan(static_cast<std::size_t>(n));
  }
  return true;
}

bool ServerConnection::Send(std::string_view text) { return Send(BytesOf(text)); }

bool ServerConnection::SendInPieces(std::span<const std::uint8_t> bytes, std::size_t piece,
                                    std::chrono::milliseconds pause) {
  while (!bytes.empty()) {
    const std::size_t size = std::min(piece, bytes.size());
    if (!Send(bytes.first(size))) return false;
    bytes = bytes.subspan(size);
    std::this_thread::sleep_for(pause);
  }
  return true;
}

void ServerConnection::Close() { ::shutdown(fd_, SHUT_RDWR); }

LoopbackServer::LoopbackServer(Script script) : script_(std::move(script)) {
  listen_fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const int on = 1;
  ::setsockopt(listen_fd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(listen_fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::listen(listen_fd_, 64);
  socklen_t size = sizeof address;
  ::getsockname(listen_fd_, reinterpret_cast<sockaddr*>(&address), &size);
  port_ = ntohs(address.sin_port);
  acceptor_ = std::thread([this] { AcceptLoop(); });
}

LoopbackServer::~LoopbackServer() {
  stopping_ = true;
  ::shutdown(listen_fd_, SHUT_RDWR);
  acceptor_.join();
  ::close(listen_fd_);
  std::lock_guard<std::mutex> guard(mutex_);
  for (Session& session : sessions_) ::shutdown(session.fd, SHUT_RDWR);
  for (Session& session : sessions_) session.script.join();
  for (Session& session : sessions_) ::close(session.fd);
}

void LoopbackServer::ReapFinished() {
  for (auto it = sessions_.begin(); it != sessions_.end();) {
    if (!it->finished) {
      ++it;
      continue;
    }
    it->script.join();
    ::close(it->fd);
    it = sessions_.erase(it);
  }
}

void LoopbackServer::AcceptLoop() {
  while (!stopping_) {
    const int fd = ::accept4(listen_fd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) {
      if (errno == EINTR || errno == ECONNABORTED) continue;
      return;
    }
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    std::lock_guard<std::mutex> guard(mutex_);
    if (stopping_) {
      ::close(fd);
      return;
    }
    ReapFinished();
    Session& session = sessions_.emplace_back(fd);
    const int index = accepted_++;
    session.script = std::thread([this, &session, index] {
      ServerConnection connection(session.fd, index);
      script_(connection);
      session.finished = true;
    });
  }
}

Bytes AnswerContainer(int type, std::span<const std::uint8_t> body) {
  ContainerWriter writer;
  writer.AddPlain(type, body);
  return writer.Finish();
}

Bytes RequestContainer(int type, std::span<const std::uint8_t> body) {
  return WireWriter::Packet(static_cast<std::uint16_t>(type), 0).Raw(body).FinishPacket();
}

Bytes BytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

}  // namespace tarvello::testing
