// QuoteServer: the front ends of the simulator on one io_context: the quote port
// (persistent connections, containers in and out), the WAP gateway port (one HTTP exchange
// per connection) and, when it is given a router, the information HTTP port (one GET per
// connection). Run() serves on a number of threads until Stop() or, when asked for,
// SIGINT or SIGTERM; the stop closes both acceptors and every connection, and Run() returns
// once they are gone. Port 0 picks a free port; the chosen ports are known after Open().
// Open, Run and the port getters belong to the owning thread; Stop is safe from any thread.
#pragma once

#include <asio.hpp>
#include <cstdint>
#include <string>

#include "server/network/connection.h"
#include "server/site/info_site.h"
#include "server/wire/request_handler.h"

namespace tarvello::server {

struct Endpoints {
  std::string address = "127.0.0.1";
  std::uint16_t quote_port = 2860;
  std::uint16_t gateway_port = 8080;
  std::uint16_t info_port = 8081;
};

class QuoteServer {
 public:
  // Without a router the information port stays closed.
  QuoteServer(RequestHandler& handler, Endpoints endpoints, PageRouter info_router = {});

  // Binds and listens on the quote and gateway ports; false with `error` set when one cannot be
  // had. An information port that cannot be had stays closed, and info_error() says why.
  bool Open(std::string& error);
  // Serves until stopped. With `handle_signals`, SIGINT and SIGTERM stop it.
  void Run(int threads, bool handle_signals);
  void Stop();

  std::uint16_t quote_port() const { return quote_port_; }
  std::uint16_t gateway_port() const { return gateway_port_; }
  std::uint16_t info_port() const { return info_port_; }
  const std::string& info_error() const { return info_error_; }

 private:
  // make: socket -> the connection that serves it.
  template <typename Make>
  void Accept(asio::ip::tcp::acceptor& acceptor, Make make);
  bool OpenInfo();
  bool Listen(asio::ip::tcp::acceptor& acceptor, std::uint16_t port, std::uint16_t& chosen, std::string& error);

  RequestHandler& handler_;
  Endpoints endpoints_;
  asio::io_context io_;
  // Acceptors, signals, retry timers and the stop run on this strand, never concurrently.
  asio::strand<asio::io_context::executor_type> control_;
  asio::ip::tcp::acceptor quote_acceptor_;
  asio::ip::tcp::acceptor gateway_acceptor_;
  asio::ip::tcp::acceptor info_acceptor_;
  const PageRouter info_router_;
  asio::signal_set signals_;
  ConnectionManager connections_;
  std::uint16_t quote_port_ = 0;
  std::uint16_t gateway_port_ = 0;
  std::uint16_t info_port_ = 0;
  std::string info_error_;
};

}  // namespace tarvello::server
