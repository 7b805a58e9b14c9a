// Feeds arbitrary bytes to the gateway's HTTP framing: it must never crash or read past them.
#include <cstddef>
#include <cstdint>

#include "server/network/gateway_framing.h"
#include "server/wire/request_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto request = tarvello::server::ParseGatewayRequest({data, size});
  if (request.status == tarvello::server::GatewayStatus::kComplete) tarvello::server::FrameRequest(request.body);
  return 0;
}
