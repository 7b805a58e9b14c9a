// InfoConnection: one exchange on the information HTTP port. It reads one GET request, writes
// what the router has for its path (or "404 Not Found") and closes. A request that is not a GET
// or never ends its header gets "400 Bad Request".
#pragma once

#include <array>
#include <string>

#include "protocol/bytes.h"
#include "server/network/connection.h"
#include "server/site/info_site.h"

namespace tarvello::server {

class InfoConnection : public Connection {
 public:
  InfoConnection(asio::ip::tcp::socket socket, ConnectionManager& manager, const PageRouter& router)
      : Connection(std::move(socket), manager), router_(router) {}
  void Start() override { Read(); }

 private:
  void Read();
  void Reply(std::string reply);

  const PageRouter& router_;
  Bytes received_;
  std::string reply_;
  std::array<std::uint8_t, 2048> chunk_{};
};

}  // namespace tarvello::server
