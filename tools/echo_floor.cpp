#include "tools/echo_floor.h"

#include <memory>

#include "protocol/container_writer.h"
#include "server/wire/request_parser.h"

namespace tarvello::load {

namespace {

using asio::ip::tcp;

class EchoConnection : public std::enable_shared_from_this<EchoConnection> {
 public:
  EchoConnection(tcp::socket socket, const Bytes& answer) : socket_(std::move(socket)), answer_(answer) {}

  void Read() {
    socket_.async_read_some(asio::buffer(chunk_), [self = shared_from_this()](const asio::error_code& error, std::size_t n) {
      if (error) return;
      self->received_.insert(self->received_.end(), self->chunk_.begin(), self->chunk_.begin() + static_cast<std::ptrdiff_t>(n));
      const server::FrameResult frame = server::FrameRequest(self->received_);
      if (frame.status == server::FrameStatus::kMalformed) return;
      if (frame.status == server::FrameStatus::kNeedMore) {
        self->Read();
        return;
      }
      self->received_.erase(self->received_.begin(), self->received_.begin() + static_cast<std::ptrdiff_t>(frame.consumed));
      asio::async_write(self->socket_, asio::buffer(self->answer_), [self](const asio::error_code& write_error, std::size_t) {
        if (!write_error) self->Read();
      });
    });
  }

 private:
  tcp::socket socket_;
  const Bytes& answer_;
  Bytes received_;
  std::array<std::uint8_t, 4096> chunk_{};
};

Bytes Filler(std::size_t size) {
  ContainerWriter writer;
  const std::size_t body = size > 8 ? std::min<std::size_t>(size - 8, ContainerWriter::kMaxPlainBody) : 0;
  writer.AddPlain(1, Bytes(body, 0x55));
  return writer.Finish();
}

}  // namespace

EchoFloor::EchoFloor(std::size_t answer_size, int threads) : acceptor_(io_), answer_(Filler(answer_size)) {
  const tcp::endpoint endpoint(asio::ip::make_address_v4("127.0.0.1"), 0);
  asio::error_code error;
  acceptor_.open(endpoint.protocol(), error);
  if (!error) acceptor_.bind(endpoint, error);
  if (!error) acceptor_.listen(asio::socket_base::max_listen_connections, error);
  if (error) return;  // port() stays 0
  port_ = acceptor_.local_endpoint(error).port();
  Accept();
  for (int i = 0; i < threads; ++i) threads_.emplace_back([this] { io_.run(); });
}

EchoFloor::~EchoFloor() {
  io_.stop();
  for (auto& thread : threads_) thread.join();
}

void EchoFloor::Accept() {
  acceptor_.async_accept(asio::make_strand(io_), [this](const asio::error_code& error, tcp::socket socket) {
    if (error) return;
    socket.set_option(tcp::no_delay(true));
    std::make_shared<EchoConnection>(std::move(socket), answer_)->Read();
    Accept();
  });
}

}  // namespace tarvello::load
