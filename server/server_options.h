// Command-line options of tarvello-quoted.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "server/market/sim_clock.h"

namespace tarvello::server {

struct ServerOptions {
  std::string address = "127.0.0.1";
  std::uint16_t port = 2860;
  std::uint16_t gateway_port = 8080;
  std::uint16_t info_port = 8081;  // the information HTTP port
  std::uint64_t seed = 1;
  std::optional<SimTime> at;      // the simulated start; the default start when absent
  double speed = 1.0;             // simulated seconds per real second
  std::string accounts;           // accounts file, none when empty
  std::string latest_version = "V3.3";
  int threads = 2;
  bool help = false;
  bool version = false;
};

// Parses the arguments after the program name. Nothing on an unknown option or a bad value;
// `error` then says which.
std::optional<ServerOptions> ParseServerOptions(const std::vector<std::string>& args, std::string& error);

// The option summary printed by --help.
const char* ServerUsage();

}  // namespace tarvello::server
