// Adapters that let the start-up steps and small workers use the shared transport: an
// ExchangeFunction running CommunicateThread (watched by the failover or not), the probe's link,
// which points the transport at a server and connects under the exchange lock, and the failover's
// probe, which has a connection of its own that ProbeStop can end from any thread.
#pragma once

#include <chrono>
#include <mutex>
#include <optional>
#include <string>

#include "protocol/communicate.h"
#include "protocol/exchange_function.h"
#include "protocol/failover.h"
#include "protocol/server_choice.h"

namespace tarvello {

ExchangeFunction TransportExchange(CCommunicate& transport);
// The same, telling the failover after each exchange whether a usable answer came. An exchange
// given up on a cancel or because the transport is stopped tells it nothing: that is no failure
// of the server.
ExchangeFunction WatchedExchange(CCommunicate& transport, Failover& failover);

class CommunicateProbeLink : public ProbeLink {
 public:
  explicit CommunicateProbeLink(CCommunicate& transport) : transport_(transport) {}
  void Connect(const std::string& host, int port) override;
  int Exchange(std::span<const std::uint8_t> request, std::span<std::uint8_t> response) override;
  void Close() override;

 private:
  CCommunicate& transport_;
};

// Points the transport at host:port and, in direct mode, connects; under the exchange lock.
void SwitchServer(CCommunicate& transport, const std::string& host, int port);

// Ends the failover's probes: Stop gives up the probe in progress at once (its connect, send or
// receive) and every probe that starts later. Any thread.
class ProbeStop {
 public:
  void Stop();

 private:
  friend class ProbeConnection;
  std::mutex mutex_;
  bool stopped_ = false;             // guarded by mutex_
  CCommunicate* running_ = nullptr;  // guarded by mutex_
};

// Times one probe exchange with host:port on a connection of its own (direct, or through the
// gateway when direct is false), so that the shared connection is not disturbed; none when the
// answer is not the probe's 8 bytes or stop ended the probe.
std::optional<std::chrono::milliseconds> ProbeServer(CommLog& log, const WapGateway& gateway, bool direct,
                                                     const std::string& host, int port, ProbeStop& stop);
// Sends a complete HTTP request to host:port over the shared connection (pass-through) and
// points the connection back at the server it had, with pass-through off. The exchange lock is
// held for the whole sequence, so no other exchange can meet the connection while it points
// elsewhere. The count received, header included; below 1 means nothing.
int PassThroughExchange(CCommunicate& transport, const std::string& host, int port,
                        std::span<const std::uint8_t> request, std::span<std::uint8_t> answer);

}  // namespace tarvello
