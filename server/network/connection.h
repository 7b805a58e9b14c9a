// Connection: one client socket of either front end. The concrete connections (quote port,
// gateway) run their own read and write cycle; this base holds the socket and lets the
// ConnectionManager stop them all at shutdown. A pending operation holds the connection alive
// through shared_from_this(); its socket lives on a strand of its own, so its handlers and its
// Stop never run concurrently.
#pragma once

#include <asio.hpp>
#include <memory>
#include <mutex>
#include <unordered_set>

namespace tarvello::server {

class ConnectionManager;

class Connection : public std::enable_shared_from_this<Connection> {
 public:
  Connection(asio::ip::tcp::socket socket, ConnectionManager& manager)
      : socket_(std::move(socket)), manager_(manager) {}
  virtual ~Connection() = default;
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  virtual void Start() = 0;
  // Closes the socket on the connection's strand; pending operations then end with an error
  // and release the connection. Safe from any thread.
  void Stop();

 protected:
  // Leaves the manager, which stops the connection.
  void Finish();

  asio::ip::tcp::socket socket_;
  ConnectionManager& manager_;
};

// Holds every open connection so that a shutdown can close them all. Safe from any thread.
class ConnectionManager {
 public:
  void Start(const std::shared_ptr<Connection>& connection);
  void Stop(const std::shared_ptr<Connection>& connection);
  void StopAll();
  std::size_t size() const;

 private:
  mutable std::mutex mutex_;
  std::unordered_set<std::shared_ptr<Connection>> connections_;  // guarded by mutex_
  bool stopped_ = false;                                  // guarded by mutex_
};

}  // namespace tarvello::server
