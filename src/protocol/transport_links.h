// Adapters that let the start-up steps and small workers use the shared transport: an
// ExchangeFunction running CommunicateThread, and the probe's link, which points the transport
// at a server and connects under the exchange lock.
#pragma once

#include "protocol/communicate.h"
#include "protocol/exchange_function.h"
#include "protocol/server_choice.h"

namespace tarvello {

ExchangeFunction TransportExchange(CCommunicate& transport);

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

// Sends a complete HTTP request to host:port over the shared connection (pass-through) and
// points the connection back at the server it had, with pass-through off. The exchange lock is
// held for the whole sequence, so no other exchange can meet the connection while it points
// elsewhere. The count received, header included; below 1 means nothing.
int PassThroughExchange(CCommunicate& transport, const std::string& host, int port,
                        std::span<const std::uint8_t> request, std::span<std::uint8_t> answer);

}  // namespace tarvello
