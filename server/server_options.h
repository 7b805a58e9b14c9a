// Command-line options of tarvello-quoted.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvello::server {

struct ServerOptions {
  std::uint16_t port = 2860;
  std::uint16_t gateway_port = 8080;
  std::uint64_t seed = 1;
};

// Parses the arguments after the program name. Nothing on an unknown option or a bad value;
// `error` then says which.
std::optional<ServerOptions> ParseServerOptions(const std::vector<std::string>& args, std::string& error);

}  // namespace tarvello::server
