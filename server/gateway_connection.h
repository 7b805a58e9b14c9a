// GatewayConnection: one exchange on the WAP gateway port. It reads one HTTP POST carrying a
// request container, writes the answer container as the body of "HTTP/1.1 200 OK" and closes.
// A request that is not the terminal's framing, or holds no container, gets "400 Bad Request".
#pragma once

#include "protocol/bytes.h"
#include "server/connection.h"
#include "server/request_handler.h"

namespace tarvello::server {

class GatewayConnection : public Connection {
 public:
  GatewayConnection(asio::ip::tcp::socket socket, ConnectionManager& manager, RequestHandler& handler)
      : Connection(std::move(socket), manager), handler_(handler) {}
  void Start() override { Read(); }

 private:
  void Read();
  void Reply(Bytes reply);

  RequestHandler& handler_;
  Bytes received_;
  Bytes reply_;
  std::array<std::uint8_t, 2048> chunk_{};
};

}  // namespace tarvello::server
