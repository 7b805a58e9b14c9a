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

bool ParseSpeed(const std::string& text, double& out) {
  if (!ParseNumber(text, out)) return false;
  return out >= 0 && out <= 100000;
}

bool ParseValue(const std::string& name, const std::string& value, ServerOptions& options, bool& known) {
  known = true;
  if (name == "--port") return ParseNumber(value, options.port);
  if (name == "--gateway-port") return ParseNumber(value, options.gateway_port);
  if (name == "--info-port") return ParseNumber(value, options.info_port);
  if (name == "--seed") return ParseNumber(value, options.seed);
  if (name == "--speed") return ParseSpeed(value, options.speed);
  if (name == "--threads") return ParseNumber(value, options.threads) && options.threads >= 1 && options.threads <= 64;
  if (name == "--at") {
    options.at = ParseSimTime(value);
    return options.at.has_value();
  }
  if (name == "--accounts") {
    options.accounts = value;
    return !value.empty();
  }
  if (name == "--latest-version") {
    options.latest_version = value;
    return !value.empty();
  }
  if (name == "--bind") {
    options.address = value;
    return !value.empty();
  }
  known = false;
  return false;
}

}  // namespace

std::optional<ServerOptions> ParseServerOptions(const std::vector<std::string>& args, std::string& error) {
  ServerOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& name = args[i];
    if (name == "--help" || name == "-h") {
      options.help = true;
      continue;
    }
    if (name == "--version") {
      options.version = true;
      continue;
    }
    if (i + 1 >= args.size()) {
      error = "missing value for " + name;
      return std::nullopt;
    }
    const std::string& value = args[++i];
    bool known = false;
    const bool ok = ParseValue(name, value, options, known);
    if (!known) {
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

const char* ServerUsage() {
  return "usage: tarvello-quoted [options]\n"
         "  --port N             quote port (default 2860; 0 picks a free port)\n"
         "  --gateway-port N     WAP gateway port (default 8080; 0 picks a free port)\n"
         "  --info-port N        information HTTP port (default 8081; 0 picks a free port)\n"
         "  --bind ADDRESS       address to listen on (default 127.0.0.1)\n"
         "  --seed N             market seed (default 1)\n"
         "  --at \"YYYY-MM-DD HH:MM\"  simulated start (default: today, in the morning session)\n"
         "  --speed N            simulated seconds per real second (default 1; 0 stops the clock)\n"
         "  --accounts FILE      login accounts, one \"user password [rights]\" a line\n"
         "  --latest-version V   version announced to the version check (default V3.3)\n"
         "  --threads N          serving threads (default 2)\n"
         "  --help               show this text and end\n"
         "  --version            show the version and end\n";
}

}  // namespace tarvello::server
