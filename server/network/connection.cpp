#include "server/network/connection.h"

namespace tarvello::server {

void Connection::Stop() {
  asio::post(socket_.get_executor(), [self = shared_from_this()] {
    asio::error_code ignored;
    self->socket_.shutdown(asio::ip::tcp::socket::shutdown_both, ignored);
    self->socket_.close(ignored);
  });
}

void Connection::Finish() { manager_.Stop(shared_from_this()); }

void ConnectionManager::Start(const std::shared_ptr<Connection>& connection) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (stopped_) return;
    connections_.insert(connection);
  }
  connection->Start();
}

void ConnectionManager::Stop(const std::shared_ptr<Connection>& connection) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (connections_.erase(connection) == 0) return;
  }
  connection->Stop();
}

void ConnectionManager::StopAll() {
  std::unordered_set<std::shared_ptr<Connection>> all;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stopped_ = true;
    all.swap(connections_);
  }
  for (const auto& connection : all) connection->Stop();
}

std::size_t ConnectionManager::size() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return connections_.size();
}

}  // namespace tarvello::server
