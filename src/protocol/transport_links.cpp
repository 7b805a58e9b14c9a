#include "protocol/transport_links.h"

#include <array>

#include "protocol/packet_codec.h"

namespace tarvello {

// The probe's connection, known to its ProbeStop while it lives.
class ProbeConnection {
 public:
  ProbeConnection(CommLog& log, const WapGateway& gateway, ProbeStop& stop) : transport_(log, gateway), stop_(stop) {
    std::lock_guard<std::mutex> lock(stop_.mutex_);
    if (stop_.stopped_) transport_.Stop();
    stop_.running_ = &transport_;
  }
  ~ProbeConnection() {
    std::lock_guard<std::mutex> lock(stop_.mutex_);
    stop_.running_ = nullptr;
  }
  ProbeConnection(const ProbeConnection&) = delete;
  ProbeConnection& operator=(const ProbeConnection&) = delete;
  CCommunicate& transport() { return transport_; }

 private:
  CCommunicate transport_;
  ProbeStop& stop_;
};

void ProbeStop::Stop() {
  std::lock_guard<std::mutex> lock(mutex_);
  stopped_ = true;
  if (running_ != nullptr) running_->Stop();
}

ExchangeFunction TransportExchange(CCommunicate& transport) {
  return [&transport](std::span<const std::uint8_t> request, std::span<std::uint8_t> response) {
    return transport.CommunicateThread(request, response);
  };
}

ExchangeFunction WatchedExchange(CCommunicate& transport, Failover& failover) {
  return [&transport, &failover](std::span<const std::uint8_t> request, std::span<std::uint8_t> response) {
    const std::lock_guard<std::recursive_mutex> lock(transport.exchange_lock());
    const int received = transport.CommunicateThread(request, response);
    if (!transport.cancelled()) failover.Record(received > 0);
    return received;
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

std::optional<std::chrono::milliseconds> ProbeServer(CommLog& log, const WapGateway& gateway, bool direct,
                                                     const std::string& host, int port, ProbeStop& stop) {
  constexpr int kProbeAnswerSize = 8;
  ProbeConnection connection(log, gateway, stop);
  CCommunicate& probe = connection.transport();
  probe.SetDirect(direct);
  probe.SetServer(host.c_str(), port);
  const auto start = std::chrono::steady_clock::now();
  if (direct && probe.Connect() != 0) return std::nullopt;
  std::array<std::uint8_t, 100> answer{};
  if (probe.CommunicateThread(CPacketCodec().BuildServerProbe(), answer) != kProbeAnswerSize) return std::nullopt;
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
}

}  // namespace tarvello
