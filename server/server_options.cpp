#include "server/server_options.h"

#include <charconv>

namespace tarvello::server {

namespace {

template <typename T>
bool ParseNumber(const std::string& text, T& out) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, out);
  return ec == std::errc() && ptr == end;
}

}  // namespace

std::optional<ServerOptions> ParseServerOptions(const std::vector<std::string>& args, std::string& error) {
  ServerOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& name = args[i];
    if (i + 1 >= args.size()) {
      error = "missing value for " + name;
      return std::nullopt;
    }
    const std::string& value = args[++i];
    bool ok = false;
    if (name == "--port") {
      ok = ParseNumber(value, options.port);
    } else if (name == "--gateway-port") {
      ok = ParseNumber(value, options.gateway_port);
    } else if (name == "--seed") {
      ok = ParseNumber(value, options.seed);
    } else {
      error = "unknown option " + name;
      return std::nullopt;
    }
    if (!ok) {
      error = "bad value for " + name + ": " + value;
      return std::nullopt;
    }
  }
  return options;
}

}  // namespace tarvello::server
