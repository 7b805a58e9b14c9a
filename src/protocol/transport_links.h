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

}  // namespace tarvello
