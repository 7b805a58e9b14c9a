// GatewayConnection: one exchange on the WAP gateway port. It reads one HTTP POST carrying a
// request container, writes the answer container as the body of "HTTP/1.1 200 OK" and closes.
// A request that is not the terminal's framing, or holds no container, gets "400 Bad Request".
// The gateway is also the HTTP proxy of a terminal in WAP mode: a GET (in the absolute form a
// client sends to its proxy) is answered from the information site, as the information port
// would answer it; without a site it is a bad request like any other.
#pragma once

#include "protocol/bytes.h"
#include "server/network/connection.h"
#include "server/site/info_site.h"
#include "server/wire/request_handler.h"

namespace tarvello::server {

class GatewayConnection : public Connection {
 public:
  GatewayConnection(asio::ip::tcp::socket socket, ConnectionManager& manager,
                    RequestHandler& handler, const PageRouter& site)
      : Connection(std::move(socket), manager), handler_(handler), site_(site) {}
  void Start() override { Read(); }

 private:
  void Read();
  void AnswerExchange();
  void AnswerPageRequest();
  void Reply(Bytes reply);

  RequestHandler& handler_;
  const PageRouter& site_;
  Bytes received_;
  Bytes reply_;
  std::array<std::uint8_t, 2048> chunk_{};
};

}  // namespace tarvello::server
