// Adapters that let the start-up steps and small workers use the shared transport: an
// ExchangeFunction running CommunicateThread (watched by the failover or not), the probe's link,
// which points the transport at a server and connects under the exchange lock, and the failover's
// probe, which has a connection of its own.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "protocol/communicate.h"
#include "protocol/exchange_function.h"
#include "protocol/failover.h"
#include "protocol/server_choice.h"

namespace tarvello {

ExchangeFunction TransportExchange(CCommunicate& transport);
// The same, telling the failover after each exchange whether an answer came.
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

// Times one probe exchange with host:port on a connection of its own (direct, or through the
// gateway when direct is false), so that the shared connection is not disturbed; none when the
// answer is not the probe's 8 bytes.
std::optional<std::chrono::milliseconds> ProbeServer(CommLog& log, const WapGateway& gateway, bool direct,
                                                     const std::string& host, int port);
// Sends a complete HTTP request to host:port over the shared connection (pass-through) and
// points the connection back at the server it had, with pass-through off. The exchange lock is
// held for the whole sequence, so no other exchange can meet the connection while it points
// elsewhere. The count received, header included; below 1 means nothing.
int PassThroughExchange(CCommunicate& transport, const std::string& host, int port,
                        std::span<const std::uint8_t> request, std::span<std::uint8_t> answer);

}  // namespace tarvello
