#include "server/network/quote_server.h"

#include <csignal>
#include <thread>
#include <vector>

#include "server/network/gateway_connection.h"
#include "server/network/info_connection.h"
#include "server/network/quote_connection.h"

namespace tarvello::server {

namespace {

// After a failed accept (out of descriptors, say) the acceptor waits this long before trying
// again, instead of spinning.
constexpr auto kAcceptRetry = std::chrono::milliseconds(100);

}  // namespace

QuoteServer::QuoteServer(RequestHandler& handler, Endpoints endpoints, PageRouter info_router)
    : handler_(handler), endpoints_(std::move(endpoints)), control_(asio::make_strand(io_)),
      quote_acceptor_(control_),
      gateway_acceptor_(control_),
      info_acceptor_(control_),
      info_router_(std::move(info_router)),
      signals_(control_) {}

bool QuoteServer::Listen(asio::ip::tcp::acceptor& acceptor, std::uint16_t port, std::uint16_t& chosen,
                         std::string& error) {
  asio::error_code ec;
  const asio::ip::address address = asio::ip::make_address(endpoints_.address, ec);
  if (ec) {
    error = "bad address " + endpoints_.address;
    return false;
  }
  const asio::ip::tcp::endpoint endpoint(address, port);
  acceptor.open(endpoint.protocol(), ec);
  if (!ec) acceptor.set_option(asio::ip::tcp::acceptor::reuse_address(true), ec);
  if (!ec) acceptor.bind(endpoint, ec);
  if (!ec) acceptor.listen(asio::socket_base::max_listen_connections, ec);
  if (ec) {
    error = "cannot listen on port " + std::to_string(port) + ": " + ec.message();
    return false;
  }
  chosen = acceptor.local_endpoint().port();
  return true;
}

bool QuoteServer::Open(std::string& error) {
  return Listen(quote_acceptor_, endpoints_.quote_port, quote_port_, error) &&
         Listen(gateway_acceptor_, endpoints_.gateway_port, gateway_port_, error) && OpenInfo();
}

// A busy information port leaves the quotes served: the port stays closed and says why.
bool QuoteServer::OpenInfo() {
  if (info_router_ && !Listen(info_acceptor_, endpoints_.info_port, info_port_, info_error_)) {
    asio::error_code ignored;
    info_acceptor_.close(ignored);
  }
  return true;
}

template <typename Make>
void QuoteServer::Accept(asio::ip::tcp::acceptor& acceptor, Make make) {
  acceptor.async_accept(asio::make_strand(io_), [this, &acceptor, make](const asio::error_code& error, asio::ip::tcp::socket socket) {
    if (!acceptor.is_open()) return;
    if (error) {
      auto timer = std::make_shared<asio::steady_timer>(control_, kAcceptRetry);
      timer->async_wait([this, &acceptor, timer, make](const asio::error_code&) { Accept(acceptor, make); });
      return;
    }
    socket.set_option(asio::ip::tcp::no_delay(true));
    connections_.Start(make(std::move(socket)));
    Accept(acceptor, make);
  });
}

void QuoteServer::Run(int threads, bool handle_signals) {
  if (handle_signals) {
    signals_.add(SIGINT);
    signals_.add(SIGTERM);
    signals_.async_wait([this](const asio::error_code& error, int) {
      if (!error) Stop();
    });
  }
  Accept(quote_acceptor_, [this](asio::ip::tcp::socket socket) {
    return std::make_shared<QuoteConnection>(std::move(socket), connections_, handler_);
  });
  Accept(gateway_acceptor_, [this](asio::ip::tcp::socket socket) {
    return std::make_shared<GatewayConnection>(std::move(socket), connections_, handler_, info_router_);
  });
  if (info_acceptor_.is_open()) {
    Accept(info_acceptor_, [this](asio::ip::tcp::socket socket) {
      return std::make_shared<InfoConnection>(std::move(socket), connections_, info_router_);
    });
  }
  std::vector<std::thread> workers;
  for (int i = 1; i < threads; ++i) workers.emplace_back([this] { io_.run(); });
  io_.run();
  for (auto& worker : workers) worker.join();
}

void QuoteServer::Stop() {
  asio::post(control_, [this] {
    asio::error_code ignored;
    quote_acceptor_.close(ignored);
    gateway_acceptor_.close(ignored);
    info_acceptor_.close(ignored);
    signals_.cancel(ignored);
    connections_.StopAll();
  });
}

}  // namespace tarvello::server
