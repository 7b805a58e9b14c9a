// QuoteConnection: a persistent client of the quote port. It reads request containers one
// after the other, answers each with one write (never two in flight) and reads on; a malformed
// container or an over-long one closes this connection only.
#pragma once

#include "protocol/bytes.h"
#include "server/network/connection.h"
#include "server/wire/request_handler.h"

namespace tarvello::server {

class QuoteConnection : public Connection {
 public:
  QuoteConnection(asio::ip::tcp::socket socket, ConnectionManager& manager, RequestHandler& handler)
      : Connection(std::move(socket), manager), handler_(handler) {}
  void Start() override { Read(); }

 private:
  void Read();
  // Answers the next complete container held, or reads more.
  void Serve();

  RequestHandler& handler_;
  Bytes received_;
  Bytes reply_;
  std::array<std::uint8_t, 2048> chunk_{};
};

}  // namespace tarvello::server
