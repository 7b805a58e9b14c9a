#include "protocol/transport_links.h"

namespace tarvello {

ExchangeFunction TransportExchange(CCommunicate& transport) {
  return [&transport](std::span<const std::uint8_t> request, std::span<std::uint8_t> response) {
    return transport.CommunicateThread(request, response);
  };
}

void SwitchServer(CCommunicate& transport, const std::string& host, int port) {
  const std::lock_guard<std::recursive_mutex> lock(transport.exchange_lock());
  transport.SetServer(host.c_str(), port);
  if (transport.direct()) transport.Connect();
}

int PassThroughExchange(CCommunicate& transport, const std::string& host, int port,
                        std::span<const std::uint8_t> request, std::span<std::uint8_t> answer) {
  const std::lock_guard<std::recursive_mutex> lock(transport.exchange_lock());
  const auto [back_host, back_port] = transport.Server();
  transport.SetPassThrough(true);
  SwitchServer(transport, host, port);
  const int received = transport.CommunicateThread(request, answer);
  transport.SetPassThrough(false);
  SwitchServer(transport, back_host, back_port);
  return received;
}

void CommunicateProbeLink::Connect(const std::string& host, int port) {
  const std::lock_guard<std::recursive_mutex> lock(transport_.exchange_lock());
  transport_.SetServer(host.c_str(), port);
  transport_.Connect();
}

int CommunicateProbeLink::Exchange(std::span<const std::uint8_t> request, std::span<std::uint8_t> response) {
  return transport_.CommunicateThread(request, response);
}

void CommunicateProbeLink::Close() { transport_.CloseSocket(); }

}  // namespace tarvello
